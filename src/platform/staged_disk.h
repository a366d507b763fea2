#ifndef BINARIO_PLATFORM_STAGED_DISK_H_
#define BINARIO_PLATFORM_STAGED_DISK_H_

#include <vector>

#include "common/text.h"
#include "platform/disk.h"

namespace binario {

// All or nothing for one run in one folder. Every file the run writes goes to
// a temporary file in the folder, and every file it deletes is only noted;
// reads see the run's own files. Nothing under a final name changes until
// `commit`, which puts all of them in place at once; `roll_back` removes every
// temporary file and leaves the folder as it was.
class StagedDisk : public Disk {
 public:
  StagedDisk(Disk& disk, const Text& folder) : disk_(disk), folder_(folder) {}
  StagedDisk(const StagedDisk&) = delete;
  StagedDisk& operator=(const StagedDisk&) = delete;

  bool read_file(const char* path, Bytes* out) override;
  bool file_exists(const char* path) override;
  bool remove_file(const char* path) override;
  Created create_new_file(const char* path, const uint8_t* data, size_t size) override;
  bool rename_file(const char* from, const char* to) override;
  // Flushing waits for the commit.
  bool sync_folder(const char*) override { return true; }

  // Puts every staged file under its final name and deletes every noted
  // file: the earlier files of those names are first moved aside, so that a
  // failure on the way puts them back. False when that happened: the folder
  // is then as before the run, with no temporary file left.
  bool commit();
  // Removes every temporary file of the run; the final names are untouched.
  void roll_back();

 private:
  struct Staged {
    Text final_name;  // empty while a temporary has not been renamed to its name
    Text temporary;
  };
  struct MovedAside {
    Text final_name;
    Text backup;
  };

  Staged* find(std::string_view final_name);
  Staged* find_temporary(std::string_view temporary);
  bool noted_deleted(std::string_view path) const;
  void forget_deleted(std::string_view path);
  bool move_aside(const Text& final_name, std::vector<MovedAside>* moved);
  void put_back(const std::vector<MovedAside>& moved, size_t placed);

  Disk& disk_;
  Text folder_;
  std::vector<Staged> staged_;  // in the order they were written
  std::vector<Text> deleted_;   // final names to delete at the commit
};

}  // namespace binario

#endif  // BINARIO_PLATFORM_STAGED_DISK_H_
