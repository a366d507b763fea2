#ifndef BINARIO_BASE_KEYWORD_TABLE_H_
#define BINARIO_BASE_KEYWORD_TABLE_H_

// The readers' keyword dispatch: a table of keyword tests and the action each
// runs, tried in order on every keyword field.

#include <cstddef>
#include <string_view>

#include "base/text.h"

namespace binario {

// A keyword test: the field contains `word` and, when given, `second`; in any
// letter case unless `exact_case`.
struct Keyword {
  const char* word;
  const char* second = nullptr;
  bool exact_case = false;

  bool matches(std::string_view field) const {
    auto has = [&](const char* w) {
      return exact_case ? contains(field, w) : contains_ignoring_case(field, w);
    };
    return has(word) && (second == nullptr || has(second));
  }
};

// Runs, in table order, `run(entry.action)` for every entry whose keyword
// `field` matches (tested afresh before each entry, as an action may read on),
// until one answers other than `go_on`; answers that, or `go_on`.
template <typename Entry, size_t N, typename Result, typename Run>
Result run_keywords(const Entry (&table)[N], const Text& field, Result go_on, Run run) {
  for (const Entry& entry : table) {
    if (!entry.keyword.matches(field.view())) continue;
    const Result result = run(entry.action);
    if (result != go_on) return result;
  }
  return go_on;
}

}  // namespace binario

#endif  // BINARIO_BASE_KEYWORD_TABLE_H_
