#include <algorithm>
#include <map>
#include <string>

#include "diagnostics/stored_values.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

// A value no real train or line has, though the installer stores it.
struct Plausible {
  const KeywordSpec* keyword;
  size_t value;
  int64_t min;
  int64_t max;
  const char* meaning;  // what a value outside min to max says
};

// Adhesion past 255 and other values that wrap are errors of their own.
const Plausible kPlausible[] = {
    {&kw::kCars, 0, 1, INT32_MAX, "a train has at least one car"},
    {&kw::kBrakedMass, 0, 0, 200, "no train brakes with far more than 100 % of its mass"},
    {&kw::kAdherence, 1, 0, 100, "adhesion runs from 0 to 100"},
    {&scenario_grammar::kKeywords[scenario_grammar::kSand], 0, 0, INT16_MAX,
     "no train carries a negative amount of sand"},
    {&kw::kStation, 2, 0, INT32_MAX, "no station has a negative length"},
    {&kw::kSlowdown, 1, 0, INT32_MAX, "no slowdown has a negative speed"},
};

// How far past its last station a route may run on before its length looks
// like a typing mistake.
constexpr int64_t kRouteTail = 10000;

bool whole(const Statement& s) { return s.failed_value() == nullptr; }

std::string keyword_of(const Statement& s) { return std::string("'") + s.spec->written + "'"; }

// Within the lines of one keyword, positions increase along the line.
void position_order(const SourceText& in, const TextScan& scan, std::vector<Diagnostic>& out) {
  std::map<std::string_view, const Statement*> previous;
  for (const Statement& s : scan.statements) {
    if (!whole(s) || !carries_position(s)) continue;
    const Statement*& before = previous[s.spec->written];
    if (before != nullptr && s.values[0].value <= before->values[0].value) {
      const bool same = s.values[0].value == before->values[0].value;
      Diagnostic d = finding_at(
          Severity::kWarning, "position-order", in, s.values[0],
          keyword_of(s) + " at " + std::to_string(s.values[0].value) + " m " +
              (same ? "repeats the position of" : "goes back from") + " the line before it (" +
              std::to_string(before->values[0].value) + " m, line " +
              std::to_string(before->keyword.line) + "): lines run in the order of the line");
      d.notes.push_back({"the line before it is here", in.name(), before->values[0].line,
                         before->values[0].column});
      out.push_back(std::move(d));
    }
    before = &s;
  }
}

// A mountain's end, a slowdown's and a curve's length.
void stretch_end(const SourceText& in, const TextScan& scan, std::vector<Diagnostic>& out) {
  for (const Statement& s : scan.statements) {
    if (!whole(s)) continue;
    if (s.is(kw::kMountain) && s.values[1].value <= s.values[0].value) {
      out.push_back(finding_at(Severity::kWarning, "stretch-end", in, s.values[1],
                               "the mountain stretch ends at " + std::to_string(s.values[1].value) +
                                   " m, not after its start at " +
                                   std::to_string(s.values[0].value) +
                                   " m: the installer lays no mountain"));
    }
    const bool slowdown = s.is(kw::kSlowdown);
    if ((slowdown || s.is(kw::kCurve)) && s.values[slowdown ? 2 : 1].value <= 0) {
      const Field& f = s.values[slowdown ? 2 : 1];
      out.push_back(finding_at(Severity::kWarning, "stretch-end", in, f,
                               std::string(slowdown ? "the slowdown" : "the curve") +
                                   " has length " + std::to_string(f.value) +
                                   " m: its end is not after its start"));
    }
  }
}

void implausible(const SourceText& in, const TextScan& scan, std::vector<Diagnostic>& out) {
  for (const Statement& s : scan.statements) {
    if (!whole(s)) continue;
    for (const Plausible& p : kPlausible) {
      if (!s.is(*p.keyword)) continue;
      const Field& f = s.values[p.value];
      if (f.value >= p.min && f.value <= p.max) continue;
      // A value past what its byte holds is reported as stored otherwise.
      if (s.is(kw::kAdherence) && (f.value < 0 || f.value > 255)) {
        continue;
      }
      out.push_back(finding_at(Severity::kWarning, "implausible", in, f,
                               std::string(s.spec->values[p.value].name) + " " +
                                   with_unit(f.value, s.spec->values[p.value]) + " of " +
                                   keyword_of(s) + ": " + p.meaning));
    }
  }
}

void route_tail(const ScannedTexts& t, const CompileRun& run, std::vector<Diagnostic>& out) {
  if (!t.route_scan || !t.scenario_scan || !run.route_length_read) return;
  const Statement* last = nullptr;
  for (const Statement* s : t.scenario_scan->all(kw::kStation)) {
    if (whole(*s) && (last == nullptr || s->values[0].value > last->values[0].value)) last = s;
  }
  const std::vector<const Statement*> lengths = t.route_scan->all(kw::kRouteLength);
  if (last == nullptr || lengths.empty() || !whole(*lengths.back())) return;
  const Field& length = lengths.back()->values[0];
  if (length.value - last->values[0].value <= kRouteTail) return;
  Diagnostic d =
      finding_at(Severity::kWarning, "route-length", *t.route, length,
                 "the route is " + std::to_string(length.value) + " m long, " +
                     std::to_string(length.value - last->values[0].value) +
                     " m past its last station " + quoted_text(last->values[16].text.view()) +
                     " at " + std::to_string(last->values[0].value) + " m");
  d.notes.push_back({"the last station is here", t.scenario->name(), last->values[0].line,
                     last->values[0].column});
  d.hints.push_back("the route length is the position of the end of the line, in metres");
  out.push_back(std::move(d));
}

bool blank(std::string_view bytes) {
  return bytes.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

bool carries_position(const Statement& s) {
  const std::string_view first = s.spec->values.empty() ? "" : s.spec->values[0].name;
  return (first == "position" || first == "start") && !s.is(kw::kRepetition);
}

std::vector<Diagnostic> plausibility_findings(const ScannedTexts& texts, const CompileRun& run) {
  std::vector<Diagnostic> out;
  if (texts.scenario && blank(texts.scenario->bytes())) {
    Diagnostic d;
    d.file = texts.scenario->name();
    d.message =
        "the scenario text is empty: the installer would install a service with no station, no "
        "signal and no timetable";
    d.hints.push_back("write the service's lines after a line '[generale]'");
    out.push_back(std::move(d));
  }
  for (auto [in, scan] :
       {std::pair{texts.route, texts.route_scan}, std::pair{texts.scenario, texts.scenario_scan}}) {
    if (scan == nullptr) continue;
    position_order(*in, *scan, out);
    stretch_end(*in, *scan, out);
    implausible(*in, *scan, out);
  }
  route_tail(texts, run, out);
  return out;
}

}  // namespace binario::tool
