#include "base/crc32.h"

namespace binario {

namespace {

// Filled on first use rather than stored: the stub carries no 1 KB table.
uint32_t table[256];
bool table_ready = false;

void fill_table() {
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  table_ready = true;
}

}  // namespace

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc) {
  if (!table_ready) fill_table();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

}  // namespace binario
