#include "scenario/slowdown.h"

#include <cmath>

#include "base/round.h"
#include "model/grid_cell.h"

namespace binario {

namespace {

// Values are stored as their low 16 bits.
int16_t low16(int32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

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

void memo_rallentamento(CompileState& state, const SlowdownLine& line) {
  LineGrid& grid = state.griglia;
  bool has_board = line.x > kWarningBoardMinStart;
  int32_t f_ta = has_board ? line.f_ta : 0;

  int32_t a = has_board ? cell_of(static_cast<double>(line.x) - kWarningBoardDistance, 1) : 0;
  if (has_board && !grid[a].is_free()) {
    state.codice_errore = codice::kWarningBoardTaken;
    return;
  }
  int32_t s = cell_of(line.x, 1);
  if (!grid[s].is_free()) {
    state.codice_errore = codice::kSlowdownStartTaken;
    return;
  }
  int32_t e = static_cast<int32_t>(slowdown_end_cell(line.x, line.l));
  if (!grid[e].is_free()) {
    state.codice_errore = codice::kSlowdownEndTaken;
    return;
  }

  // The end is written first, so a slowdown that ends in its own start cell
  // leaves that cell a start.
  mark_slowdown_cell(grid[e], cell_kind::kSlowdownEnd, line);
  mark_slowdown_cell(grid[s], cell_kind::kSlowdownStart, line);
  if (has_board) {
    mark_slowdown_cell(grid[a], cell_kind::kWarningBoard, line);
    grid[a].value1 = low16(line.v);
  }
  for (int32_t c : {s, e}) {
    grid[c].value1 = low16(line.v);
    grid[c].value3 = low16(line.f_tt);
  }

  if (f_ta == 0) return;
  // The pre-warning cells: the cell in front of the board and the three below it.
  int32_t h =
      line.x % 50 == 0 ? a - 1 : cell_of(static_cast<double>(line.x) - kWarningBoardDistance);
  for (int32_t i = 0; i < 4; ++i) {
    if (!grid[h - i].is_free()) {
      state.codice_errore = codice::kPreWarningTaken;
      return;
    }
  }
  for (int32_t i = 0; i < 4; ++i) {
    GridCell& cell = grid[h - i];
    cell.kind = cell_kind::kPreWarning;
    cell.value1 = static_cast<int16_t>(i + 1);
    if (line.d_v != 0) cell.value2 = static_cast<int16_t>(i + 1);
  }
}

Step slowdown_line(ScenarioReading& r) {
  SlowdownLine line;
  for (int32_t* v : {&line.x, &line.v, &line.l, &line.f_tt, &line.f_ta, &line.d_v}) {
    *v = r.in.read_i32();
  }
  if (!r.values_read()) return Step::kStop;
  if (!r.point_fits(line.x)) return Step::kEndSteps;
  int64_t end = slowdown_end_cell(line.x, line.l);
  // An end outside the grid is refused like a start beyond it.
  if (!r.state.griglia.has_cell(end)) return r.beyond_grid(line.x);
  memo_rallentamento(r.state, line);
  // Any recorded code ends reading here, also a 15 left by the route reader.
  if (r.state.codice_errore > 0) return r.stop_at(r.state.codice_errore, line.x);
  return Step::kGoOn;
}

Step code_point_line(ScenarioReading& r) {
  int32_t position = r.in.read_i32();
  int32_t value = r.in.read_i32();
  if (!r.values_read()) return Step::kStop;
  if (!r.point_fits(position)) return Step::kEndSteps;
  // The cell that holds the position, with no offset of one.
  GridCell& cell = r.state.griglia[cell_of(position)];
  if (!cell.is_free()) return r.stop_at(codice::kCodePointTaken, position);
  if (value > 0) {
    cell.kind = cell_kind::kCodePoint;
    cell.value1 = low16(value);
  } else {
    cell.kind = cell_kind::kCodeCut;
  }
  return Step::kGoOn;
}

}  // namespace binario
