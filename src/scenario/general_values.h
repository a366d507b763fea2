#ifndef BINARIO_SCENARIO_GENERAL_VALUES_H_
#define BINARIO_SCENARIO_GENERAL_VALUES_H_

#include "scenario/scenario_context.h"

namespace binario {

// The service's general values, each read from its line into the service
// record (84) or the train record (86) of the station table.

// "percentuale massa frenata": braked-mass percentage, record 84 `area_start`.
Step braked_mass_line(ScenarioContext& r, const KeywordRule& rule);
// "numero vetture": number of cars, record 84 `position`.
Step cars_line(ScenarioContext& r, const KeywordRule& rule);
// "orologio": the clock at the start, hours, minutes and seconds, record 86
// `group2_a` to `group2_c`.
Step clock_line(ScenarioContext& r, const KeywordRule& rule);
// "sabbia": the sand value, record 86 `group1_a`.
Step sand_line(ScenarioContext& r, const KeywordRule& rule);

}  // namespace binario

#endif  // BINARIO_SCENARIO_GENERAL_VALUES_H_
