#include "platform/in_memory_disk.h"

#include <utility>

#include "platform/platform.h"

namespace binario {

bool InMemoryDisk::read_file(const char* path, Bytes* out) {
  auto it = files.find(path);
  if (it == files.end()) return false;
  // One block copy: from char iterators the copy would go a byte at a time.
  const auto* bytes = reinterpret_cast<const uint8_t*>(it->second.data());
  out->assign(bytes, bytes + it->second.size());
  return true;
}

Disk::Created InMemoryDisk::create_new_file(const char* path, const uint8_t* data, size_t size) {
  if (files.count(path) != 0) return Created::kNameTaken;
  files[path].assign(reinterpret_cast<const char*>(data), size);
  return Created::kWritten;
}

bool InMemoryDisk::rename_file(const char* from, const char* to) {
  auto it = files.find(from);
  if (it == files.end()) return false;
  std::string content = std::move(it->second);
  files.erase(it);
  files[to] = std::move(content);
  return true;
}

bool InMemoryDisk::rename_new(const char* from, const char* to) {
  return files.count(to) == 0 && InMemoryDisk::rename_file(from, to);
}

bool InMemoryDisk::list_names(const char* folder, std::string_view prefix, Text* names) {
  std::string start(folder);
  start.push_back(platform::kPathSeparator);
  names->clear();
  for (const auto& [path, content] : files) {
    std::string_view name(path);
    if (!name.starts_with(start)) continue;
    name.remove_prefix(start.size());
    if (name.starts_with(prefix) && name.find(platform::kPathSeparator) == std::string_view::npos) {
      names->append(name);
      names->push_back('\0');
    }
  }
  return true;
}

std::string InMemoryDisk::get(const std::string& path) const {
  auto it = files.find(path);
  return it == files.end() ? std::string() : it->second;
}

}  // namespace binario
