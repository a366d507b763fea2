#include "base/coding.h"

namespace binario {

void put_fixed(Bytes* out, uint64_t v, int width) {
  size_t at = out->size();
  out->resize(at + static_cast<size_t>(width));
  for (int b = 0; b < width; ++b)
    (*out)[at + static_cast<size_t>(b)] = static_cast<uint8_t>(v >> (8 * b));
}

void put_text(Bytes* out, std::string_view s) {
  put_u16(out, static_cast<uint16_t>(s.size()));
  size_t at = out->size();
  out->resize(at + s.size());
  if (!s.empty()) std::memcpy(out->data() + at, s.data(), s.size());
}

}  // namespace binario
