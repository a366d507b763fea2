#ifndef BINARIO_ROUTE_PROGRESSIVE_ORDINA_H_
#define BINARIO_ROUTE_PROGRESSIVE_ORDINA_H_

#include "model/station_table.h"

namespace binario {

// Orders the three kilometric progressives of records 81 ("tre"), 82 ("due")
// and 83 ("uno") by position, largest first, then adds 100 to the kilometre
// value of each one whose flag is 1. A progressive is (position, kilometre
// value, flag) in `area_start`, `area_end`, `position`. When all positions
// are 0 the kilometre values choose the order instead. False, with the
// records unchanged or partly adjusted, when the sum of the positions or a
// kilometre value + 100 does not fit 32 bits (a reading failure).
bool progressive_ordina(StationTable& stazioni);

}  // namespace binario

#endif  // BINARIO_ROUTE_PROGRESSIVE_ORDINA_H_
