#include "diagnostics/fault_locator.h"

#include <algorithm>
#include <string>
#include <vector>

#include "diagnostics/fault_text.h"
#include "diagnostics/locator.h"
#include "model/cell_index.h"
#include "model/grid_cell.h"
#include "model/station_table.h"
#include "scenario/slowdown.h"
#include "scenario/station_line.h"

namespace binario::tool {

namespace locator {

std::string metres(int64_t m) { return std::to_string(m) + " m"; }

std::string value_names(const KeywordSpec& k, size_t first) {
  std::string names;
  for (size_t i = first; i < k.values.size(); ++i) {
    names += (names.empty() ? "" : ", ") + std::string(k.values[i].name);
  }
  return names;
}

std::string multiples_hint(int64_t v, int64_t step) {
  int64_t below = v >= 0 ? v / step * step : -((-v + step - 1) / step * step);
  return "the nearest multiples of " + std::to_string(step) + " are " + std::to_string(below) +
         " and " + std::to_string(below + step);
}

namespace {

using Cells = std::vector<std::pair<int32_t, const char*>>;

// A slowdown takes its start and end cells, its warning board 1200 m before
// the start when there is room, and four pre-warning marks before the board.
void slowdown_cells(const Statement& s, Cells* out) {
  auto value = [&](size_t i) { return static_cast<int32_t>(s.values[i].value); };
  const int32_t x = value(0);
  const bool board = x > kWarningBoardMinStart;
  const int32_t a = board ? cell_of(static_cast<double>(x) - kWarningBoardDistance, 1) : 0;
  if (board) out->push_back({a, "slowdown's warning board"});
  out->push_back({cell_of(x, 1), "slowdown's start"});
  out->push_back({static_cast<int32_t>(slowdown_end_cell(x, value(2))), "slowdown's end"});
  if (board && value(4) != 0) {
    int32_t h = x % 50 == 0 ? a - 1 : cell_of(static_cast<double>(x) - kWarningBoardDistance);
    for (int32_t i = 0; i < 4; ++i) out->push_back({h - i, "slowdown's pre-warning mark"});
  }
}

}  // namespace

Cells cells_of(const Statement& s) {
  Cells out;
  if (s.failed_value() != nullptr) return out;
  const auto first = static_cast<int32_t>(s.values[0].value);
  if (s.is(kw::kSignal)) {
    out.push_back({point_cell(first), "signal"});
  } else if (s.is(kw::kLocationBoard)) {
    out.push_back({point_cell(first), "location board"});
  } else if (s.is(kw::kSpeedBoard)) {
    out.push_back({point_cell(first), "speed-indicator board"});
  } else if (s.is(kw::kCodePoint)) {
    out.push_back({cell_of(first), "code point"});
  } else if (s.is(kw::kSlowdown)) {
    slowdown_cells(s, &out);
  } else if (s.is(kw::kStation) && s.values[1].value < kFirstLocationKind) {
    out.push_back({static_cast<int32_t>(station_area(s).end / 50 - 1), "station's stop marker"});
  }
  return out;
}

Locator::Locator(const CompileRun& run, const ScannedTexts& texts) : run_(run), t_(texts) {
  for (auto [scan, text] : {std::pair{t_.route_scan, t_.route}, {t_.scenario_scan, t_.scenario}}) {
    if (scan == nullptr) continue;
    for (const Statement& s : scan->statements) {
      for (auto [cell, what] : cells_of(s)) owners_.push_back({cell, what, &s, text});
    }
  }
}

const SourceText* Locator::source() const {
  return fault().input == InputText::kRoute ? t_.route : t_.scenario;
}

const TextScan* Locator::scan() const {
  return fault().input == InputText::kRoute ? t_.route_scan : t_.scenario_scan;
}

const SourceText* Locator::source_of(const Statement* s) const {
  for (const Owner& o : owners_) {
    if (o.statement == s) return o.source;
  }
  return source();
}

LocatedFault Locator::at(const Statement& s, const Field& f, const std::string& message,
                         const SourceText* in) {
  LocatedFault out = at_line(in ? in : source_of(&s), f.line, message);
  out.diagnostic.column = f.column;
  out.diagnostic.width = std::max<int>(1, static_cast<int>(f.raw.size()));
  out.set_aside_line = s.keyword.line;
  return out;
}

LocatedFault Locator::at_line(const SourceText* in, int line, const std::string& message) {
  LocatedFault out;
  out.diagnostic.file = in ? in->name() : std::string();
  out.diagnostic.line = line;
  out.diagnostic.code = code_of(fault().fault);
  out.diagnostic.message = message;
  out.set_aside_text = in == t_.route ? InputText::kRoute : InputText::kScenario;
  out.set_aside_line = line;
  return out;
}

LocatedFault Locator::whole(const SourceText* in, const std::string& name,
                            const std::string& message) {
  LocatedFault out;
  out.diagnostic.file = in ? in->name() : !name.empty() ? name : missing_name();
  out.diagnostic.code = code_of(fault().fault);
  out.diagnostic.message = message;
  return out;
}

std::string Locator::missing_name() const {
  return fault().input == InputText::kScenario || fault().fault != Fault::kNoRouteText
             ? t_.scenario_name
             : t_.route_name;
}

Note Locator::note_at(const Statement& s, const Field& f, const std::string& text) {
  return Note{text, source_of(&s)->name(), f.line, f.column};
}

const Statement* Locator::stopped(const KeywordSpec* keyword) const {
  const TextScan* s = scan();
  if (s == nullptr || fault().byte < 0) return nullptr;
  const auto at = static_cast<size_t>(fault().byte);
  const Statement* by_value = nullptr;
  for (const Statement& st : s->statements) {
    if (keyword != nullptr && !st.is(*keyword)) continue;
    if (st.keyword.start == at) return &st;
    for (const Field& v : st.values) {
      if (v.start == at && by_value == nullptr) by_value = &st;
    }
  }
  return by_value;
}

void Locator::owners_notes(int32_t cell, const Statement* before, std::vector<Note>* notes) {
  for (const Owner& o : owners_) {
    if (o.statement == before) break;
    if (o.cell != cell) continue;
    notes->push_back(Note{"cell " + std::to_string(cell) + " is taken by the " + o.what + " at " +
                              metres(o.statement->values[0].value) + " on this line",
                          o.source->name(), o.statement->keyword.line,
                          o.statement->keyword.column});
  }
}

bool Locator::owned(int32_t cell) const {
  return std::any_of(owners_.begin(), owners_.end(),
                     [&](const Owner& o) { return o.cell == cell; });
}

LocatedFault Locator::plain() {
  if (fault().line > 0) return at_line(source(), fault().line, fault_text(fault().fault));
  return whole(source(), "", fault_text(fault().fault));
}

LocatedFault Locator::locate() {
  const int32_t p = fault().position;
  switch (fault().fault) {
    case Fault::kNoRouteText:
      return no_route_text();
    case Fault::kNoGeneralSection:
      return no_general_section();
    case Fault::kRouteTooLong:
      return route_too_long();
    case Fault::kRepetitionStart:
    case Fault::kRepetitionEnd:
      return repetition_position();
    case Fault::kRepetitionSystem:
      return repetition_system();
    case Fault::kBadCurve:
      return bad_curve();
    case Fault::kBeyondGrid:
      return beyond_grid();
    case Fault::kLocationBoardTaken:
      return taken(kw::kLocationBoard, point_cell(p), "location board");
    case Fault::kSpeedBoardTaken:
      return taken(kw::kSpeedBoard, point_cell(p), "speed-indicator board");
    case Fault::kCodePointTaken:
      return taken(kw::kCodePoint, cell_of(p), "code point");
    case Fault::kSignalTaken:
      return taken(kw::kSignal, point_cell(p), "signal");
    case Fault::kWarningBoardTaken:
    case Fault::kSlowdownStartTaken:
    case Fault::kSlowdownEndTaken:
    case Fault::kPreWarningTaken:
      return slowdown_taken();
    case Fault::kStationPosition:
    case Fault::kStationLength:
    case Fault::kTooManyStations:
    case Fault::kStationTooClose:
    case Fault::kStopMarkerTooEarly:
      return station_fault();
    case Fault::kProgressiveNotMultiple:
      return progressive_fault();
    case Fault::kNoCellBeforeSignal:
    case Fault::kNoCellBeforeSlowdown:
    case Fault::kNoCellInsideSlowdown:
      return grid_pass_fault();
    case Fault::kHeaderStampTaken:
    case Fault::kHeaderCodeTaken:
      return header_fault();
    case Fault::kReadingFailure:
      return reading_failure();
    default:
      return plain();
  }
}

}  // namespace locator

StationArea station_area(const Statement& st) {
  const int64_t p = st.values[0].value;
  const int64_t kind = st.values[1].value;
  const int64_t length = st.values[2].value;
  const bool flag_c = st.values[5].value != 0;
  if (kind == 5 || kind == 6) return {p - length, p + 150};
  if (kind == 7 || kind == 8) return {p - length, p + length};
  return {p - length / 2, p + length / 2 + (flag_c ? 50 : 0)};
}

LocatedFault locate_fault(const CompileRun& run, const ScannedTexts& texts) {
  LocatedFault out = locator::Locator(run, texts).locate();
  // Without a route length there is no line to lay anything on: nothing
  // after an unreadable length can be judged.
  if (!run.route_length_read && out.set_aside_text == InputText::kRoute && texts.route_scan &&
      texts.route_scan->on_line(out.set_aside_line, &kw::kRouteLength) != nullptr) {
    out.set_aside_line = 0;
  }
  return out;
}

}  // namespace binario::tool
