#ifndef BINARIO_TESTS_MEMORY_DISK_H_
#define BINARIO_TESTS_MEMORY_DISK_H_

#include <cstddef>
#include <map>
#include <set>
#include <string>

#include "platform/in_memory_disk.h"

namespace binario {

// The in-memory disk for tests, with failures on demand.
class MemoryDisk : public InMemoryDisk {
 public:
  bool read_file(const char* path, Bytes* out) override;
  bool remove_file(const char* path) override;
  Created create_new_file(const char* path, const uint8_t* data, size_t size) override;
  bool rename_file(const char* from, const char* to) override;
  bool rename_new(const char* from, const char* to) override;
  bool sync_folder(const char* folder) override;
  bool last_write_denied() const override { return write_denied; }

  // Names in `files` that carry the temporary prefix.
  size_t temporaries() const;

  // The operations that can fail. Creating a file counts as opening it and
  // then writing it.
  enum class Op { kRead, kOpen, kWrite, kRename, kRemove, kSync };
  // Every operation made so far, counted from 1.
  int operations = 0;
  // The operation of this number fails (0: none).
  int fail_at = 0;
  // The disk dies at the operation of this number (0: never), as when the
  // process is killed or the power cut: that operation and every later one
  // fail and change nothing. A file being written when it dies keeps the
  // first half of its bytes.
  int dies_at = 0;
  // The n-th operation of a kind fails, for each kind listed (n from 1).
  std::map<Op, int> fail_nth;
  // Every operation of a kind from the n-th on fails, for each kind listed.
  std::map<Op, int> fail_from;
  // Writes fail half way once the files hold this many bytes in all.
  size_t capacity = static_cast<size_t>(-1);
  // Renames onto these paths fail.
  std::set<std::string> failing_renames;
  // A folder that refuses every new file for want of permission, as one
  // that only an administrator may write in ("/games/" refuses "/games/x").
  std::string refusing_folder;
  bool write_denied = false;

 private:
  bool fails(Op op);
  std::map<Op, int> counts_;
};

}  // namespace binario

#endif  // BINARIO_TESTS_MEMORY_DISK_H_
