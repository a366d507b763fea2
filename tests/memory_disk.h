#ifndef BINARIO_TESTS_MEMORY_DISK_H_
#define BINARIO_TESTS_MEMORY_DISK_H_

#include <map>
#include <set>
#include <string>

#include "platform/disk.h"

namespace binario {

// An in-memory file system for tests, with failures on demand.
class MemoryDisk : public Disk {
 public:
  bool read_file(const char* path, Bytes* out) override;
  bool file_exists(const char* path) override;
  bool remove_file(const char* path) override;
  bool write_file(const char* path, const uint8_t* data, size_t size) override;
  bool rename_file(const char* from, const char* to) override;
  bool last_write_denied() const override { return write_denied; }

  // Test helpers.
  void put(const std::string& path, const std::string& content) { files[path] = content; }
  bool has(const std::string& path) const { return files.count(path) != 0; }
  std::string get(const std::string& path) const;

  std::map<std::string, std::string> files;
  // Writes to these paths fail after writing half the bytes.
  std::set<std::string> failing_writes;
  // Renames onto these paths fail.
  std::set<std::string> failing_renames;
  // A folder that refuses every new file for want of permission, as one
  // that only an administrator may write in ("/games/" refuses "/games/x").
  std::string refusing_folder;
  bool write_denied = false;
};

}  // namespace binario

#endif  // BINARIO_TESTS_MEMORY_DISK_H_
