#ifndef BINARIO_PLATFORM_STAGED_DISK_H_
#define BINARIO_PLATFORM_STAGED_DISK_H_

#include <vector>

#include "base/text.h"
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
  // One file of the run: a staged file with its final name, a temporary not
  // yet given its name (no final name), or a final name to delete (no
  // temporary). Both empty: an entry no longer in use.
  struct Entry {
    Text final_name;
    Text temporary;
    Text backup;  // where the commit moved the earlier file of that name
  };

  Entry* find(std::string_view final_name);
  Entry* find_temporary(std::string_view temporary);
  // Undoes a commit whose first `placed` entries were put in place, and
  // removes every temporary.
  void undo(size_t placed);

  Disk& disk_;
  Text folder_;
  std::vector<Entry> entries_;  // in the order they were written
};

}  // namespace binario

#endif  // BINARIO_PLATFORM_STAGED_DISK_H_
