#include "scenario/signal.h"

#include "base/round.h"
#include "model/grid_cell.h"

namespace binario {

namespace {

// The packed values are stored as their low 16 (or 8) bits, as written; the
// arithmetic is done unsigned so that any input wraps instead of overflowing.
int16_t low16(uint32_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }

uint32_t u(int32_t v) { return static_cast<uint32_t>(v); }

// The time value a signal keeps: times from 1 to 100 all become 101.
int32_t signal_tempo(int32_t tempo) { return (tempo >= 1 && tempo <= 100) ? 101 : tempo; }

}  // namespace

void memo_segnale(CompileState& state, const SignalLine& line) {
  LineGrid& grid = state.griglia;
  int32_t c = cell_of(line.posizione, 1);
  GridCell& cell = grid[c];
  if (!cell.is_free()) {
    state.codice_errore = codice::kSignalTaken;
    return;
  }
  cell.kind = cell_kind::kSignal;
  cell.value4 = low16(u(line.rapp) * 10 + u(line.sx) * 3 + u(line.dx));
  cell.value1 = low16(u(line.s1) * 10 + u(line.d1));
  cell.value2 = low16(u(line.s2) * 10 + u(line.d2));
  cell.value3 = low16(u(line.s3) * 10 + u(line.d3));
  cell.signal_time = line.sx == 2 ? static_cast<uint8_t>(signal_tempo(line.tempo)) : 0;

  uint32_t heads = u(line.sx) * 3 + u(line.dx);
  for (int32_t b = 1; b <= 4; ++b) {
    int32_t w = c - 2 * b;
    if (w < 0) break;
    grid[w].approach = static_cast<uint8_t>(heads * 10 + u(b));
  }
}

Step signal_line(ScenarioReading& r) {
  SignalLine line;
  line.posizione = r.in.read_i32();
  for (int32_t* v : {&line.sx, &line.s1, &line.s2, &line.s3, &line.rapp, &line.dx, &line.d1,
                     &line.d2, &line.d3, &line.tempo}) {
    *v = r.in.read_i32();
  }
  if (!r.values_read()) return Step::kStop;
  if (!r.point_fits(line.posizione)) return Step::kEndSteps;
  memo_segnale(r.state, line);
  // Any recorded code ends reading here, also a 15 left by the route reader.
  if (r.state.codice_errore > 0) return r.stop_at(r.state.codice_errore, line.posizione);
  return Step::kGoOn;
}

}  // namespace binario
