#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_VALUE_NAMES_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_VALUE_NAMES_H_

// The names the preview gives values: those of the texts' grammars, as the
// language reference gives them, and the few the preview works out itself
// (a station's area, a cell's stretch values).

#include <cstddef>

#include "route/route_grammar.h"
#include "scenario/scenario_grammar.h"

namespace binario::tool::value_name {

// The values of a keyword line, in their places on the line.
inline const grammar::Value& station(size_t i) { return scenario_grammar::kStationValues[i]; }
inline const grammar::Value& signal(size_t i) { return scenario_grammar::kSignalValues[i]; }
inline const grammar::Value& slowdown(size_t i) { return scenario_grammar::kSlowdownValues[i]; }
inline const grammar::Value& code_point(size_t i) { return scenario_grammar::kCodePointValues[i]; }
inline const grammar::Value& speed_board(size_t i) { return route_grammar::kSpeedBoardValues[i]; }
inline const grammar::Value& location_board(size_t i) {
  return route_grammar::kLocationBoardValues[i];
}
inline const grammar::Value& mountain(size_t i) { return route_grammar::kMountainValues[i]; }

// Places of the values that the preview picks out.
namespace place {
inline constexpr size_t kPosition = 0;
inline constexpr size_t kStationKind = 1, kStationFlagA = 3, kStationDwell = 12;
inline constexpr size_t kSignalLeftHead = 1, kSignalLeftAspect1 = 2, kSignalRepeater = 5,
                        kSignalRightHead = 6, kSignalRightAspect1 = 7, kSignalTime = 10;
inline constexpr size_t kSlowdownSpeed = 1, kSlowdownEndValue = 3, kSlowdownBoardValue = 5;
inline constexpr size_t kBoardLeftSpeedA = 1, kBoardLeftStripes = 4, kBoardRightSpeedA = 5,
                        kBoardRightStripes = 8, kBoardText = 1;
inline constexpr size_t kMountainKind = 2, kCodeValue = 1;
}  // namespace place

// What the preview works out.
inline constexpr const char* kArea = "station area";
inline constexpr const char* kTime = "time";
inline constexpr const char* kStopCell = "stop marker cell";
inline constexpr const char* kRecord = "station record";
inline constexpr const char* kCell = "grid cell";
inline constexpr const char* kPreWarningNumber = "pre-warning number";
inline constexpr const char* kMountainMarkers = "mountain markers";
inline constexpr const char* kApproach = "approach code";
inline constexpr const char* kLineSpeed = "line speed";
inline constexpr const char* kGradient = "gradient";

}  // namespace binario::tool::value_name

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_VALUE_NAMES_H_
