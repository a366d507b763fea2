#include "memory_disk.h"

#include <algorithm>
#include <string_view>

#include "platform/replace_file.h"

namespace binario {

bool MemoryDisk::fails(Op op) {
  ++operations;
  const int n = ++counts_[op];
  auto it = fail_nth.find(op);
  return operations == fail_at || (it != fail_nth.end() && it->second == n);
}

bool MemoryDisk::read_file(const char* path, Bytes* out) {
  auto it = files.find(path);
  if (it == files.end() || fails(Op::kRead)) return false;
  out->assign(it->second.begin(), it->second.end());
  return true;
}

bool MemoryDisk::file_exists(const char* path) { return files.count(path) != 0; }

bool MemoryDisk::remove_file(const char* path) {
  if (files.count(path) == 0 || fails(Op::kRemove)) return false;
  return files.erase(path) != 0;
}

Disk::Created MemoryDisk::create_new_file(const char* path, const uint8_t* data, size_t size) {
  write_denied = !refusing_folder.empty() && std::string_view(path).starts_with(refusing_folder);
  if (write_denied) return Created::kFailed;
  if (files.count(path) != 0) return Created::kNameTaken;
  if (fails(Op::kOpen)) return Created::kFailed;
  std::string& file = files[path];
  size_t used = 0;
  for (const auto& [name, content] : files) used += content.size();
  const char* bytes = reinterpret_cast<const char*>(data);
  if (fails(Op::kWrite) || size > capacity - std::min(used, capacity)) {
    file.assign(bytes, size / 2);
    return Created::kFailed;
  }
  file.assign(bytes, size);
  return Created::kWritten;
}

bool MemoryDisk::rename_file(const char* from, const char* to) {
  auto it = files.find(from);
  if (it == files.end() || failing_renames.count(to) != 0 || fails(Op::kRename)) return false;
  std::string content = std::move(it->second);
  files.erase(it);
  files[to] = std::move(content);
  return true;
}

bool MemoryDisk::sync_folder(const char*) { return !fails(Op::kSync); }

std::string MemoryDisk::get(const std::string& path) const {
  auto it = files.find(path);
  return it == files.end() ? std::string() : it->second;
}

size_t MemoryDisk::temporaries() const {
  size_t n = 0;
  for (const auto& entry : files) n += is_temporary_name(entry.first) ? 1 : 0;
  return n;
}

}  // namespace binario
