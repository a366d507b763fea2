#include "text/text_scan.h"

#include <string_view>

#include "base/grammar_lookup.h"
#include "base/text.h"
#include "route/route_grammar.h"
#include "scenario/scenario_grammar.h"

namespace binario::tool {

namespace {

const auto& kRouteGeneral = route_grammar::kGeneralKeywords;
const auto& kRouteLine = route_grammar::kLineKeywords;
const auto& kScenario = scenario_grammar::kKeywords;

// The keyword's test made in any letter case.
bool matches_in_any_case(const KeywordSpec& k, std::string_view field) {
  return Keyword{k.test.word, k.test.second, false}.matches(field);
}

bool is_comment(std::string_view field) { return contains(field, grammar::kCommentMark); }

// Reads fields as the readers do, one reader per field so that a field
// that fails does not stop the ones after it.
class Cursor {
 public:
  explicit Cursor(const SourceText& source) : source_(source) {}

  bool at_end() const { return pos_ >= source_.bytes().size(); }

  Field read(Width width) {
    const std::string& b = source_.bytes();
    grammar::FieldRead r = grammar::read_field(b, pos_, width);
    Field f;
    f.start = r.start;
    f.end = r.end;
    f.raw = b.substr(r.start, r.end - r.start);
    f.text = std::move(r.text);
    f.value = r.value;
    f.failure = r.failure;
    f.comma_after = r.end < b.size() && b[r.end] == ',';
    f.line = source_.line_of(r.start);
    f.column = source_.column_of(r.start);
    pos_ = r.next;
    return f;
  }

 private:
  const SourceText& source_;
  size_t pos_ = 0;
};

class Scanner {
 public:
  explicit Scanner(const SourceText& source) : in_(source) {}

  TextScan scan_route();
  TextScan scan_scenario();

 private:
  // Skips to the field after "[generale]"; false when the text ends first.
  bool find_general();
  Field keyword(FieldRole role = FieldRole::kLoose) {
    out_.keyword_fields.push_back({in_.read(Width::kText), role, nullptr});
    return out_.keyword_fields.back().field;
  }
  void mark(FieldRole role) { out_.keyword_fields.back().role = role; }
  // Runs every test of `specs` on the field; true when one matched.
  template <size_t N>
  bool run_tests(const KeywordSpec (&specs)[N], const Field& field);
  void read_values(const KeywordSpec& spec, const Field& field);
  // Reads keyword lines to the end of the text, up to `skips` comment
  // fields before each keyword, and runs `specs` on each keyword.
  template <size_t N>
  void scan_keyword_lines(const KeywordSpec (&specs)[N], int skips);
  void know(const KeywordSpec* specs, size_t n) {
    for (size_t i = 0; i < n; ++i) out_.known.push_back(specs[i].written);
  }

  Cursor in_;
  TextScan out_;
};

bool Scanner::find_general() {
  while (!in_.at_end()) {
    Field f = in_.read(Width::kText);
    if (in_.at_end()) return false;
    if (contains_ignoring_case(f.text, grammar::kGeneralTitle)) return true;
  }
  return false;
}

void Scanner::read_values(const KeywordSpec& spec, const Field& field) {
  Statement s;
  s.spec = &spec;
  s.keyword = field;
  for (const ValueSpec& v : spec.values) s.values.push_back(in_.read(v.width));
  out_.statements.push_back(std::move(s));
}

template <size_t N>
bool Scanner::run_tests(const KeywordSpec (&specs)[N], const Field& field) {
  bool any = false;
  for (const KeywordSpec& k : specs) {
    if (k.test.matches(field.text)) {
      read_values(k, field);
      any = true;
    } else if (k.test.exact_case && matches_in_any_case(k, field.text) &&
               out_.keyword_fields.back().case_only == nullptr) {
      out_.keyword_fields.back().case_only = &k;
    }
  }
  if (any) {
    out_.keyword_fields.back().role = FieldRole::kStatement;
  } else if (grammar::is_section_title(field.text)) {
    out_.keyword_fields.back().role = FieldRole::kTitle;
  }
  return any;
}

template <size_t N>
void Scanner::scan_keyword_lines(const KeywordSpec (&specs)[N], int skips) {
  for (;;) {
    if (in_.at_end()) return;
    Field f = keyword();
    bool ended = in_.at_end();
    for (int i = 0; i < skips && !ended && is_comment(f.text); ++i) {
      mark(FieldRole::kComment);
      f = keyword();
      ended = in_.at_end();
    }
    if (ended) {
      mark(FieldRole::kNeverActed);
      return;
    }
    run_tests(specs, f);
  }
}

TextScan Scanner::scan_route() {
  know(kRouteGeneral, std::size(kRouteGeneral));
  know(kRouteLine, std::size(kRouteLine));
  out_.general_found = find_general();
  if (!out_.general_found) return std::move(out_);
  // General section: comment fields passed over with no end test between.
  for (;;) {
    if (in_.at_end()) break;
    Field f = keyword();
    if (in_.at_end()) {
      mark(FieldRole::kNeverActed);
      break;
    }
    for (int i = 0; i < route_grammar::kGeneralCommentSkips && is_comment(f.text); ++i) {
      mark(FieldRole::kComment);
      f = keyword();
    }
    if (f.failure != FieldReader::Failure::kNone) return std::move(out_);
    run_tests(kRouteGeneral, f);
    if (route_grammar::ends_general_section(f.text)) break;
  }
  scan_keyword_lines(kRouteLine, route_grammar::kLineCommentSkips);
  return std::move(out_);
}

TextScan Scanner::scan_scenario() {
  know(kScenario, std::size(kScenario));
  out_.general_found = find_general();
  if (!out_.general_found) return std::move(out_);
  scan_keyword_lines(kScenario, scenario_grammar::kCommentSkips);
  return std::move(out_);
}

}  // namespace

size_t Statement::values_on_own_line() const {
  size_t n = 0;
  while (n < values.size() && values[n].line == keyword.line &&
         values[n].failure != FieldReader::Failure::kPastEnd) {
    ++n;
  }
  return n;
}

const Field* Statement::failed_value() const {
  for (const Field& v : values) {
    if (v.failure != FieldReader::Failure::kNone) return &v;
  }
  return nullptr;
}

std::vector<const Statement*> TextScan::all(const KeywordSpec& keyword) const {
  std::vector<const Statement*> out;
  for (const Statement& s : statements) {
    if (s.is(keyword)) out.push_back(&s);
  }
  return out;
}

const Statement* TextScan::on_line(int line, const KeywordSpec* keyword) const {
  for (const Statement& s : statements) {
    if (s.keyword.line == line && (keyword == nullptr || s.is(*keyword))) return &s;
  }
  return nullptr;
}

TextScan scan_route_text(const SourceText& text) { return Scanner(text).scan_route(); }
TextScan scan_scenario_text(const SourceText& text) { return Scanner(text).scan_scenario(); }

}  // namespace binario::tool
