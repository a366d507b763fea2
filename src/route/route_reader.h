#ifndef BINARIO_ROUTE_ROUTE_READER_H_
#define BINARIO_ROUTE_ROUTE_READER_H_

#include "model/compile_state.h"
#include "platform/disk.h"

namespace binario {

// The route reader, first half of memorizza_dati. Reads `<route>_linea.txt`
// from `state.cartella` into the route header (station records 81 to 86), the
// line grid and, when `state.write_route` is set, the route plan; leaves the
// field variable, the next board record and the run error state for the
// scenario reader.
//
// The route text is deleted on every path but code 101 (no route text); after
// code 25 it may be left for the run, which then deletes both texts. When
// `codice_errore` is 0 or 15 afterwards the grid (and the plan) exist and are
// complete; any other code ended the routine.
void leggi_percorso(CompileState& state, Disk& disk);

}  // namespace binario

#endif  // BINARIO_ROUTE_ROUTE_READER_H_
