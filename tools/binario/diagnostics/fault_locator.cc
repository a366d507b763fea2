#include "diagnostics/fault_locator.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "base/round.h"
#include "diagnostics/fault_text.h"
#include "model/cell_index.h"
#include "model/grid_cell.h"
#include "model/station_table.h"
#include "scenario/slowdown.h"
#include "scenario/station_line.h"
#include "text/display_text.h"

namespace binario::tool {

namespace {

std::string metres(int64_t m) { return std::to_string(m) + " m"; }

bool is(const Statement& s, const KeywordSpec& keyword) { return s.is(keyword); }

// The names of a keyword's values from the `first` on, in line order.
std::string value_names(const KeywordSpec& k, size_t first) {
  std::string names;
  for (size_t i = first; i < k.values.size(); ++i) {
    names += (names.empty() ? "" : ", ") + std::string(k.values[i].name);
  }
  return names;
}

// The nearest multiples of `step` either side of `v`.
std::string multiples_hint(int64_t v, int64_t step) {
  int64_t below = v >= 0 ? v / step * step : -((-v + step - 1) / step * step);
  return "the nearest multiples of " + std::to_string(step) + " are " + std::to_string(below) +
         " and " + std::to_string(below + step);
}

// A cell an object takes in the grid, and who put it there.
struct Owner {
  int32_t cell;
  const char* what;
  const Statement* statement;
  const SourceText* source;
};

std::vector<std::pair<int32_t, const char*>> cells_of(const Statement& s) {
  std::vector<std::pair<int32_t, const char*>> out;
  for (const Field& v : s.values) {
    if (v.failure != FieldReader::Failure::kNone) return out;
  }
  auto value = [&](size_t i) { return static_cast<int32_t>(s.values[i].value); };
  if (is(s, kw::kSignal)) {
    out.push_back({point_cell(value(0)), "signal"});
  } else if (is(s, kw::kLocationBoard)) {
    out.push_back({point_cell(value(0)), "location board"});
  } else if (is(s, kw::kSpeedBoard)) {
    out.push_back({point_cell(value(0)), "speed-indicator board"});
  } else if (is(s, kw::kCodePoint)) {
    out.push_back({cell_of(value(0)), "code point"});
  } else if (is(s, kw::kSlowdown)) {
    const int32_t x = value(0);
    const bool board = x > kWarningBoardMinStart;
    const int32_t a = board ? cell_of(static_cast<double>(x) - kWarningBoardDistance, 1) : 0;
    if (board) out.push_back({a, "slowdown's warning board"});
    out.push_back({cell_of(x, 1), "slowdown's start"});
    out.push_back({static_cast<int32_t>(slowdown_end_cell(x, value(2))), "slowdown's end"});
    if (board && value(4) != 0) {
      int32_t h = x % 50 == 0 ? a - 1 : cell_of(static_cast<double>(x) - kWarningBoardDistance);
      for (int32_t i = 0; i < 4; ++i) out.push_back({h - i, "slowdown's pre-warning mark"});
    }
  } else if (is(s, kw::kStation) && s.values[1].value < kFirstLocationKind) {
    out.push_back({static_cast<int32_t>(station_area(s).end / 50 - 1), "station's stop marker"});
  }
  return out;
}

class Locator {
 public:
  Locator(const CompileRun& run, const ScannedTexts& texts) : run_(run), t_(texts) {
    add_owners(t_.route_scan, t_.route);
    add_owners(t_.scenario_scan, t_.scenario);
  }

  LocatedFault locate();

 private:
  void add_owners(const TextScan* scan, const SourceText* source) {
    if (scan == nullptr) return;
    for (const Statement& s : scan->statements) {
      for (auto [cell, what] : cells_of(s)) owners_.push_back({cell, what, &s, source});
    }
  }
  const SourceText* source() const {
    return run_.first.input == InputText::kRoute ? t_.route : t_.scenario;
  }
  const TextScan* scan() const {
    return run_.first.input == InputText::kRoute ? t_.route_scan : t_.scenario_scan;
  }
  const SourceText* source_of(const Statement* s) const {
    for (const Owner& o : owners_) {
      if (o.statement == s) return o.source;
    }
    return source();
  }

  // The finding, at a field of a statement; the statement's line is set aside.
  LocatedFault at(const Statement& s, const Field& f, const std::string& message,
                  const SourceText* in = nullptr) {
    LocatedFault out = at_line(in ? in : source_of(&s), f.line, message);
    out.diagnostic.column = f.column;
    out.diagnostic.width = std::max<int>(1, static_cast<int>(f.raw.size()));
    out.set_aside_line = s.keyword.line;
    return out;
  }
  LocatedFault at_line(const SourceText* in, int line, const std::string& message) {
    LocatedFault out;
    out.diagnostic.file = in ? in->name() : std::string();
    out.diagnostic.line = line;
    out.diagnostic.code = code_of(run_.first.fault);
    out.diagnostic.message = message;
    out.set_aside_text = in == t_.route ? InputText::kRoute : InputText::kScenario;
    out.set_aside_line = line;
    return out;
  }
  LocatedFault whole(const SourceText* in, const std::string& name, const std::string& message) {
    LocatedFault out;
    out.diagnostic.file = in ? in->name() : !name.empty() ? name : missing_name();
    out.diagnostic.code = code_of(run_.first.fault);
    out.diagnostic.message = message;
    return out;
  }
  std::string missing_name() const {
    return run_.first.input == InputText::kScenario || run_.first.fault != Fault::kNoRouteText
               ? t_.scenario_name
               : t_.route_name;
  }
  Note note_at(const Statement& s, const Field& f, const std::string& text) {
    return Note{text, source_of(&s)->name(), f.line, f.column};
  }

  // The statement the reader stopped on: its keyword field, or a value it
  // could not read, starts at the recorded offset. nullptr when none does.
  const Statement* at_offset() const;
  // The statement on the fault's line whose value `index` is the fault's position.
  const Statement* at_position(const KeywordSpec& keyword, size_t index = 0) const;
  // Notes naming who takes `cell`, among the objects read before `before`.
  void owners_notes(int32_t cell, const Statement* before, std::vector<Note>* notes);
  bool owned(int32_t cell) const {
    for (const Owner& o : owners_) {
      if (o.cell == cell) return true;
    }
    return false;
  }

  LocatedFault reading_failure();
  LocatedFault beyond_grid();
  LocatedFault taken(const KeywordSpec& keyword, int32_t cell, const char* what);
  LocatedFault station_fault();
  LocatedFault progressive_fault();
  LocatedFault grid_pass_fault();
  LocatedFault header_fault();

  const CompileRun& run_;
  ScannedTexts t_;
  std::vector<Owner> owners_;
};

const Statement* Locator::at_offset() const {
  const TextScan* s = scan();
  if (s == nullptr || run_.first.byte < 0) return nullptr;
  const auto at = static_cast<size_t>(run_.first.byte);
  for (const Statement& st : s->statements) {
    if (st.keyword.start == at) return &st;
    for (const Field& v : st.values) {
      if (v.start == at && v.failure != FieldReader::Failure::kNone) return &st;
    }
  }
  return nullptr;
}

const Statement* Locator::at_position(const KeywordSpec& keyword, size_t index) const {
  const Statement* stopped = at_offset();
  if (stopped != nullptr && is(*stopped, keyword) && stopped->values.size() > index &&
      stopped->values[index].value == run_.first.position) {
    return stopped;
  }
  const TextScan* s = scan();
  if (s == nullptr) return nullptr;
  const Statement* any = nullptr;
  for (const Statement& st : s->statements) {
    if (!is(st, keyword) || st.values.size() <= index) continue;
    if (st.values[index].value != run_.first.position) continue;
    if (st.keyword.line <= run_.first.line && run_.first.line <= st.last_line()) return &st;
    if (any == nullptr) any = &st;
  }
  return any;
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

LocatedFault Locator::reading_failure() {
  const SourceText* in = source();
  if (run_.first.input == InputText::kScenario && t_.scenario == nullptr) {
    return whole(nullptr, "", "the scenario text is missing");
  }
  const Statement* length_line = nullptr;
  if (t_.route_scan != nullptr) {
    for (const Statement* st : t_.route_scan->all(kw::kRouteLength)) {
      if (st->failed_value() != nullptr && length_line == nullptr) length_line = st;
    }
  }
  if (run_.first.input == InputText::kRoute && !run_.route_length_read && length_line == nullptr) {
    const std::string length = kw::kRouteLength.written;
    const std::string general = grammar::kGeneralTitle;
    LocatedFault out = whole(in, "",
                             "the route text has no '" + length + "' line in its " + general +
                                 " section, so the line has no length");
    out.diagnostic.hints.push_back("add a line such as '" + length + ", 159900' after " + general);
    return out;
  }
  const TextScan* s = scan();
  // A route length the reader cannot read leaves the line without a grid.
  const Statement* found = run_.route_length_read ? nullptr : length_line;
  if (found == nullptr) {
    // The statement whose value the reader could not read, by its offset.
    found = at_offset();
    if (found != nullptr && found->failed_value() == nullptr) found = nullptr;
  }
  if (s != nullptr && found == nullptr) {
    for (const Statement& st : s->statements) {
      const Field* f = st.failed_value();
      if (f == nullptr) continue;
      if (found == nullptr) found = &st;
      if (st.keyword.line == run_.first.line || f->line == run_.first.line) {
        found = &st;
        break;
      }
    }
  }
  if (found != nullptr) {
    const Statement& st = *found;
    const Field& f = *st.failed_value();
    const size_t index = static_cast<size_t>(&f - st.values.data());
    const ValueSpec& spec = st.spec->values[index];
    const std::string keyword = std::string("'") + st.spec->written + "'";
    if (f.line != st.keyword.line || f.failure == FieldReader::Failure::kPastEnd) {
      const size_t own = st.values_on_own_line();
      const Field& last = own > 0 ? st.values[own - 1] : st.keyword;
      LocatedFault out = at(st, last,
                            keyword + " takes " + std::to_string(st.values.size()) +
                                " values; this line has " + std::to_string(own));
      out.diagnostic.column = last.column + static_cast<int>(last.raw.size());
      out.diagnostic.width = 1;
      if (f.failure == FieldReader::Failure::kPastEnd) {
        out.diagnostic.notes.push_back(
            {"the text ends before value " + std::to_string(index + 1) + " (" + spec.name + ")"});
      } else {
        out.diagnostic.notes.push_back(Note{"the installer reads " + quoted_text(f.raw) +
                                                " as value " + std::to_string(index + 1) + " (" +
                                                spec.name + ") and cannot read it as a number",
                                            in->name(), f.line, f.column});
      }
      if (contains(st.keyword.raw, ";")) {
        out.diagnostic.hints.push_back("values are separated by commas, not semicolons");
      } else if (own == 0 && st.keyword.raw.find_first_of("0123456789") != std::string::npos) {
        out.diagnostic.hints.push_back(
            "put a comma between the keyword and its first value: '" +
            std::string(st.spec->written) + ", " +
            st.keyword.raw.substr(st.keyword.raw.find_first_of("0123456789")) + "'");
      } else {
        out.diagnostic.hints.push_back("write all " + std::to_string(st.values.size()) +
                                       " values of " + keyword +
                                       " on its line: " + value_names(*st.spec, 0) + "; it lacks " +
                                       value_names(*st.spec, own));
      }
      return out;
    }
    if (f.failure == FieldReader::Failure::kOutOfRange) {
      return at(st, f,
                f.raw + " does not fit value " + std::to_string(index + 1) + " (" + spec.name +
                    ") of " + keyword + ": it takes " + std::to_string(width_min(spec.width)) +
                    " to " + std::to_string(width_max(spec.width)));
    }
    LocatedFault out =
        at(st, f,
           quoted_text(f.raw) + " is not a whole number (value " + std::to_string(index + 1) +
               ", " + spec.name + ", of " + keyword + ")");
    if (f.raw.find_first_of(".,") != std::string::npos) {
      out.diagnostic.hints.push_back(
          "write whole numbers, without a decimal or thousands separator");
    } else if (f.raw.find('\t') != std::string::npos) {
      out.diagnostic.hints.push_back("a tab is not a blank to the reader: use spaces");
    }
    return out;
  }
  // Values that were read but that the installer cannot store.
  if (s != nullptr && run_.first.line > 0) {
    if (const Statement* st = s->on_line(run_.first.line, &kw::kSpeed)) {
      return at(*st, st->values[1],
                "speed " + std::to_string(st->values[1].value) + " km/h" +
                    " does not fit: the installer stores a fifth of it in one byte (0 to 1277 "
                    "km/h)");
    }
    if (const Statement* st = s->on_line(run_.first.line, &kw::kStation)) {
      return at(*st, st->values[0],
                "the station at " + metres(st->values[0].value) +
                    " cannot be laid: its stop falls past the end of the line grid, or its time "
                    "does not fit");
    }
    if (const Statement* st = s->on_line(run_.first.line, &kw::kSpeedBoard)) {
      return at(*st, st->values[0],
                "the speed-indicator board's speeds or stripe counts do not fit the installer's "
                "16-bit values");
    }
    if (const Statement* st = s->on_line(run_.first.line, &kw::kLocationBoard)) {
      return at(*st, st->values[0], "too many location boards: their texts fill every record");
    }
    if (const Statement* st = s->on_line(run_.first.line, &kw::kMountain)) {
      return at(*st, st->values[0], "too many mountain stretches");
    }
    return at_line(in, run_.first.line, "the installer cannot read this line");
  }
  LocatedFault out = whole(in, "", "the installer cannot read this text");
  return out;
}

LocatedFault Locator::beyond_grid() {
  const TextScan* s = scan();
  const Statement* found = nullptr;
  const Field* field = nullptr;
  if (s != nullptr) {
    for (const Statement& st : s->statements) {
      if (st.keyword.line > run_.first.line || st.last_line() < run_.first.line) continue;
      for (const Field& v : st.values) {
        if (v.value == run_.first.position && field == nullptr) {
          found = &st;
          field = &v;
        }
      }
    }
  }
  const int32_t p = run_.first.position;
  const bool station = found != nullptr && is(*found, kw::kStation);
  const int64_t top = int64_t{50} * run_.grid_last - (station ? 800 : 100);
  std::string message = p < 0 ? "position " + metres(p) + " is before the start of the line"
                              : "position " + metres(p) + " is beyond the end of the line grid";
  LocatedFault out =
      found ? at(*found, *field, message) : at_line(source(), run_.first.line, message);
  out.diagnostic.notes.push_back({"on this route (length " + metres(run_.route_length) +
                                  ", grid cells 0 to " + std::to_string(run_.grid_last) + ") " +
                                  (station ? "station positions" : "positions") +
                                  " run from 0 to " + metres(top)});
  return out;
}

LocatedFault Locator::taken(const KeywordSpec& keyword, int32_t cell, const char* what) {
  const Statement* st = at_position(keyword);
  if (st == nullptr) return at_line(source(), run_.first.line, "a cell is already taken");
  LocatedFault out = at(*st, st->values[0],
                        "the " + std::string(what) + " at " + metres(run_.first.position) +
                            " falls on cell " + std::to_string(cell) + ", which is already taken");
  owners_notes(cell, st, &out.diagnostic.notes);
  out.diagnostic.hints.push_back("move one of them to another 50 m cell");
  return out;
}

LocatedFault Locator::station_fault() {
  const Statement* st = nullptr;
  const TextScan* s = scan();
  if (s != nullptr) {
    for (const Statement& c : s->statements) {
      if (is(c, kw::kStation) && c.keyword.line <= run_.first.line &&
          run_.first.line <= c.last_line()) {
        st = &c;
      }
    }
  }
  if (st == nullptr) return at_line(source(), run_.first.line, "a station cannot be laid");
  const int64_t p = st->values[0].value;
  switch (run_.first.fault) {
    case Fault::kStationPosition: {
      LocatedFault out =
          at(*st, st->values[0], "station position " + metres(p) + " is not a multiple of 50");
      out.diagnostic.hints.push_back(multiples_hint(p, 50));
      return out;
    }
    case Fault::kStationLength: {
      const int64_t l = st->values[2].value;
      LocatedFault out =
          at(*st, st->values[2], "station length " + metres(l) + " is not a multiple of 100");
      out.diagnostic.hints.push_back(multiples_hint(l, 100));
      return out;
    }
    case Fault::kTooManyStations: {
      int boards =
          t_.route_scan ? static_cast<int>(t_.route_scan->all(kw::kLocationBoard).size()) : 0;
      LocatedFault out = at(*st, st->keyword,
                            "too many stations: stations and the " + std::to_string(boards) +
                                " location boards share 80 records");
      out.set_aside_line = 0;  // every later station would meet the same
      return out;
    }
    case Fault::kStationTooClose: {
      const Statement* previous = nullptr;
      for (const Statement& c : s->statements) {
        if (&c == st) break;
        if (is(c, kw::kStation)) previous = &c;
      }
      const StationArea area = station_area(*st);
      LocatedFault out = at(*st, st->values[0],
                            "the station at " + metres(p) + " starts at " + metres(area.start) +
                                ", less than 350 m after the end of the previous station");
      if (previous != nullptr) {
        out.diagnostic.notes.push_back(
            note_at(*previous, previous->values[0],
                    "the previous station's area ends at " + metres(station_area(*previous).end)));
      }
      return out;
    }
    default: {  // 24
      const int64_t cell = station_area(*st).end / 50 - 1;
      return at(*st, st->values[0],
                "the stop marker of the station at " + metres(p) + " would fall on cell " +
                    std::to_string(cell) + ", at the very start of the line (cell 1 or before)");
    }
  }
}

LocatedFault Locator::progressive_fault() {
  const TextScan* s = t_.route_scan;
  if (s != nullptr) {
    for (const Statement& st : s->statements) {
      // The three kilometric progressive lines share their values.
      if (st.spec->values.data() != route_grammar::kProgressiveValues) continue;
      for (size_t i = 0; i < 2 && i < st.values.size(); ++i) {
        const int64_t v = st.values[i].value;
        if (v % 50 == 0) continue;
        LocatedFault out =
            at(st, st.values[i],
               std::string("the kilometric progressive's ") + st.spec->values[i].name + " " +
                   std::to_string(v) + " is not a multiple of 50",
               t_.route);
        out.set_aside_text = InputText::kRoute;
        out.diagnostic.hints.push_back(multiples_hint(v, 50));
        return out;
      }
    }
  }
  return whole(t_.route, "", "a kilometric progressive is not a multiple of 50");
}

LocatedFault Locator::grid_pass_fault() {
  const int32_t cell = run_.first.position / 50;
  const TextScan* s = t_.scenario_scan;
  std::vector<const Statement*> slowdowns;
  if (s != nullptr) slowdowns = s->all(kw::kSlowdown);
  auto slowdown_cells = [](const Statement& st) { return cells_of(st); };
  const Statement* slowdown = nullptr;
  const Statement* signal = nullptr;
  std::vector<int32_t> looked;
  std::string message;
  if (run_.first.fault == Fault::kNoCellBeforeSignal) {
    for (const Owner& o : owners_) {
      if (o.cell == cell && std::string_view(o.what) == "signal") signal = o.statement;
    }
    for (const Statement* sl : slowdowns) {
      for (auto [c, what] : slowdown_cells(*sl)) {
        if (std::string_view(what) == "slowdown's warning board" && c > cell && c <= cell + 20) {
          slowdown = sl;
        }
      }
    }
    looked = {cell - 1, cell - 2};
    message = "no free cell for the code point in front of the signal at cell " +
              std::to_string(cell) + ": cells " + std::to_string(cell - 1) + " and " +
              std::to_string(cell - 2) + " are taken";
  } else {
    for (const Statement* sl : slowdowns) {
      auto cells = slowdown_cells(*sl);
      int32_t start = 0, end = 0;
      for (auto [c, what] : cells) {
        if (std::string_view(what) == "slowdown's start") start = c;
        if (std::string_view(what) == "slowdown's end") end = c;
      }
      if (run_.first.fault == Fault::kNoCellBeforeSlowdown ? start == cell
                                                           : (start < cell && cell <= end + 12))
        slowdown = sl;
    }
    if (run_.first.fault == Fault::kNoCellBeforeSlowdown) {
      // The groups whose three cells are all taken by lines of the texts.
      for (int32_t n : {5, 11, 18}) {
        if (owned(cell - n) && owned(cell - n - 1) && owned(cell - n - 2)) {
          for (int32_t c = cell - n; c >= cell - n - 2; --c) looked.push_back(c);
        }
      }
      message = "no free cell for a code point in front of the slowdown starting at cell " +
                std::to_string(cell);
    } else {
      looked = {cell - 1, cell, cell + 1};
      message = "no free cell for a code point inside or after a slowdown, around cell " +
                std::to_string(cell) + " (" + metres(int64_t{cell} * 50) + ")";
    }
  }
  const Statement* target = slowdown ? slowdown : signal;
  LocatedFault out;
  if (target != nullptr) {
    out = at(*target, target->values[0], message, t_.scenario);
  } else {
    out = whole(t_.scenario, "", message);
  }
  if (signal != nullptr && target != signal) {
    out.diagnostic.notes.push_back(note_at(*signal, signal->values[0], "the signal is here"));
  }
  if (slowdown != nullptr && run_.first.fault == Fault::kNoCellBeforeSignal) {
    out.diagnostic.notes.push_back(
        {"the code point is added because this slowdown's warning board stands within 20 cells "
         "after the signal"});
  }
  const size_t before = out.diagnostic.notes.size();
  for (int32_t c : looked) owners_notes(c, nullptr, &out.diagnostic.notes);
  if (out.diagnostic.notes.size() == before) {
    out.diagnostic.notes.push_back(
        {"the cells are taken by code points the installer adds for other slowdowns"});
  }
  out.diagnostic.hints.push_back("move the slowdown, or the objects in the way, by a few cells");
  return out;
}

LocatedFault Locator::header_fault() {
  for (const Owner& o : owners_) {
    if (o.cell != kHeaderCell) continue;
    LocatedFault out =
        at(*o.statement, o.statement->values[0],
           std::string("the ") + o.what + " at " + metres(o.statement->values[0].value) +
               " falls on grid cell 1, at the very start of the line, which the installer "
               "keeps for its " +
               (run_.first.fault == Fault::kHeaderStampTaken ? "header stamp" : "competition code"),
           o.source);
    out.set_aside_text = o.source == t_.route ? InputText::kRoute : InputText::kScenario;
    out.diagnostic.hints.push_back("move it further along the line, out of grid cell 1");
    return out;
  }
  return whole(t_.scenario, "", "grid cell 1 or the route record already holds a value");
}

LocatedFault Locator::locate() {
  const int32_t p = run_.first.position;
  switch (run_.first.fault) {
    case Fault::kNoRouteText:
      return whole(nullptr, t_.route_name,
                   "there is no route text: the installer needs <route>_linea.txt");
    case Fault::kNoGeneralSection: {
      LocatedFault out = whole(t_.route, "",
                               std::string("the route text has no '") + grammar::kGeneralTitle +
                                   "' field before its last field");
      out.diagnostic.hints.push_back(std::string("start the route's values with a line '") +
                                     grammar::kGeneralTitle + "'");
      return out;
    }
    case Fault::kRouteTooLong: {
      for (const Statement* st :
           t_.route_scan ? t_.route_scan->all(kw::kRouteLength) : std::vector<const Statement*>{}) {
        const int64_t v = st->values[0].value;
        if (v >= 0 && v <= 1000000) continue;
        LocatedFault out =
            at(*st, st->values[0],
               "route length " + metres(v) + " is out of range: it runs from 0 to 1000000 m");
        out.set_aside_line = 0;
        return out;
      }
      return whole(t_.route, "", "the route length is out of range");
    }
    case Fault::kRepetitionStart:
    case Fault::kRepetitionEnd: {
      const Statement* st =
          t_.route_scan ? t_.route_scan->on_line(run_.first.line, &kw::kRepetition) : nullptr;
      if (st == nullptr) break;
      const Field& f = st->values[run_.first.fault == Fault::kRepetitionStart ? 0 : 1];
      LocatedFault out = at(*st, f,
                            std::string("the signal repetition's ") +
                                (run_.first.fault == Fault::kRepetitionStart ? "start " : "end ") +
                                metres(f.value) + " is not a multiple of 50");
      out.diagnostic.hints.push_back(multiples_hint(f.value, 50));
      return out;
    }
    case Fault::kRepetitionSystem: {
      const Statement* st =
          t_.route_scan ? t_.route_scan->on_line(run_.first.line, &kw::kRepetition) : nullptr;
      if (st == nullptr) break;
      LocatedFault out = at(*st, st->keyword,
                            "the signal repetition keyword " + quoted_text(st->keyword.raw) +
                                " names neither system 4 nor system 9");
      out.diagnostic.hints.push_back(
          "write 'ripetizione segnali 4 codici' or 'ripetizione segnali 9 codici'");
      return out;
    }
    case Fault::kBadCurve: {
      const Statement* st = scan() ? scan()->on_line(run_.first.line, &kw::kCurve) : nullptr;
      if (st == nullptr) break;
      LocatedFault out =
          at(*st, st->keyword,
             "the curve keyword " + quoted_text(st->keyword.raw) +
                 " has no class digit 1 to 6, or the route plan passes 1000000 points");
      out.diagnostic.hints.push_back(
          "write 'curvad' or 'curvas' followed by a digit, as in 'curvad3'");
      return out;
    }
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
    case Fault::kPreWarningTaken: {
      const Statement* st = at_position(kw::kSlowdown);
      if (st == nullptr) break;
      const char* part = run_.first.fault == Fault::kWarningBoardTaken ? "slowdown's warning board"
                         : run_.first.fault == Fault::kSlowdownStartTaken ? "slowdown's start"
                         : run_.first.fault == Fault::kSlowdownEndTaken
                             ? "slowdown's end"
                             : "slowdown's pre-warning mark";
      const char* label = run_.first.fault == Fault::kWarningBoardTaken    ? "warning board"
                          : run_.first.fault == Fault::kSlowdownStartTaken ? "start"
                          : run_.first.fault == Fault::kSlowdownEndTaken   ? "end"
                                                                           : "pre-warning mark";
      std::vector<int32_t> cells;
      for (auto [c, what] : cells_of(*st)) {
        if (std::string_view(what) == part) cells.push_back(c);
      }
      std::string message = std::string("the ") + label +
                            (run_.first.fault == Fault::kPreWarningTaken ? "s" : "") +
                            " of the slowdown at " + metres(p) + " fall" +
                            (run_.first.fault == Fault::kPreWarningTaken ? "" : "s") +
                            " on a cell that is already taken";
      LocatedFault out = at(*st, st->values[0], message);
      for (int32_t c : cells) owners_notes(c, st, &out.diagnostic.notes);
      out.diagnostic.hints.push_back("move one of them to another 50 m cell");
      return out;
    }
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
      break;
  }
  if (run_.first.line > 0) return at_line(source(), run_.first.line, fault_text(run_.first.fault));
  return whole(source(), "", fault_text(run_.first.fault));
}

}  // namespace

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
  LocatedFault out = Locator(run, texts).locate();
  // Without a route length there is no line to lay anything on: nothing
  // after an unreadable length can be judged.
  if (!run.route_length_read && out.set_aside_text == InputText::kRoute && texts.route_scan &&
      texts.route_scan->on_line(out.set_aside_line, &kw::kRouteLength) != nullptr) {
    out.set_aside_line = 0;
  }
  return out;
}

}  // namespace binario::tool
