#ifndef BINARIO_PLATFORM_IN_MEMORY_DISK_H_
#define BINARIO_PLATFORM_IN_MEMORY_DISK_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "platform/disk.h"

namespace binario {

// Files held in memory under their whole paths, with no folders: where the
// author tool compiles a scenario without touching the disk, and the tests'
// disk with failures on demand (tests/memory_disk.h). Never in the installer.
class InMemoryDisk : public Disk {
 public:
  bool read_file(const char* path, Bytes* out) override;
  bool file_exists(const char* path) override { return files.count(path) != 0; }
  bool remove_file(const char* path) override { return files.erase(path) != 0; }
  Created create_new_file(const char* path, const uint8_t* data, size_t size) override;
  bool rename_file(const char* from, const char* to) override;
  bool rename_new(const char* from, const char* to) override;
  Entry entry_at(const char* path) override {
    return files.count(path) != 0 ? Entry::kFile : Entry::kNothing;
  }
  bool list_names(const char* folder, std::string_view prefix, Text* names) override;
  bool sync_folder(const char*) override { return true; }
  // Nothing else runs in memory: the lock is only noted.
  bool lock_folder(const char* folder) override {
    locked_folder = folder;
    return true;
  }
  void unlock_folder() override { locked_folder.clear(); }

  void put(const std::string& path, const std::string& content) { files[path] = content; }
  bool has(const std::string& path) const { return files.count(path) != 0; }
  // The file's bytes; empty when there is no such file.
  std::string get(const std::string& path) const;

  std::map<std::string, std::string> files;  // path -> bytes
  std::string locked_folder;                 // empty when no folder is locked
};

}  // namespace binario

#endif  // BINARIO_PLATFORM_IN_MEMORY_DISK_H_
