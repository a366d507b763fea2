#ifndef BINARIO_APP_COMPILE_DRIVER_H_
#define BINARIO_APP_COMPILE_DRIVER_H_

#include <cstdint>

#include "app/compile_result.h"
#include "model/compile_state.h"
#include "platform/disk.h"

namespace binario {

// The compile driver. Compiles the route text and the scenario text found in
// `state.cartella` into the route plan file (when `write_route`), the station
// file and the grid file. Returns the fault that ended the run (a fault the
// readers or the code-point pass recorded, with where it was found; 1250 or
// 1251 from the header checks; 1254 for an output that cannot be written),
// or an ok result when every output file was written. A recorded fault
// writes no output file.
CompileResult memorizza_percorso(CompileState& state, Disk& disk, bool write_route);

// The fault recorded in the run error state, with where it was found.
CompileResult recorded(const CompileState& state);

// Both readers: the route text, then, unless the route reader ended on a
// code other than 15, the scenario text. Each deletes its own text; after a
// reading failure (code 25) neither text is left in the folder.
void memorizza_dati(CompileState& state, Disk& disk);

// Deletes the route text and the scenario text where they still exist.
void remove_texts(const CompileState& state, Disk& disk);

}  // namespace binario

#endif  // BINARIO_APP_COMPILE_DRIVER_H_
