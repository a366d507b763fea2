#ifndef BINARIO_BASE_KEYWORD_TABLE_H_
#define BINARIO_BASE_KEYWORD_TABLE_H_

// The test a reader makes of a keyword field.

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

}  // namespace binario

#endif  // BINARIO_BASE_KEYWORD_TABLE_H_
