#ifndef BINARIO_BASE_ROUND_H_
#define BINARIO_BASE_ROUND_H_

#include <cstdint>
#include <optional>

namespace binario {

// round(x): the nearest integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4), as a signed 32-bit value. Empty when the result does not fit
// (or x is not a number): the caller records that as a reading failure.
std::optional<int32_t> round_i32(double x);

// The same for a signed 16-bit destination.
std::optional<int16_t> round_i16(double x);

// Cell index of a position: round(position / 50 + offset), 50 a floating-point
// divisor. Positions are 32-bit, so the result always fits.
int32_t cell_of(double position, int32_t offset = 0);

}  // namespace binario

#endif  // BINARIO_BASE_ROUND_H_
