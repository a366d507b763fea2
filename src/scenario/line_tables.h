#ifndef BINARIO_SCENARIO_LINE_TABLES_H_
#define BINARIO_SCENARIO_LINE_TABLES_H_

#include <cstdint>
#include <optional>

#include "scenario/scenario_context.h"

namespace binario {

// The line speed and adhesion tables: each table line declares the value in
// force from its own position to the next line's; the cells before its
// position receive the previous line's value.

// Line speed byte of a speed in km/h: round(speed / 5). Empty when it does
// not fit a byte (1278 km/h and above, or a negative fifth).
std::optional<uint8_t> speed_byte(int32_t speed);

// A "velocit" line: position and speed.
Step speed_line(ScenarioContext& r, const KeywordRule& rule);

// An "aderenza" line: position and adhesion value.
Step adherence_line(ScenarioContext& r, const KeywordRule& rule);

// End of reading: the speed in force runs on to cell L - 3, and so does the
// adhesion. False when the speed byte does not fit (code 25 recorded).
bool fill_line_tables_to_end(ScenarioContext& r);

}  // namespace binario

#endif  // BINARIO_SCENARIO_LINE_TABLES_H_
