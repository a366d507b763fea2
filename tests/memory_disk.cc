#include "memory_disk.h"

#include <algorithm>
#include <string_view>

#include "platform/replace_file.h"

namespace binario {

bool MemoryDisk::fails(Op op) {
  ++operations;
  if (dies_at != 0 && operations >= dies_at) return true;
  const int n = ++counts_[op];
  auto it = fail_nth.find(op);
  auto from = fail_from.find(op);
  return operations == fail_at || (it != fail_nth.end() && it->second == n) ||
         (from != fail_from.end() && n >= from->second);
}

bool MemoryDisk::read_file(const char* path, Bytes* out) {
  if (!file_exists(path) || fails(Op::kRead)) return false;
  return InMemoryDisk::read_file(path, out);
}

bool MemoryDisk::remove_file(const char* path) {
  if (!file_exists(path) || fails(Op::kRemove)) return false;
  return InMemoryDisk::remove_file(path);
}

Disk::Created MemoryDisk::create_new_file(const char* path, const uint8_t* data, size_t size) {
  write_denied = !refusing_folder.empty() && std::string_view(path).starts_with(refusing_folder);
  if (write_denied) return Created::kFailed;
  if (file_exists(path)) return Created::kNameTaken;
  if (fails(Op::kOpen)) return Created::kFailed;
  size_t used = 0;
  for (const auto& [name, content] : files) used += content.size();
  if (fails(Op::kWrite) || size > capacity - std::min(used, capacity)) {
    files[path].assign(reinterpret_cast<const char*>(data), size / 2);
    return Created::kFailed;
  }
  return InMemoryDisk::create_new_file(path, data, size);
}

bool MemoryDisk::rename_file(const char* from, const char* to) {
  if (!file_exists(from) || failing_renames.count(to) != 0 || fails(Op::kRename)) return false;
  return InMemoryDisk::rename_file(from, to);
}

bool MemoryDisk::rename_new(const char* from, const char* to) {
  if (!file_exists(from) || failing_renames.count(to) != 0 || fails(Op::kRename)) return false;
  return InMemoryDisk::rename_new(from, to);
}

bool MemoryDisk::sync_folder(const char*) { return !fails(Op::kSync); }

size_t MemoryDisk::temporaries() const {
  size_t n = 0;
  for (const auto& entry : files) n += is_temporary_name(entry.first) ? 1 : 0;
  return n;
}

}  // namespace binario
