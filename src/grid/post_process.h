#ifndef BINARIO_GRID_POST_PROCESS_H_
#define BINARIO_GRID_POST_PROCESS_H_

#include "app/compile_state.h"

namespace binario {

// The pass over the completed line grid that adds code points (kind 12,
// value 180) around every slowdown. Failures 11 to 13 go to the run error
// state; the pass never stops early. Precondition: the grid exists.
void post_process_grid(CompileState& state);

}  // namespace binario

#endif  // BINARIO_GRID_POST_PROCESS_H_
