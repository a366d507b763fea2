#ifndef BINARIO_BASE_GRAMMAR_H_
#define BINARIO_BASE_GRAMMAR_H_

// The words of a text's grammar: sections, keywords and the values a keyword
// line carries, each with its name, unit, the width it is read at and what
// the installer stores. The route and scenario grammars are tables of these,
// beside their readers.
//
// A grammar table is constexpr. The installer links only the compact rules
// derived from it (keyword test and value widths); names, units and storage
// texts are read only by the author tool and the language reference.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/field_reader.h"
#include "base/keyword_table.h"

namespace binario::grammar {

// The width a number is read at; a value that does not fit it is a reading
// failure. A text value runs to the next comma or line end.
enum class Width : uint8_t { kI32, kI16, kU8, kText };

constexpr int64_t width_min(Width w) {
  return w == Width::kI32 ? INT32_MIN : w == Width::kI16 ? INT16_MIN : 0;
}
constexpr int64_t width_max(Width w) {
  return w == Width::kI32 ? INT32_MAX : w == Width::kI16 ? INT16_MAX : w == Width::kU8 ? 255 : 0;
}

// The field that opens the keyword lines of both texts, in any letter case;
// everything before it is passed over.
inline constexpr const char kGeneralTitle[] = "[generale]";

// One value of a keyword line, in its place on the line.
struct Value {
  const char* name;    // as authors read it: "position", "left speed A"
  const char* unit;    // "m", "km/h", "‰", "" for a plain number
  Width width;         // read at this width
  const char* stored;  // what the installer keeps of it
};

// A keyword: the words its test looks for, how a text writes it, and its values.
struct KeywordDef {
  const char* written;  // as texts write it: "progressiva chilometrica tre"
  Keyword test;
  std::span<const Value> values;
  const char* meaning;  // one line: what the line declares
  // Values of an example line, for a keyword the sample scenario lacks.
  const char* example = nullptr;
};

// A section of a text, with the keywords tested in it, in order.
struct SectionDef {
  const char* title;  // "[generale]", or the region's name when it has no title
  std::span<const KeywordDef> keywords;
  const char* meaning;
};

// The most values a keyword line carries (a station line), and the most of
// them that are numbers.
inline constexpr size_t kMaxValues = 17;
inline constexpr size_t kMaxNumbers = 16;

// What the installer links of a keyword: its test and the widths of its
// number values, two bits each in line order; a text value stands only last.
struct KeywordRule {
  const char* word;
  const char* second;
  bool exact_case;
  uint8_t count;    // values, a text value included
  uint32_t widths;  // of the number values

  bool matches(std::string_view field) const {
    return Keyword{word, second, exact_case}.matches(field);
  }
  Width width(size_t i) const {
    return i < kMaxNumbers ? static_cast<Width>((widths >> (2 * i)) & 3u) : Width::kText;
  }
};

constexpr KeywordRule rule_of(const KeywordDef& k) {
  uint32_t widths = 0;
  for (size_t i = 0; i < k.values.size() && i < kMaxNumbers; ++i) {
    widths |= static_cast<uint32_t>(k.values[i].width) << (2 * i);
  }
  return {k.test.word, k.test.second, k.test.exact_case, static_cast<uint8_t>(k.values.size()),
          widths};
}

// Reads values [from, to) of a keyword line into out[from] to out[to - 1],
// each number at its width; a failed read leaves the reader failed.
void read_numbers(FieldReader& in, const KeywordRule& rule, int32_t* out, size_t from, size_t to);

// Runs, in table order, `run(actions[i], rules[i])` for every rule whose test
// `field` matches (tested afresh before each, as an action may read on), until
// one answers other than `go_on`; answers that, or `go_on`.
template <size_t N, typename Action, typename Result, typename Run>
Result run_rules(const std::array<KeywordRule, N>& rules, const Action (&actions)[N],
                 const Text& field, Result go_on, Run run) {
  for (size_t i = 0; i < N; ++i) {
    if (!rules[i].matches(field.view())) continue;
    const Result result = run(actions[i], rules[i]);
    if (result != go_on) return result;
  }
  return go_on;
}

// The rules of a section's keywords, in test order.
template <size_t N>
constexpr std::array<KeywordRule, N> rules_of(std::span<const KeywordDef, N> keywords) {
  std::array<KeywordRule, N> rules{};
  for (size_t i = 0; i < N; ++i) rules[i] = rule_of(keywords[i]);
  return rules;
}

// True when every keyword carries at most kMaxValues values, of them at most
// kMaxNumbers numbers, a text value only last, and each value has a name, a
// unit and a storage text.
constexpr bool well_formed(std::span<const KeywordDef> keywords) {
  for (const KeywordDef& k : keywords) {
    if (k.values.empty() || k.values.size() > kMaxValues) return false;
    for (size_t i = 0; i < k.values.size(); ++i) {
      const Value& v = k.values[i];
      if (v.name == nullptr || v.unit == nullptr || v.stored == nullptr) return false;
      if (v.width == Width::kText && i + 1 != k.values.size()) return false;
      if (v.width != Width::kText && i >= kMaxNumbers) return false;
    }
  }
  return true;
}

}  // namespace binario::grammar

#endif  // BINARIO_BASE_GRAMMAR_H_
