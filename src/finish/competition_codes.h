#ifndef BINARIO_FINISH_COMPETITION_CODES_H_
#define BINARIO_FINISH_COMPETITION_CODES_H_

#include <cstdint>

#include "model/station_table.h"

namespace binario {

// The two competition codes that tie a compiled scenario to its names. Both
// count the first 25 characters of the code string: the train name (record
// 86) and the route name (record 85), in ASCII lower case, followed by
// "mnbvcxzlkjhgfdsapoiuytrewq". Bytes outside A-Z count as they are.

// The sum of the 25 character codes: 0 to 6375, stored in the grid's header cell.
int32_t codice_gara_og(const StationTable& stazioni);

// The sum of position (1 to 25) times character code: 0 to 82875, stored
// in station record 85.
int32_t codice_gara_st(const StationTable& stazioni);

}  // namespace binario

#endif  // BINARIO_FINISH_COMPETITION_CODES_H_
