#ifndef BINARIO_SCENARIO_SLOWDOWN_H_
#define BINARIO_SCENARIO_SLOWDOWN_H_

#include <cstdint>

#include "model/compile_state.h"
#include "scenario/scenario_context.h"

namespace binario {

// The values of a "rallentamento" line, in their order on the line.
struct SlowdownLine {
  int32_t x = 0;     // start of the slowdown, metres
  int32_t v = 0;     // speed of the slowdown
  int32_t l = 0;     // length, metres
  int32_t f_tt = 0;  // copied into the start and end cells
  int32_t f_ta = 0;  // non-zero: the four pre-warning cells are laid
  int32_t d_v = 0;   // non-zero: copied into the start, end and warning cells
};

// Slowdowns that start this far into the line or less have no warning board
// (and so no pre-warning cells).
constexpr int32_t kWarningBoardMinStart = 1500;
// The warning board stands this many metres before the start.
constexpr int32_t kWarningBoardDistance = 1200;

// End cell of a slowdown, round((x + l) / 50 + 1). It may lie outside the grid.
int64_t slowdown_end_cell(int32_t x, int32_t l);

// Lays a slowdown: end cell (kind 2), start cell (kind 3), the warning board
// (kind 4) 1200 m before the start when the slowdown starts beyond 1500 m, and
// on request the four pre-warning cells (kind 5) in front of the board. The
// warning, start and end cells are tested before anything is written (codes
// 17, 18, 19); the pre-warning cells after the others are written (code 20).
// Returns the fault, or Fault::kNone. Preconditions: x is at least 0 and
// passed the range check, and the end cell lies inside the grid.
Fault memo_rallentamento(LineGrid& griglia, const SlowdownLine& line);

// A "rallentamento" line: reads its six values, checks the start and the end
// against the grid, and lays the slowdown.
Step slowdown_line(ScenarioContext& r, const KeywordRule& rule);

// An "abbattimento" line: a code point (kind 12, a value above 0) or a
// code-cut point (kind 13) in the cell that holds the position.
Step code_point_line(ScenarioContext& r, const KeywordRule& rule);

}  // namespace binario

#endif  // BINARIO_SCENARIO_SLOWDOWN_H_
