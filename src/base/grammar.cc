#include "base/grammar.h"

#include <iterator>

namespace binario::grammar {

namespace {

// The range of each width, by its code; a text value is never read as a
// number, and would read as 0 only.
constexpr int32_t kLowest[] = {INT32_MIN, INT16_MIN, 0, 0};
constexpr int32_t kHighest[] = {INT32_MAX, INT16_MAX, UINT8_MAX, 0};
static_assert(static_cast<size_t>(Width::kText) + 1 == std::size(kLowest));

}  // namespace

void read_numbers(FieldReader& in, const KeywordRule& rule, int32_t* out, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i) {
    const auto w = static_cast<size_t>(rule.width(i));
    out[i] = in.read_within(kLowest[w], kHighest[w]);
  }
}

}  // namespace binario::grammar
