#ifndef BINARIO_SCENARIO_SCENARIO_READER_H_
#define BINARIO_SCENARIO_SCENARIO_READER_H_

#include "model/compile_state.h"
#include "platform/disk.h"

namespace binario {

// The scenario reader, second half of memorizza_dati: reads
// `<route>_<train>-.txt` into the station table and the line grid, going on
// from the route reader's field variable, next board record and run error
// state, and deletes the text on every path; after code 25 it may be left for
// the run, which then deletes both texts.
//
// Reading starts after the field "[generale]" and acts on every keyword field
// up to the end of the text; the line speed and adhesion of the last table
// lines then run on to cell L - 3, and the kilometric progressives are
// checked (code 2). A fault records its code in the run error state and ends
// reading; a position beyond the grid (code 15) still lets the end steps
// run. A missing text or a value that cannot be read is code 25.
// Precondition: the route reader created the grid (without it, code 25).
void leggi_scenario(CompileState& state, Disk& disk);

}  // namespace binario

#endif  // BINARIO_SCENARIO_SCENARIO_READER_H_
