#ifndef BINARIO_BASE_CRC32_H_
#define BINARIO_BASE_CRC32_H_

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320): what an
// installer's seal and a folder's journal carry to tell damaged bytes.

#include <cstddef>
#include <cstdint>

namespace binario {

// The CRC-32 of `size` bytes at `data`. A run split in pieces gives the same
// value when each piece continues from the one before:
// crc32(b, nb, crc32(a, na)) == crc32(a + b, na + nb).
uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

}  // namespace binario

#endif  // BINARIO_BASE_CRC32_H_
