#ifndef BINARIO_TOOLS_TEXT_TEXT_SCAN_H_
#define BINARIO_TOOLS_TEXT_TEXT_SCAN_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/field_reader.h"
#include "text/source_text.h"

namespace binario::tool {

// How a value is read: a number stored at a width, or a text.
enum class Width { kI32, kI16, kU8, kText };

struct ValueSpec {
  const char* name;
  Width width;
};

// A keyword as the reader tests it, with the values it then reads.
struct KeywordSpec {
  const char* written;  // as a text writes it, such as "segnale"
  const char* word;
  const char* second;   // nullptr: one word
  bool case_sensitive;  // both words must stand in lower case as written
  std::vector<ValueSpec> values;
};

// One field as the reader reads it, and where it stands in the text.
struct Field {
  size_t start = 0;  // first byte, after the blanks the reader skips
  size_t end = 0;    // one past its last byte
  int line = 0;
  int column = 0;
  std::string raw;  // the bytes from start to end
  Text text;        // what a text read gives
  int64_t value = 0;
  FieldReader::Failure failure = FieldReader::Failure::kNone;
  bool comma_after = false;  // a comma ends it, with no blank before
};

// A keyword field and the values its keyword read after it.
struct Statement {
  const KeywordSpec* spec = nullptr;
  Field keyword;
  std::vector<Field> values;
  // Line of its last value: past the keyword's own line when the line was
  // short and the reader took the values from the next.
  int last_line() const { return values.empty() ? keyword.line : values.back().line; }
  // Values that stand on the keyword's own line.
  size_t values_on_own_line() const;
  // The first value that could not be read, or nullptr.
  const Field* failed_value() const;
};

// What a keyword field turned out to be.
enum class FieldRole {
  kStatement,   // a keyword matched
  kComment,     // passed over for its dash
  kTitle,       // a section title such as "[segnali]"
  kLoose,       // matched nothing
  kNeverActed,  // the text ended with it, so it was never acted on
};

struct KeywordField {
  Field field;
  FieldRole role = FieldRole::kLoose;
  const KeywordSpec* case_only = nullptr;  // matches this keyword but for letter case
};

// A whole text read field by field as its reader reads it, to the end, past
// any fault the installer would stop at.
struct TextScan {
  bool general_found = false;
  std::vector<Statement> statements;
  std::vector<KeywordField> keyword_fields;
  // Keywords a line of the text may carry, for suggestions.
  std::vector<const char*> known;

  // Statements of the keyword written `written`.
  std::vector<const Statement*> all(const char* written) const;
  // The statement whose keyword stands on `line`, of the keyword written `written` when given.
  const Statement* on_line(int line, const char* written = nullptr) const;
};

TextScan scan_route_text(const SourceText& text);
// The keywords each section's reader tests, in its order.
std::span<const KeywordSpec> route_general_keywords();
std::span<const KeywordSpec> route_line_keywords();
std::span<const KeywordSpec> scenario_keywords();
TextScan scan_scenario_text(const SourceText& text);

// Lowest and highest value of a width.
int64_t width_min(Width width);
int64_t width_max(Width width);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_TEXT_TEXT_SCAN_H_
