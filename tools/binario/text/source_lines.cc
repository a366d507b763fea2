#include "text/source_lines.h"

#include <cstdint>

#include "base/round.h"
#include "model/cell_index.h"
#include "model/grid_cell.h"
#include "scenario/slowdown.h"

namespace binario::tool {

void SourceLines::add(const std::string& name, const TextScan& scan) {
  files_.push_back(name);
  for (const Statement& s : scan.statements) {
    const SourceLine here{name, s.keyword.line};
    if (s.is(kw::kStation)) stations_.push_back(here);
    if (s.is(kw::kLocationBoard)) boards_.push_back(here);
    if (s.failed_value() == nullptr) add_cells(s, here);
  }
}

// The cells a statement's values put something in, as the installer lays them.
void SourceLines::add_cells(const Statement& s, const SourceLine& here) {
  const auto p = static_cast<int32_t>(s.values[0].value);
  if (s.is(kw::kGradient)) gradients_[stretch_cell(p)] = here;
  if (s.is(kw::kSpeed)) speeds_[stretch_cell(p)] = here;
  if (s.is(kw::kAdherence)) adhesions_[stretch_cell(p)] = here;
  if (s.is(kw::kMountain)) mountains_[stretch_cell(p)] = here;
  if (s.is(kw::kSignal)) objects_[{point_cell(p), cell_kind::kSignal}] = here;
  if (s.is(kw::kSpeedBoard)) objects_[{point_cell(p), cell_kind::kSpeedBoard}] = here;
  if (s.is(kw::kLocationBoard)) objects_[{point_cell(p), cell_kind::kLocationBoard}] = here;
  if (s.is(kw::kCodePoint)) {
    objects_[{stretch_cell(p), cell_kind::kCodePoint}] = here;
    objects_[{stretch_cell(p), cell_kind::kCodeCut}] = here;
  }
  if (s.is(kw::kSlowdown)) {
    const auto length = static_cast<int32_t>(s.values[2].value);
    objects_[{point_cell(p), cell_kind::kSlowdownStart}] = here;
    if (p > kWarningBoardMinStart) {
      objects_[{cell_of(static_cast<double>(p) - kWarningBoardDistance, 1),
                cell_kind::kWarningBoard}] = here;
    }
    const int64_t end = slowdown_end_cell(p, length);
    if (end >= INT32_MIN && end <= INT32_MAX) {
      objects_[{static_cast<int32_t>(end), cell_kind::kSlowdownEnd}] = here;
    }
  }
}

SourceLine SourceLines::station(int record) const {
  if (record < 1 || static_cast<size_t>(record) > stations_.size()) return {};
  return stations_[static_cast<size_t>(record - 1)];
}

SourceLine SourceLines::location_board_text(int record) const {
  const int n = 81 - record;
  if (n < 1 || static_cast<size_t>(n) > boards_.size()) return {};
  return boards_[static_cast<size_t>(n - 1)];
}

SourceLine SourceLines::cell_object(int32_t cell, uint8_t kind) const {
  auto it = objects_.find({cell, kind});
  return it == objects_.end() ? SourceLine{} : it->second;
}

SourceLine SourceLines::mountain(int32_t first_cell) const {
  auto it = mountains_.find(first_cell);
  return it == mountains_.end() ? SourceLine{} : it->second;
}

SourceLine SourceLines::covering(const ByCell& lines, int32_t cell) {
  // A stretch line at position p sets the value from cell round(p / 50) on.
  auto it = lines.upper_bound(cell);
  if (it == lines.begin()) return {};
  return std::prev(it)->second;
}

}  // namespace binario::tool
