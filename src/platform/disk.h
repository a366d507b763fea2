#ifndef BINARIO_PLATFORM_DISK_H_
#define BINARIO_PLATFORM_DISK_H_

#include <cstddef>
#include <cstdint>

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

  // Makes the renames and deletions done in `folder` survive a power cut.
  virtual bool sync_folder(const char* folder) = 0;

  // True when the last write_file or rename_file failed for want of
  // permission (a folder, or a file in place, that only an administrator
  // may write). Never off Windows: there the installer has no way to ask.
  virtual bool last_write_denied() const { return false; }
};

// The platform's real file system (disk_posix.cc, disk_win32.cc).
Disk& real_disk();

}  // namespace binario

#endif  // BINARIO_PLATFORM_DISK_H_
