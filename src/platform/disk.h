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

  // Deletes the file. False when it could not be deleted (or was not there).
  virtual bool remove_file(const char* path) = 0;

  // Creates or truncates `path` and writes all `size` bytes with one write.
  // False on any failure; the file may then be left partly written.
  virtual bool write_file(const char* path, const uint8_t* data, size_t size) = 0;

  // Renames `from` to `to`, replacing a file already at `to`.
  virtual bool rename_file(const char* from, const char* to) = 0;

  // True when the last write_file or rename_file failed for want of
  // permission (a folder, or a file in place, that only an administrator
  // may write). Never off Windows: there the installer has no way to ask.
  virtual bool last_write_denied() const { return false; }
};

// The platform's real file system (disk_posix.cc, disk_win32.cc).
Disk& real_disk();

}  // namespace binario

#endif  // BINARIO_PLATFORM_DISK_H_
