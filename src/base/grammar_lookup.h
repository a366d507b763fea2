#ifndef BINARIO_BASE_GRAMMAR_LOOKUP_H_
#define BINARIO_BASE_GRAMMAR_LOOKUP_H_

// Lookups in a grammar for the author tool: a keyword by its name, and the
// keyword and value a byte of a keyword line stands in, read with the same
// field rules as the installer's readers.

#include <cstddef>
#include <span>
#include <string_view>

#include "base/grammar.h"

namespace binario::grammar {

// The keyword of `keywords` written `name`; otherwise the first one whose
// test the field `name` passes, as the reader would act on it; nullptr when
// none.
const KeywordDef* find_keyword(std::span<const KeywordDef> keywords, std::string_view name);

// Where a byte of a keyword line falls.
struct LinePlace {
  const KeywordDef* keyword = nullptr;  // nullptr: the first field holds no keyword
  int value = -1;                       // the value's index; -1: the keyword field or none
  size_t start = 0;                     // the field's bytes in the line: [start, end)
  size_t end = 0;
};

// The keyword of the line's first field (the first of `keywords` it passes)
// and the field that holds byte `offset`: the keyword field, a value, or
// nothing (past the values the keyword takes, or a comment line). The
// blanks before a field belong to it, and so does the comma after it.
LinePlace place_in_line(std::span<const KeywordDef> keywords, std::string_view line, size_t offset);

}  // namespace binario::grammar

#endif  // BINARIO_BASE_GRAMMAR_LOOKUP_H_
