#include "diagnostics/lint.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <string_view>

#include "diagnostics/stored_values.h"
#include "model/station_table.h"
#include "text/display_text.h"
#include "text/edit_distance.h"

namespace binario::tool {

const char* const kWarningNames[] = {
    "unknown-keyword",  "keyword-case",  "extra-values", "short-line",
    "number-separator", "tab",           "charset",      "utf8",
    "past-end",         "empty-section", "time-order",   "duplicate-station",
    "stored-value",     "empty-value",   "time-of-day",  "position-order",
    "stretch-end",      "implausible",   "route-length",
};
const size_t kWarningCount = std::size(kWarningNames);

namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = to_lower_ascii(c);
  return out;
}

bool has_letter(std::string_view s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

bool all_digits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Bytes the simulator's Windows code page does not define, and control bytes.
bool outside_charset(unsigned char c) {
  if (c == '\t' || c == '\r' || c == '\n') return false;
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// Offset of the first UTF-8 sequence of two or more bytes in `s`, or npos.
size_t first_utf8(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const size_t n = c >= 0xC2 && c <= 0xDF   ? 1
                     : c >= 0xE0 && c <= 0xEF ? 2
                     : c >= 0xF0 && c <= 0xF4 ? 3
                                              : 0;
    if (n == 0 || i + n >= s.size()) continue;
    bool ok = true;
    for (size_t k = 1; k <= n; ++k) ok &= (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    if (ok) return i;
  }
  return std::string_view::npos;
}

class Linter {
 public:
  Linter(const ScannedTexts& t, const CompileRun& run, const ScannedTexts& written)
      : t_(t), run_(run), written_(written) {}

  std::vector<Diagnostic> run() {
    if (t_.route_scan) text(*t_.route, *t_.route_scan, true);
    if (t_.scenario_scan) text(*t_.scenario, *t_.scenario_scan, false);
    if (t_.scenario_scan) scenario(*t_.scenario, *t_.scenario_scan);
    return std::move(out_);
  }

 private:
  Diagnostic& warn(const char* name, const SourceText& in, const Field* f,
                   const std::string& message) {
    Diagnostic d;
    d.severity = Severity::kWarning;
    d.warning = name;
    d.file = in.name();
    if (f != nullptr) {
      d.line = f->line;
      d.column = f->column;
      d.width = std::max<int>(1, static_cast<int>(f->raw.size()));
    }
    d.message = message;
    out_.push_back(d);
    return out_.back();
  }

  void text(const SourceText& in, const TextScan& scan, bool route);
  void statement_values(const SourceText& in, const TextScan& scan, const Statement& s);
  void scenario(const SourceText& in, const TextScan& scan);

  const ScannedTexts& t_;
  const CompileRun& run_;
  const ScannedTexts& written_;
  std::vector<Diagnostic> out_;
};

// Keyword fields that match nothing, extra values, letter case, and what the
// values and names hold.
void Linter::text(const SourceText& in, const TextScan& scan, bool route) {
  (void)route;
  std::map<int, const Statement*> last_on_line;  // statements by the line their values end on
  for (const Statement& s : scan.statements) last_on_line[s.last_line()] = &s;
  std::map<const Statement*, bool> extra_reported;

  for (const KeywordField& k : scan.keyword_fields) {
    if (k.role != FieldRole::kLoose) continue;
    const Field& f = k.field;
    auto owner = last_on_line.find(f.line);
    const Statement* s = owner != last_on_line.end() ? owner->second : nullptr;
    if (s != nullptr && !s->values.empty() && s->values.back().end <= f.start &&
        s->values.back().failure == FieldReader::Failure::kNone) {
      if (extra_reported[s]) continue;
      extra_reported[s] = true;
      const Field& last = s->values.back();
      const ValueSpec& spec = s->spec->values.back();
      const std::string keyword = std::string("'") + s->spec->written + "'";
      if (last.comma_after && f.start == last.end + 1 && all_digits(f.raw) &&
          spec.width != Width::kText) {
        Field both = last;
        both.raw = last.raw + "," + f.raw;
        Diagnostic& d =
            warn("number-separator", in, &both,
                 "the comma in " + quoted_text(both.raw) + " ends the value: the installer reads " +
                     std::to_string(last.value) + " for the " + spec.name + " of " + keyword +
                     " and passes over " + quoted_text(f.raw));
        d.hints.push_back(f.raw.size() == 3 ? "write " + last.raw + f.raw + " without a separator"
                                            : "values are whole numbers, such as " + last.raw);
        continue;
      }
      int extra = 0;
      for (const KeywordField& e : scan.keyword_fields) {
        extra += e.field.line == f.line && e.field.start >= f.start;
      }
      Diagnostic& d =
          warn("extra-values", in, &f,
               keyword + " takes " + std::to_string(s->values.size()) + " values; this line has " +
                   std::to_string(s->values.size() + static_cast<size_t>(extra)));
      d.notes.push_back({"the installer reads " + quoted_text(f.raw) +
                         " as the next keyword field and passes over it"});
      continue;
    }
    if (k.case_only != nullptr) {
      Diagnostic& d =
          warn("keyword-case", in, &f,
               quoted_text(f.raw) + " is not read: the reader takes '" + k.case_only->test.word +
                   "' and '" + k.case_only->test.second + "' only in lower case");
      d.hints.push_back(std::string("write '") + k.case_only->written + "'");
      continue;
    }
    // A word at the start of a line that no keyword test takes.
    std::string_view line = in.line(f.line);
    const bool first_on_line =
        line.substr(0, static_cast<size_t>(f.column - 1)).find_first_not_of(' ') ==
        std::string_view::npos;
    if (!first_on_line || !has_letter(f.raw)) continue;
    Diagnostic& d =
        warn("unknown-keyword", in, &f,
             "unknown keyword " + quoted_text(f.raw) + ": the installer passes over this line");
    const std::string word = lower(f.raw);
    const char* best = nullptr;
    size_t best_distance = 0;
    for (const char* known : scan.known) {
      // A keyword may stand with other words in its field: compare it with
      // the field's words too.
      size_t dd = edit_distance(word, known);
      size_t pos = 0;
      while (pos < word.size()) {
        size_t endw = word.find(' ', pos);
        if (endw == std::string::npos) endw = word.size();
        std::string_view w = std::string_view(word).substr(pos, endw - pos);
        std::string_view kw = known;
        dd = std::min(dd, edit_distance(w, kw.substr(0, kw.find(' '))));
        pos = endw + 1;
      }
      if (best == nullptr || dd < best_distance) {
        best = known;
        best_distance = dd;
      }
    }
    if (best != nullptr &&
        best_distance <= std::max<size_t>(2, std::string_view(best).size() / 4)) {
      d.hints.push_back(std::string("did you mean '") + best + "'?");
    }
  }

  for (const Statement& s : scan.statements) statement_values(in, scan, s);
}

void Linter::statement_values(const SourceText& in, const TextScan& scan, const Statement& s) {
  (void)scan;
  const std::string keyword = std::string("'") + s.spec->written + "'";
  // A line that ended before its values: the reader took them from the next line.
  const Field* failed = s.failed_value();
  if (failed == nullptr && s.last_line() != s.keyword.line) {
    const size_t own = s.values_on_own_line();
    const Field& last = own > 0 ? s.values[own - 1] : s.keyword;
    Field at = last;
    at.column = last.column + static_cast<int>(last.raw.size());
    at.raw.clear();
    Diagnostic& d = warn("short-line", in, &at,
                         keyword + " takes " + std::to_string(s.values.size()) +
                             " values; this line has " + std::to_string(own));
    d.notes.push_back(
        {"the installer reads the missing values from line " + std::to_string(s.values[own].line)});
  }
  for (size_t i = 0; i < s.values.size(); ++i) {
    const Field& v = s.values[i];
    if (v.failure != FieldReader::Failure::kNone) break;
    const bool text = s.spec->values[i].width == Width::kText;
    if (size_t tab = v.raw.find('\t'); tab != std::string::npos && text) {
      Field at = v;
      at.column += static_cast<int>(tab);
      at.raw.assign(1, '\t');
      Diagnostic& d = warn("tab", in, &at,
                           "a tab is not a blank to the reader: it stays in the " +
                               std::string(s.spec->values[i].name));
      d.hints.push_back("use spaces");
    }
    if (!text) continue;
    for (size_t b = 0; b < v.raw.size(); ++b) {
      const unsigned char c = static_cast<unsigned char>(v.raw[b]);
      if (!outside_charset(c) || c == '\t') continue;
      Field at = v;
      at.column += static_cast<int>(b);
      at.raw = v.raw.substr(b, 1);
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", c);
      warn("charset", in, &at,
           std::string("byte ") + hex + " in the " + s.spec->values[i].name +
               " is outside the simulator's character set (Windows-1252)");
      break;
    }
    if (size_t u = first_utf8(v.raw); u != std::string::npos) {
      Diagnostic& d =
          warn("utf8", in, &v,
               "the " + std::string(s.spec->values[i].name) + " " + quoted_text(v.text.view()) +
                   " holds UTF-8 bytes; the simulator shows them as they stand here");
      d.hints.push_back("save the file as Windows-1252 (ANSI)");
    }
  }
  // An object that the grid's run-out takes, past the end of the route.
  static const KeywordSpec* const kPlaced[] = {&kw::kSignal,        &kw::kSlowdown,
                                               &kw::kCodePoint,     &kw::kStation,
                                               &kw::kLocationBoard, &kw::kSpeedBoard};
  if (run_.route_length_read && !s.values.empty() &&
      s.values[0].failure == FieldReader::Failure::kNone && s.values[0].value > run_.route_length &&
      std::find(std::begin(kPlaced), std::end(kPlaced), s.spec) != std::end(kPlaced)) {
    warn("past-end", in, &s.values[0],
         "position " + std::to_string(s.values[0].value) + " m is past the end of the route (" +
             std::to_string(run_.route_length) + " m)");
  }
}

void Linter::scenario(const SourceText& in, const TextScan& scan) {
  // An empty text is an error of its own.
  if (in.bytes().find_first_not_of(" \t\r\n") == std::string::npos) return;
  if (!scan.general_found) {
    Diagnostic& d = warn("empty-section", in, nullptr,
                         std::string("the scenario text has no '") + grammar::kGeneralTitle +
                             "' field: the installer reads none of it");
    d.hints.push_back(std::string("start the scenario's values with a line '") +
                      grammar::kGeneralTitle + "'");
    return;
  }
  struct Needed {
    const KeywordSpec& keyword;
    const char* meaning;  // after "no '<keyword>' line: "
  };
  for (Needed n : {Needed{kw::kStation, ""}, Needed{kw::kCars, "the train has 0 cars"},
                   Needed{kw::kBrakedMass, "the braked mass is 0 %"},
                   Needed{kw::kClock, "the clock starts at 0:00:00"}}) {
    if (!scan.all(n.keyword).empty() || !written_.scenario_scan->all(n.keyword).empty()) continue;
    // A line of that keyword whose fault set it aside is there all the same.
    bool written = false;
    for (int l = 1; l <= written_.scenario->line_count() && !written; ++l) {
      std::string_view line = written_.scenario->line(l);
      written = contains_ignoring_case(line.substr(0, line.find(',')), n.keyword.test.word);
    }
    if (written) continue;
    if (&n.keyword == &kw::kStation) {
      warn("empty-section", in, nullptr, "no station lines: the service has no stations");
    } else {
      warn("empty-section", in, nullptr,
           std::string("no '") + n.keyword.written + "' line: " + n.meaning);
    }
  }
  // Stations in the order of the line: names once, times forward.
  std::map<std::string, const Statement*> names;
  for (const Statement* s : scan.all(kw::kStation)) {
    if (s->failed_value() != nullptr) continue;
    const Field& name = s->values[16];
    std::string key = lower(name.text.view());
    if (key.empty()) continue;
    auto [it, fresh] = names.emplace(key, s);
    if (fresh) continue;
    Diagnostic& d = warn("duplicate-station", in, &name,
                         "station " + quoted_text(name.raw) + " is listed twice");
    d.notes.push_back({"it is first listed here", in.name(), it->second->values[16].line,
                       it->second->values[16].column});
  }
  for (Diagnostic& d : time_order_findings(in, scan)) out_.push_back(std::move(d));
}

}  // namespace

std::vector<Diagnostic> lint_texts(const ScannedTexts& texts, const CompileRun& run,
                                   const ScannedTexts& written) {
  return Linter(texts, run, written).run();
}

}  // namespace binario::tool
