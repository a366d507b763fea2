// Faults of the grid pass that runs after both texts are read: no free cell
// for a code point the installer adds, and grid cell 1 already taken. They
// carry a cell but no field, so the objects around the cell are named.

#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/locator.h"
#include "model/grid_cell.h"

namespace binario::tool::locator {

namespace {

bool named(const char* what, std::string_view part) { return std::string_view(what) == part; }

}  // namespace

LocatedFault Locator::grid_pass_fault() {
  const int32_t cell = fault().position / 50;
  std::vector<const Statement*> slowdowns;
  if (t_.scenario_scan != nullptr) slowdowns = t_.scenario_scan->all(kw::kSlowdown);
  return crowded(fault().fault == Fault::kNoCellBeforeSignal ? signal_crowd(cell, slowdowns)
                                                             : slowdown_crowd(cell, slowdowns));
}

// The code point in front of a signal, added when a slowdown's warning
// board stands within 20 cells after it.
Crowd Locator::signal_crowd(int32_t cell, const std::vector<const Statement*>& slowdowns) {
  Crowd crowd;
  for (const Owner& o : owners_) {
    if (o.cell == cell && named(o.what, "signal")) crowd.signal = o.statement;
  }
  for (const Statement* sl : slowdowns) {
    for (auto [c, what] : cells_of(*sl)) {
      if (named(what, "slowdown's warning board") && c > cell && c <= cell + 20) {
        crowd.slowdown = sl;
      }
    }
  }
  crowd.looked = {cell - 1, cell - 2};
  crowd.message = "no free cell for the code point in front of the signal at cell " +
                  std::to_string(cell) + ": cells " + std::to_string(cell - 1) + " and " +
                  std::to_string(cell - 2) + " are taken";
  return crowd;
}

// The code points in front of a slowdown's start, or inside or after it.
Crowd Locator::slowdown_crowd(int32_t cell, const std::vector<const Statement*>& slowdowns) {
  Crowd crowd;
  const bool before = fault().fault == Fault::kNoCellBeforeSlowdown;
  for (const Statement* sl : slowdowns) {
    int32_t start = 0, end = 0;
    for (auto [c, what] : cells_of(*sl)) {
      if (named(what, "slowdown's start")) start = c;
      if (named(what, "slowdown's end")) end = c;
    }
    if (before ? start == cell : (start < cell && cell <= end + 12)) crowd.slowdown = sl;
  }
  if (!before) {
    crowd.looked = {cell - 1, cell, cell + 1};
    crowd.message = "no free cell for a code point inside or after a slowdown, around cell " +
                    std::to_string(cell) + " (" + metres(int64_t{cell} * 50) + ")";
    return crowd;
  }
  // The groups whose three cells are all taken by lines of the texts.
  for (int32_t n : {5, 11, 18}) {
    if (owned(cell - n) && owned(cell - n - 1) && owned(cell - n - 2)) {
      for (int32_t c = cell - n; c >= cell - n - 2; --c) crowd.looked.push_back(c);
    }
  }
  crowd.message = "no free cell for a code point in front of the slowdown starting at cell " +
                  std::to_string(cell);
  return crowd;
}

LocatedFault Locator::crowded(const Crowd& crowd) {
  const Statement* target = crowd.slowdown ? crowd.slowdown : crowd.signal;
  LocatedFault out = target ? at(*target, target->values[0], crowd.message, t_.scenario)
                            : whole(t_.scenario, "", crowd.message);
  if (crowd.signal != nullptr && target != crowd.signal) {
    out.diagnostic.notes.push_back(
        note_at(*crowd.signal, crowd.signal->values[0], "the signal is here"));
  }
  if (crowd.slowdown != nullptr && fault().fault == Fault::kNoCellBeforeSignal) {
    out.diagnostic.notes.push_back(
        {"the code point is added because this slowdown's warning board stands within 20 cells "
         "after the signal"});
  }
  const size_t before = out.diagnostic.notes.size();
  for (int32_t c : crowd.looked) owners_notes(c, nullptr, &out.diagnostic.notes);
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
    const bool stamp = fault().fault == Fault::kHeaderStampTaken;
    LocatedFault out =
        at(*o.statement, o.statement->values[0],
           std::string("the ") + o.what + " at " + metres(o.statement->values[0].value) +
               " falls on grid cell 1, at the very start of the line, which the installer "
               "keeps for its " +
               (stamp ? "header stamp" : "competition code"),
           o.source);
    out.set_aside_text = o.source == t_.route ? InputText::kRoute : InputText::kScenario;
    out.diagnostic.hints.push_back("move it further along the line, out of grid cell 1");
    return out;
  }
  return whole(t_.scenario, "", "grid cell 1 or the route record already holds a value");
}

}  // namespace binario::tool::locator
