#ifndef BINARIO_PLATFORM_DISK_H_
#define BINARIO_PLATFORM_DISK_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/text.h"

namespace binario {

// Files by path. Paths are byte strings handed to the file system unchanged
// (the ANSI code page on Windows). Each call opens, uses and closes its file:
// nothing stays open between calls.
class Disk {
 public:
  virtual ~Disk() = default;

  // Reads the whole file into `out`. False when it cannot be opened or read.
  virtual bool read_file(const char* path, Bytes* out) = 0;

  // True when a regular file exists at `path`.
  virtual bool file_exists(const char* path) = 0;

  // Deletes the file (a link itself, never its target). False when it could
  // not be deleted (or was not there).
  virtual bool remove_file(const char* path) = 0;

  enum class Created : uint8_t {
    kWritten,    // the file holds all the bytes, flushed to the medium
    kNameTaken,  // something (a file, a link, a folder) is already at `path`
    kFailed,     // created but not completely written; it may be left there
  };
  // Creates `path` as a new file, never opening anything that is already
  // there (a planted link is not followed), writes all `size` bytes and
  // flushes them to the medium before closing.
  virtual Created create_new_file(const char* path, const uint8_t* data, size_t size) = 0;

  // Renames `from` to `to`, replacing whatever is at `to` (a link at `to` is
  // replaced, its target untouched).
  virtual bool rename_file(const char* from, const char* to) = 0;

  // The calls below are for the one run that holds a folder (its lock, what
  // an earlier run left, its commit). A disk that serves only readers and
  // writers of files keeps these defaults: no rename without replacing, no
  // listing, no lock, and what is at a path seen through file_exists.

  // Renames `from` to `to` only when nothing is at `to`: never replaces. A
  // link at `from` is moved as the link, dangling or not.
  virtual bool rename_new(const char*, const char*) { return false; }

  // What is at `path`, links not followed.
  enum class Entry : uint8_t {
    kNothing,
    kFile,    // a file, or a link to anything (dangling included)
    kFolder,  // a folder itself
  };
  virtual Entry entry_at(const char* path) {
    return file_exists(path) ? Entry::kFile : Entry::kNothing;
  }

  // The names (not paths) in `folder` that begin with `prefix`, each followed
  // by a NUL, into `names`. False when the folder cannot be read.
  virtual bool list_names(const char*, std::string_view, Text*) { return false; }

  // Takes the lock of `folder`, waiting while another process holds it: one
  // run at a time in a folder. The lock leaves no file behind, and the
  // system releases it when the process ends, however it ends. False when it
  // cannot be taken (last_write_denied() then tells whether for want of
  // permission). One folder at a time per disk.
  virtual bool lock_folder(const char*) { return false; }
  virtual void unlock_folder() {}

  // Makes the renames and deletions done in `folder` survive a power cut.
  virtual bool sync_folder(const char* folder) = 0;

  // True when the last write_file or rename_file failed for want of
  // permission (a folder, or a file in place, that only an administrator
  // may write). Never off Windows: there the installer has no way to ask.
  virtual bool last_write_denied() const { return false; }
};

// Holds the lock of a folder for its scope.
class FolderLock {
 public:
  FolderLock(Disk& disk, const char* folder) : disk_(disk), held_(disk.lock_folder(folder)) {}
  ~FolderLock() {
    if (held_) disk_.unlock_folder();
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  bool held() const { return held_; }

 private:
  Disk& disk_;
  bool held_;
};

// The platform's real file system (disk_posix.cc, disk_win32.cc).
Disk& real_disk();

}  // namespace binario

#endif  // BINARIO_PLATFORM_DISK_H_
