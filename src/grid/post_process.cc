#include "grid/post_process.h"

namespace binario {

void post_process_grid(CompileState& state) {
  // The code-point pass comes with the scenario compiler.
  (void)state;
}

}  // namespace binario
