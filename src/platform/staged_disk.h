#ifndef BINARIO_PLATFORM_STAGED_DISK_H_
#define BINARIO_PLATFORM_STAGED_DISK_H_

#include <vector>

#include "base/text.h"
#include "platform/disk.h"

namespace binario {

// All or nothing for one run in one folder. Every file the run writes goes to
// a temporary file in the folder, and every file it deletes is only noted;
// reads see the run's own files. Nothing under a final name changes until
// `commit`, which puts all of them in place at once under a journal
// (journal.h); `roll_back` removes every temporary file and leaves the folder
// as it was. The run holds the folder's lock throughout.
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

  enum class Commit : uint8_t {
    kDone,         // every staged file under its name, every noted file gone
    kUndone,       // failed on the way, and put back: the folder is as before the run
    kInterrupted,  // failed, and could not be put back: the journal stays, and the
                   // next run in the folder finishes the commit
  };
  // Puts every staged file under its final name and deletes every noted
  // file: the journal naming every rename is flushed first, then the commit
  // is carried out (finish_commit), and the earlier files and the journal go.
  // A failure on the way moves every file back (undo_commit).
  Commit commit();
  // Removes every temporary file of the run; the final names are untouched.
  void roll_back();

 private:
  // One file of the run, by path: a staged file with its final name, a
  // temporary not yet given its name (no final name), or a final name to
  // delete (no temporary). Both empty: no longer in use.
  struct Staged {
    Text final_name;
    Text temporary;
  };

  // The run's file at `path`, by its final name or by its temporary.
  Staged* find(std::string_view path);
  Staged* find_temporary(std::string_view path);
  Text path_of(std::string_view name) const;
  // The commit's journal, with a new backup name for each final name.
  Text journal() const;
  // Removes the backups (after a commit) or the temporaries (after an undo).
  void remove_leftovers(std::string_view journal, bool backups);

  Disk& disk_;
  Text folder_;
  std::vector<Staged> entries_;  // in the order they were written
};

}  // namespace binario

#endif  // BINARIO_PLATFORM_STAGED_DISK_H_
