#ifndef BINARIO_MODEL_ROUTE_PLAN_FORMAT_H_
#define BINARIO_MODEL_ROUTE_PLAN_FORMAT_H_

// The route plan file: x of every point, then y of every point, each
// coordinate a tagged value: a 16-bit tag, then a payload that the tag gives
// (none, a 16-bit integer or a double).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/coding.h"
#include "model/format_error.h"

namespace binario {

namespace value_tag {
constexpr uint16_t kEmpty = 0;
constexpr uint16_t kInt16 = 2;
constexpr uint16_t kDouble = 5;
}  // namespace value_tag

// Bytes of a tagged value in the file, tag included.
constexpr size_t tagged_value_bytes(uint16_t tag) {
  return tag == value_tag::kInt16 ? 4 : tag == value_tag::kDouble ? 10 : 2;
}

// Writes one tagged value where `p` points, into a buffer sized for it;
// returns the byte after it (route_plan_encode.cc, part of the installer).
// A 16-bit integer is taken from the whole number `value` holds.
uint8_t* encode_tagged_value(uint8_t* p, uint16_t tag, double value);

// The rest reads the file back (route_plan_decode.cc, for the author tool only).

struct TaggedValue {
  uint16_t tag = value_tag::kEmpty;
  double value = 0;   // a 16-bit integer widened exactly; 0 when empty
  size_t offset = 0;  // byte of the tag in the file
};

// One tagged value at the reader's place. False, with `error` set and the
// reader unmoved, for an unknown tag or a value cut short by the end.
bool decode_tagged_value(ByteReader* in, TaggedValue* value, FormatError* error);

// One point of the plan, x and y as stored: both empty, both 16-bit integers
// or both doubles.
struct PlanPoint {
  uint16_t tag = value_tag::kEmpty;
  double x = 0;
  double y = 0;
};

// Every point, point i at index i (i metres from the start). The file says
// nowhere where y begins: the two halves are the two equal counts of its
// values, and each point's x and y must carry the same tag.
bool decode_route_plan_file(const Bytes& file, std::vector<PlanPoint>* points, FormatError* error);

}  // namespace binario

#endif  // BINARIO_MODEL_ROUTE_PLAN_FORMAT_H_
