#include "model/route_plan_format.h"

namespace binario {

uint8_t* encode_tagged_value(uint8_t* p, uint16_t tag, double value) {
  p = store_u16(p, tag);
  if (tag == value_tag::kInt16) {
    p = store_u16(p, static_cast<uint16_t>(static_cast<int16_t>(value)));
  } else if (tag == value_tag::kDouble) {
    p = store_f64(p, value);
  }
  return p;
}

}  // namespace binario
