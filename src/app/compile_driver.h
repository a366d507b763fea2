#ifndef BINARIO_APP_COMPILE_DRIVER_H_
#define BINARIO_APP_COMPILE_DRIVER_H_

#include <cstdint>

#include "app/compile_state.h"
#include "common/text.h"
#include "platform/disk.h"

namespace binario {

// The compile driver. Compiles the route text and the scenario text found in
// `state.cartella` into the route plan file (when `j` is non-zero), the
// station file and the grid file. Returns the error code text to show the
// user ("1250", or "15, posizione 166850 m" for a recorded fault); empty when
// every output file was written.
Text memorizza_percorso(CompileState& state, Disk& disk, int32_t j);

}  // namespace binario

#endif  // BINARIO_APP_COMPILE_DRIVER_H_
