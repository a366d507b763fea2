// Faults of the objects laid on the line: a position off the grid, a cell
// already taken, and a station that cannot be laid.

#include <string>
#include <vector>

#include "diagnostics/locator.h"

namespace binario::tool::locator {

LocatedFault Locator::beyond_grid() {
  const Statement* found = stopped();
  const Field* field = nullptr;
  for (size_t i = 0; found != nullptr && field == nullptr && i < found->values.size(); ++i) {
    if (found->values[i].value == fault().position) field = &found->values[i];
  }
  if (field == nullptr) found = nullptr;
  const int32_t p = fault().position;
  const bool station = found != nullptr && found->is(kw::kStation);
  const int64_t top = int64_t{50} * run_.grid_last - (station ? 800 : 100);
  std::string message = p < 0 ? "position " + metres(p) + " is before the start of the line"
                              : "position " + metres(p) + " is beyond the end of the line grid";
  LocatedFault out = found ? at(*found, *field, message) : at_line(source(), fault().line, message);
  out.diagnostic.notes.push_back({"on this route (length " + metres(run_.route_length) +
                                  ", grid cells 0 to " + std::to_string(run_.grid_last) + ") " +
                                  (station ? "station positions" : "positions") +
                                  " run from 0 to " + metres(top)});
  return out;
}

LocatedFault Locator::taken(const KeywordSpec& keyword, int32_t cell, const char* what) {
  const Statement* st = stopped(&keyword);
  if (st == nullptr) return at_line(source(), fault().line, "a cell is already taken");
  LocatedFault out = at(*st, st->values[0],
                        "the " + std::string(what) + " at " + metres(fault().position) +
                            " falls on cell " + std::to_string(cell) + ", which is already taken");
  owners_notes(cell, st, &out.diagnostic.notes);
  out.diagnostic.hints.push_back("move one of them to another 50 m cell");
  return out;
}

namespace {

// The part of a slowdown a fault names: as its cells are listed, and as the
// message calls it.
struct SlowdownPart {
  const char* cells;
  const char* label;
};

SlowdownPart part_of(Fault fault) {
  switch (fault) {
    case Fault::kWarningBoardTaken:
      return {"slowdown's warning board", "warning board"};
    case Fault::kSlowdownStartTaken:
      return {"slowdown's start", "start"};
    case Fault::kSlowdownEndTaken:
      return {"slowdown's end", "end"};
    default:
      return {"slowdown's pre-warning mark", "pre-warning mark"};
  }
}

}  // namespace

LocatedFault Locator::slowdown_taken() {
  const Statement* st = stopped(&kw::kSlowdown);
  if (st == nullptr) return plain();
  const SlowdownPart part = part_of(fault().fault);
  const bool marks = fault().fault == Fault::kPreWarningTaken;
  LocatedFault out = at(*st, st->values[0],
                        std::string("the ") + part.label + (marks ? "s" : "") +
                            " of the slowdown at " + metres(fault().position) + " fall" +
                            (marks ? "" : "s") + " on a cell that is already taken");
  for (auto [c, what] : cells_of(*st)) {
    if (std::string_view(what) == part.cells) owners_notes(c, st, &out.diagnostic.notes);
  }
  out.diagnostic.hints.push_back("move one of them to another 50 m cell");
  return out;
}

LocatedFault Locator::station_fault() {
  const Statement* st = stopped(&kw::kStation);
  if (st == nullptr) return at_line(source(), fault().line, "a station cannot be laid");
  const int64_t p = st->values[0].value;
  switch (fault().fault) {
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
      const size_t boards = t_.route_scan ? t_.route_scan->all(kw::kLocationBoard).size() : 0;
      LocatedFault out = at(*st, st->keyword,
                            "too many stations: stations and the " + std::to_string(boards) +
                                " location boards share 80 records");
      out.set_aside_line = 0;  // every later station would meet the same
      return out;
    }
    case Fault::kStationTooClose:
      return station_too_close(*st);
    default: {
      const int64_t cell = station_area(*st).end / 50 - 1;
      return at(*st, st->values[0],
                "the stop marker of the station at " + metres(p) + " would fall on cell " +
                    std::to_string(cell) + ", at the very start of the line (cell 1 or before)");
    }
  }
}

LocatedFault Locator::station_too_close(const Statement& st) {
  const Statement* previous = nullptr;
  for (const Statement& c : scan()->statements) {
    if (&c == &st) break;
    if (c.is(kw::kStation)) previous = &c;
  }
  const int64_t p = st.values[0].value;
  LocatedFault out =
      at(st, st.values[0],
         "the station at " + metres(p) + " starts at " + metres(station_area(st).start) +
             ", less than 350 m after the end of the previous station");
  if (previous != nullptr) {
    out.diagnostic.notes.push_back(
        note_at(*previous, previous->values[0],
                "the previous station's area ends at " + metres(station_area(*previous).end)));
  }
  return out;
}

}  // namespace binario::tool::locator
