#include "base/round.h"

#include <cmath>

namespace binario {

std::optional<int32_t> round_i32(double x) {
  // nearbyint rounds in the current mode, which is never changed from the
  // default round-to-nearest-even.
  double r = std::nearbyint(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) return std::nullopt;
  return static_cast<int32_t>(r);
}

std::optional<int16_t> round_i16(double x) {
  double r = std::nearbyint(x);
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<int16_t>(r);
}

int32_t cell_of(double position, int32_t offset) {
  return static_cast<int32_t>(std::nearbyint(position / 50 + offset));
}

}  // namespace binario
