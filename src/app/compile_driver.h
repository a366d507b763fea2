#ifndef BINARIO_APP_COMPILE_DRIVER_H_
#define BINARIO_APP_COMPILE_DRIVER_H_

#include <cstdint>

#include "base/text.h"
#include "model/compile_state.h"
#include "platform/disk.h"

namespace binario {

// Error code text for an output file that cannot be written in the folder.
inline constexpr const char* kUnwritableFileCode = "1254";

// The compile driver. Compiles the route text and the scenario text found in
// `state.cartella` into the route plan file (when `j` is non-zero), the
// station file and the grid file. Returns the error code text to show the
// user ("1250", "1251", "1254" for an output that cannot be written, or
// "15, posizione 166850 m" for a fault the readers recorded); empty when
// every output file was written. A recorded fault writes no output file.
Text memorizza_percorso(CompileState& state, Disk& disk, int32_t j);

// Both readers: the route text, then, unless the route reader ended on a
// code other than 15, the scenario text. Each deletes its own text.
void memorizza_dati(CompileState& state, Disk& disk);

}  // namespace binario

#endif  // BINARIO_APP_COMPILE_DRIVER_H_
