#ifndef BINARIO_SCENARIO_STATION_LINE_H_
#define BINARIO_SCENARIO_STATION_LINE_H_

#include "scenario/scenario_context.h"

namespace binario {

// Stations start at least this many metres after the end of the previous one.
constexpr int32_t kStationSpacing = 350;
// A station position must lie this far before the end of the grid.
constexpr int32_t kStationMargin = 800;

// A "stazione" line: compiles the station into the next station record, with
// its area, and lays its approach marks and stop marker into the grid.
// Codes: 15 (position beyond the grid or before its start), 8 (position not
// a multiple of 50), 9 (length not a multiple of 100), 24 (stop marker on
// cell 1 or before), 22 (too close to the previous station), 10 (the
// stations reach the location board records), 25 (a stop marker past the
// last cell, or a time or area beyond 32 bits).
Step station_line(ScenarioContext& r, const KeywordRule& rule);

}  // namespace binario

#endif  // BINARIO_SCENARIO_STATION_LINE_H_
