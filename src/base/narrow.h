#ifndef BINARIO_BASE_NARROW_H_
#define BINARIO_BASE_NARROW_H_

// Whole numbers put into the narrower fields of the tables.

#include <cstdint>
#include <limits>
#include <optional>

namespace binario {

// `v` when a field of type T holds it exactly; empty otherwise.
template <typename T>
constexpr std::optional<T> fitting(int64_t v) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) return std::nullopt;
  return static_cast<T>(v);
}

constexpr bool fits_i16(int64_t v) { return fitting<int16_t>(v).has_value(); }

// The low 16 bits of `v`, as a packed value is stored whatever it holds.
constexpr int16_t low16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

}  // namespace binario

#endif  // BINARIO_BASE_NARROW_H_
