#include "base/grammar.h"

namespace binario::grammar {

void read_numbers(FieldReader& in, const KeywordRule& rule, int32_t* out, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i) {
    const Width w = rule.width(i);
    out[i] = in.read_within(width_min(w), width_max(w));
  }
}

}  // namespace binario::grammar
