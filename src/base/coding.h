#ifndef BINARIO_BASE_CODING_H_
#define BINARIO_BASE_CODING_H_

// Fixed-width little-endian encoding of the binary files: integers at their
// declared widths, doubles as their IEEE 754 bit pattern, no padding anywhere.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/text.h"

namespace binario {

// Appends the `width` low bytes of `v`, least significant first. One
// function behind every put_ below: inlined, each put would repeat the
// vector's growth code at every field of every record.
void put_fixed(Bytes* out, uint64_t v, int width);

inline void put_u8(Bytes* out, uint8_t v) { put_fixed(out, v, 1); }
inline void put_u16(Bytes* out, uint16_t v) { put_fixed(out, v, 2); }
inline void put_i16(Bytes* out, int16_t v) { put_u16(out, static_cast<uint16_t>(v)); }
inline void put_u32(Bytes* out, uint32_t v) { put_fixed(out, v, 4); }
inline void put_i32(Bytes* out, int32_t v) { put_u32(out, static_cast<uint32_t>(v)); }

inline void put_f64(Bytes* out, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  put_fixed(out, bits, 8);
}

// A text field inside a record: 16-bit length, then the characters.
void put_text(Bytes* out, std::string_view s);

// Writes into a buffer already sized for the value; returns the byte after it.
inline uint8_t* store_u16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
  return p + 2;
}

inline uint8_t* store_f64(uint8_t* p, double v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, sizeof v);
  } else {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int b = 0; b < 8; ++b) p[b] = static_cast<uint8_t>(bits >> (8 * b));
  }
  return p + 8;
}

inline uint16_t decode_u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline int16_t decode_i16(const uint8_t* p) { return static_cast<int16_t>(decode_u16(p)); }

inline uint32_t decode_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline int32_t decode_i32(const uint8_t* p) { return static_cast<int32_t>(decode_u32(p)); }

inline uint64_t decode_u64(const uint8_t* p) {
  return decode_u32(p) | (static_cast<uint64_t>(decode_u32(p + 4)) << 32);
}

inline double decode_f64(const uint8_t* p) {
  if constexpr (std::endian::native == std::endian::little) {
    double v;
    std::memcpy(&v, p, sizeof v);
    return v;
  }
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

// Reads fixed-width values from a file image without ever passing its end.
// A read that would pass it takes nothing and answers false; `at()` is then
// the offset of the value that did not fit.
class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size, size_t at = 0) : data_(data), size_(size), at_(at) {}

  size_t at() const { return at_; }
  size_t left() const { return size_ - at_; }
  bool has(size_t n) const { return left() >= n; }

  bool u8(uint8_t* v) { return take(1) && (*v = data_[at_ - 1], true); }
  bool u16(uint16_t* v) { return take(2) && (*v = decode_u16(data_ + at_ - 2), true); }
  bool i16(int16_t* v) { return take(2) && (*v = decode_i16(data_ + at_ - 2), true); }
  bool u32(uint32_t* v) { return take(4) && (*v = decode_u32(data_ + at_ - 4), true); }
  bool i32(int32_t* v) { return take(4) && (*v = decode_i32(data_ + at_ - 4), true); }
  bool f64(double* v) { return take(8) && (*v = decode_f64(data_ + at_ - 8), true); }
  // `n` raw bytes, viewed in place.
  bool chars(size_t n, std::string_view* v) {
    if (!take(n)) return false;
    *v = std::string_view(reinterpret_cast<const char*>(data_ + at_ - n), n);
    return true;
  }

 private:
  bool take(size_t n) {
    if (!has(n)) return false;
    at_ += n;
    return true;
  }

  const uint8_t* data_;
  size_t size_;
  size_t at_;
};

}  // namespace binario

#endif  // BINARIO_BASE_CODING_H_
