#ifndef BINARIO_TOOLS_TEXT_TEXT_SCAN_H_
#define BINARIO_TOOLS_TEXT_TEXT_SCAN_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/field_reader.h"
#include "base/grammar.h"
#include "route/route_grammar.h"
#include "scenario/scenario_grammar.h"
#include "text/source_text.h"

namespace binario::tool {

// A keyword of a text's grammar, with the values it then reads.
using KeywordSpec = grammar::KeywordDef;
using ValueSpec = grammar::Value;
using grammar::Width;
using grammar::width_max;
using grammar::width_min;

// The keywords the tool names, as the grammars define them.
namespace kw {
inline const KeywordSpec& kRouteLength = route_grammar::kGeneralKeywords[route_grammar::kLength];
inline const KeywordSpec& kRepetition = route_grammar::kGeneralKeywords[route_grammar::kRepetition];
inline const KeywordSpec& kGradient = route_grammar::kLineKeywords[route_grammar::kGradient];
inline const KeywordSpec& kCurve = route_grammar::kLineKeywords[route_grammar::kCurve];
inline const KeywordSpec& kMountain = route_grammar::kLineKeywords[route_grammar::kMountain];
inline const KeywordSpec& kSpeedBoard = route_grammar::kLineKeywords[route_grammar::kSpeedBoard];
inline const KeywordSpec& kLocationBoard =
    route_grammar::kLineKeywords[route_grammar::kLocationBoard];
inline const KeywordSpec& kBrakedMass = scenario_grammar::kKeywords[scenario_grammar::kBrakedMass];
inline const KeywordSpec& kCars = scenario_grammar::kKeywords[scenario_grammar::kCars];
inline const KeywordSpec& kSpeed = scenario_grammar::kKeywords[scenario_grammar::kSpeed];
inline const KeywordSpec& kAdherence = scenario_grammar::kKeywords[scenario_grammar::kAdherence];
inline const KeywordSpec& kClock = scenario_grammar::kKeywords[scenario_grammar::kClock];
inline const KeywordSpec& kSignal = scenario_grammar::kKeywords[scenario_grammar::kSignal];
inline const KeywordSpec& kSlowdown = scenario_grammar::kKeywords[scenario_grammar::kSlowdown];
inline const KeywordSpec& kCodePoint = scenario_grammar::kKeywords[scenario_grammar::kCodePoint];
inline const KeywordSpec& kStation = scenario_grammar::kKeywords[scenario_grammar::kStation];
}  // namespace kw

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
  bool is(const KeywordSpec& keyword) const { return spec == &keyword; }
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

  // Statements of `keyword`.
  std::vector<const Statement*> all(const KeywordSpec& keyword) const;
  // The statement whose keyword stands on `line`, of `keyword` when given.
  const Statement* on_line(int line, const KeywordSpec* keyword = nullptr) const;
};

TextScan scan_route_text(const SourceText& text);
TextScan scan_scenario_text(const SourceText& text);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_TEXT_TEXT_SCAN_H_
