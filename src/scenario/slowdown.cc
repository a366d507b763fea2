#include "scenario/slowdown.h"

#include <cassert>
#include <cmath>

#include "base/narrow.h"
#include "base/round.h"
#include "model/grid_cell.h"

namespace binario {

namespace {

// The kind of a start, end or warning cell, and `d_v` when it is not 0.
void mark_slowdown_cell(GridCell& cell, uint8_t kind, const SlowdownLine& line) {
  cell.kind = kind;
  if (line.d_v != 0) cell.value2 = low16(line.d_v);
}

}  // namespace

int64_t slowdown_end_cell(int32_t x, int32_t l) {
  double end = static_cast<double>(x) + static_cast<double>(l);
  return static_cast<int64_t>(std::nearbyint(end / 50 + 1));
}

namespace {

// The cells a slowdown line occupies: its warning board (none for a slowdown
// that starts too near the start of the line), its start and its end.
struct SlowdownCells {
  bool has_board = false;
  int32_t board = 0;
  int32_t start = 0;
  int32_t end = 0;
};

SlowdownCells cells_of(const SlowdownLine& line) {
  SlowdownCells c;
  c.has_board = line.x > kWarningBoardMinStart;
  if (c.has_board) c.board = cell_of(static_cast<double>(line.x) - kWarningBoardDistance, 1);
  c.start = cell_of(line.x, 1);
  c.end = static_cast<int32_t>(slowdown_end_cell(line.x, line.l));
  return c;
}

// The first of the three cells found taken, in the order board, start, end.
Fault taken_cell(const LineGrid& grid, const SlowdownCells& c) {
  if (c.has_board && !grid[c.board].is_free()) return Fault::kWarningBoardTaken;
  if (!grid[c.start].is_free()) return Fault::kSlowdownStartTaken;
  if (!grid[c.end].is_free()) return Fault::kSlowdownEndTaken;
  return Fault::kNone;
}

void mark_cells(LineGrid& grid, const SlowdownCells& c, const SlowdownLine& line) {
  // The end is written first, so a slowdown that ends in its own start cell
  // leaves that cell a start.
  mark_slowdown_cell(grid[c.end], cell_kind::kSlowdownEnd, line);
  mark_slowdown_cell(grid[c.start], cell_kind::kSlowdownStart, line);
  if (c.has_board) {
    mark_slowdown_cell(grid[c.board], cell_kind::kWarningBoard, line);
    grid[c.board].value1 = low16(line.v);
  }
  for (int32_t cell : {c.start, c.end}) {
    grid[cell].value1 = low16(line.v);
    grid[cell].value3 = low16(line.f_tt);
  }
}

// The pre-warning cells: the cell in front of the board and the three below
// it, numbered 1 to 4; all four must be free.
Fault lay_pre_warning(LineGrid& grid, const SlowdownCells& c, const SlowdownLine& line) {
  int32_t h =
      line.x % 50 == 0 ? c.board - 1 : cell_of(static_cast<double>(line.x) - kWarningBoardDistance);
  for (int32_t i = 0; i < 4; ++i) {
    if (!grid[h - i].is_free()) return Fault::kPreWarningTaken;
  }
  for (int32_t i = 0; i < 4; ++i) {
    GridCell& cell = grid[h - i];
    cell.kind = cell_kind::kPreWarning;
    cell.value1 = static_cast<int16_t>(i + 1);
    if (line.d_v != 0) cell.value2 = static_cast<int16_t>(i + 1);
  }
  return Fault::kNone;
}

}  // namespace

Fault memo_rallentamento(LineGrid& grid, const SlowdownLine& line) {
  assert(line.x >= 0 && grid.fits(line.x) && slowdown_end_cell(line.x, line.l) <= grid.last());
  const SlowdownCells cells = cells_of(line);
  const Fault taken = taken_cell(grid, cells);
  if (taken != Fault::kNone) return taken;
  mark_cells(grid, cells, line);
  // Only a slowdown with a warning board has pre-warning cells.
  if (!cells.has_board || line.f_ta == 0) return Fault::kNone;
  return lay_pre_warning(grid, cells, line);
}

Step slowdown_line(ScenarioContext& r, const KeywordRule& rule) {
  int32_t v[6];
  r.read_values(rule, v);
  if (!r.values_read()) return Step::kStop;
  const SlowdownLine line{v[0], v[1], v[2], v[3], v[4], v[5]};
  if (!r.point_fits(line.x)) return Step::kEndSteps;
  int64_t end = slowdown_end_cell(line.x, line.l);
  // An end outside the grid is refused like a start beyond it.
  if (!r.state.griglia.has_cell(end)) return r.beyond_grid(line.x);
  const Fault fault = memo_rallentamento(r.state.griglia, line);
  if (fault != Fault::kNone) return r.stop_at(fault, line.x);
  if (r.route_left_beyond_grid()) return r.stop_at(Fault::kBeyondGrid, line.x);
  return Step::kGoOn;
}

Step code_point_line(ScenarioContext& r, const KeywordRule& rule) {
  int32_t v[2];
  r.read_values(rule, v);
  if (!r.values_read()) return Step::kStop;
  const int32_t position = v[0];
  const int32_t value = v[1];
  if (!r.point_fits(position)) return Step::kEndSteps;
  // The cell that holds the position, with no offset of one.
  GridCell& cell = r.state.griglia[cell_of(position)];
  if (!cell.is_free()) return r.stop_at(Fault::kCodePointTaken, position);
  if (value > 0) {
    cell.kind = cell_kind::kCodePoint;
    cell.value1 = low16(value);
  } else {
    cell.kind = cell_kind::kCodeCut;
  }
  return Step::kGoOn;
}

}  // namespace binario
