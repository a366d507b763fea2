#include "memory_disk.h"

#include <string_view>

namespace binario {

bool MemoryDisk::read_file(const char* path, Bytes* out) {
  auto it = files.find(path);
  if (it == files.end()) return false;
  out->assign(it->second.begin(), it->second.end());
  return true;
}

bool MemoryDisk::file_exists(const char* path) { return files.count(path) != 0; }

bool MemoryDisk::remove_file(const char* path) { return files.erase(path) != 0; }

bool MemoryDisk::write_file(const char* path, const uint8_t* data, size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  write_denied = !refusing_folder.empty() && std::string_view(path).starts_with(refusing_folder);
  if (write_denied) return false;
  if (failing_writes.count(path) != 0) {
    files[path] = std::string(bytes, size / 2);
    return false;
  }
  files[path] = std::string(bytes, size);
  return true;
}

bool MemoryDisk::rename_file(const char* from, const char* to) {
  auto it = files.find(from);
  if (it == files.end() || failing_renames.count(to) != 0) return false;
  files[to] = it->second;
  files.erase(from);
  return true;
}

std::string MemoryDisk::get(const std::string& path) const {
  auto it = files.find(path);
  return it == files.end() ? std::string() : it->second;
}

}  // namespace binario
