#ifndef BINARIO_PLATFORM_REPLACE_FILE_H_
#define BINARIO_PLATFORM_REPLACE_FILE_H_

#include <cstddef>
#include <cstdint>

#include "base/text.h"
#include "platform/disk.h"

namespace binario {

// Rewrites the file at `path` so that it holds exactly `size` bytes of `data`:
// an older file of that name, of whatever length, is replaced whole. The bytes
// go to a temporary file beside the target, which is then renamed over it, so
// a failed write leaves the old file as it was and no temporary file behind.
bool replace_file(Disk& disk, const Text& path, const uint8_t* data, size_t size);

inline bool replace_file(Disk& disk, const Text& path, const Bytes& data) {
  return replace_file(disk, path, data.data(), data.size());
}

}  // namespace binario

#endif  // BINARIO_PLATFORM_REPLACE_FILE_H_
