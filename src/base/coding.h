#ifndef BINARIO_BASE_CODING_H_
#define BINARIO_BASE_CODING_H_

// Fixed-width little-endian encoding of the binary files: integers at their
// declared widths, doubles as their IEEE 754 bit pattern, no padding anywhere.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/text.h"

namespace binario {

inline void put_u8(Bytes* out, uint8_t v) { out->push_back(v); }

inline void put_u16(Bytes* out, uint16_t v) {
  out->push_back(static_cast<uint8_t>(v));
  out->push_back(static_cast<uint8_t>(v >> 8));
}

inline void put_i16(Bytes* out, int16_t v) { put_u16(out, static_cast<uint16_t>(v)); }

inline void put_u32(Bytes* out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<uint8_t>(v >> shift));
}

inline void put_i32(Bytes* out, int32_t v) { put_u32(out, static_cast<uint32_t>(v)); }

inline void put_f64(Bytes* out, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  for (int shift = 0; shift < 64; shift += 8) out->push_back(static_cast<uint8_t>(bits >> shift));
}

// A text field inside a record: 16-bit length, then the characters.
inline void put_text(Bytes* out, std::string_view s) {
  put_u16(out, static_cast<uint16_t>(s.size()));
  out->insert(out->end(), s.begin(), s.end());
}

inline uint16_t decode_u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline int16_t decode_i16(const uint8_t* p) { return static_cast<int16_t>(decode_u16(p)); }

inline uint32_t decode_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t decode_i32(const uint8_t* p) { return static_cast<int32_t>(decode_u32(p)); }

inline double decode_f64(const uint8_t* p) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

}  // namespace binario

#endif  // BINARIO_BASE_CODING_H_
