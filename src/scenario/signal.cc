#include "scenario/signal.h"

#include <cassert>

#include "base/narrow.h"
#include "base/round.h"
#include "model/grid_cell.h"

namespace binario {

namespace {

// The packed values are stored as their low 16 (or 8) bits, as written; the
// arithmetic is done unsigned so that any input wraps instead of overflowing.

uint32_t wrapping(int32_t v) { return static_cast<uint32_t>(v); }

// The time value a signal keeps: times from 1 to 100 all become 101.
int32_t signal_tempo(int32_t tempo) { return (tempo >= 1 && tempo <= 100) ? 101 : tempo; }

}  // namespace

Fault memo_segnale(LineGrid& grid, const SignalLine& line) {
  assert(line.posizione >= 0 && grid.fits(line.posizione));
  int32_t c = cell_of(line.posizione, 1);
  GridCell& cell = grid[c];
  if (!cell.is_free()) return Fault::kSignalTaken;
  cell.kind = cell_kind::kSignal;
  cell.value4 = low16(wrapping(line.rapp) * 10 + wrapping(line.sx) * 3 + wrapping(line.dx));
  cell.value1 = low16(wrapping(line.s1) * 10 + wrapping(line.d1));
  cell.value2 = low16(wrapping(line.s2) * 10 + wrapping(line.d2));
  cell.value3 = low16(wrapping(line.s3) * 10 + wrapping(line.d3));
  cell.signal_time = line.sx == 2 ? static_cast<uint8_t>(signal_tempo(line.tempo)) : 0;

  uint32_t heads = wrapping(line.sx) * 3 + wrapping(line.dx);
  for (int32_t b = 1; b <= 4; ++b) {
    int32_t w = c - 2 * b;
    if (w < 0) break;
    grid[w].approach = static_cast<uint8_t>(heads * 10 + wrapping(b));
  }
  return Fault::kNone;
}

Step signal_line(ScenarioContext& r, const KeywordRule& rule) {
  int32_t v[11];
  r.read_values(rule, v);
  if (!r.values_read()) return Step::kStop;
  const SignalLine line{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]};
  if (!r.point_fits(line.posizione)) return Step::kEndSteps;
  const Fault fault = memo_segnale(r.state.griglia, line);
  if (fault != Fault::kNone) return r.stop_at(fault, line.posizione);
  if (r.route_left_beyond_grid()) return r.stop_at(Fault::kBeyondGrid, line.posizione);
  return Step::kGoOn;
}

}  // namespace binario
