#ifndef BINARIO_SCENARIO_SIGNAL_H_
#define BINARIO_SCENARIO_SIGNAL_H_

#include <cstdint>

#include "model/compile_state.h"
#include "scenario/scenario_context.h"

namespace binario {

// The values of a "segnale" line, in their order on the line: the position in
// metres, then the aspects of the left (`sx`, `s1` to `s3`) and right (`dx`,
// `d1` to `d3`) heads, `rapp` and the signal's time value.
struct SignalLine {
  int32_t posizione = 0;
  int32_t sx = 0;
  int32_t s1 = 0;
  int32_t s2 = 0;
  int32_t s3 = 0;
  int32_t rapp = 0;
  int32_t dx = 0;
  int32_t d1 = 0;
  int32_t d2 = 0;
  int32_t d3 = 0;
  int32_t tempo = 0;
};

// Lays a signal into the cell after the one that holds its position, with
// its aspects packed into the cell's values, and marks the cells 2, 4, 6 and
// 8 in front of it with approach codes (those that would fall before cell 0
// are skipped). A signal cell that is not free gives code 16 and nothing is
// written; otherwise Fault::kNone. Precondition: the position is at least 0
// and passed the range check.
Fault memo_segnale(LineGrid& griglia, const SignalLine& line);

// A "segnale" line: reads its eleven values and lays the signal.
Step signal_line(ScenarioContext& r, const KeywordRule& rule);

}  // namespace binario

#endif  // BINARIO_SCENARIO_SIGNAL_H_
