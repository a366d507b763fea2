#ifndef BINARIO_SCENARIO_SCENARIO_READER_H_
#define BINARIO_SCENARIO_SCENARIO_READER_H_

#include "app/compile_state.h"
#include "platform/disk.h"

namespace binario {

// The scenario reader, second half of memorizza_dati: reads
// `<route>_<train>-.txt` into the station table and the line grid, going on
// from the route reader's field variable, next board record and run error
// state, and deletes the text on every path.
void leggi_scenario(CompileState& state, Disk& disk);

}  // namespace binario

#endif  // BINARIO_SCENARIO_SCENARIO_READER_H_
