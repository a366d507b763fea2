#ifndef BINARIO_FINISH_POST_PROCESS_H_
#define BINARIO_FINISH_POST_PROCESS_H_

#include <cstdint>

#include "model/compile_state.h"

namespace binario {

// Code value of the code points the pass places.
constexpr int16_t kDerivedCodeValue = 180;

// `y` when `x` is greater than `y`, otherwise `x`.
int32_t minimo(int32_t x, int32_t y);

// The pass over the completed line grid that adds code points (kind 12,
// value 180) around every slowdown: in front of the signals up to 20 cells
// before a warning board, in three groups before the start, every 8 cells
// inside a slowdown slower than 110 and in front of the first signal within
// 12 cells after its end. Failures 11 to 13 go to the run error state; the
// pass never stops early and never touches a cell outside 0 to L.
// Precondition: the grid exists.
void post_process_grid(CompileState& state);

}  // namespace binario

#endif  // BINARIO_FINISH_POST_PROCESS_H_
