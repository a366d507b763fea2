#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_VALUE_NAMES_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_VALUE_NAMES_H_

// The names the preview gives the values of the texts' lines: one place, so
// that the page reads as the language reference does. Values whose meaning
// lies in the simulator are named by their place on the line ("value 4 of
// the station line").

namespace binario::tool::value_name {

// Every line with a place on the route.
inline constexpr const char* kPosition = "position";
inline constexpr const char* kCell = "grid cell";

// "stazione": position, kind, length, values 4 to 13, time, name.
inline constexpr const char* kStationKind = "kind";
inline constexpr const char* kArea = "station area";
inline constexpr const char* kStationValue4 = "value 4";
inline constexpr const char* kStationValue5 = "value 5 (0 below 600 m)";
inline constexpr const char* kAreaLonger = "value 6: area 50 m longer";
inline constexpr const char* kStationValues7to9 = "values 7, 8, 9";
inline constexpr const char* kStationValues10to12 = "values 10, 11, 12";
inline constexpr const char* kStop = "stop";
inline constexpr const char* kTime = "time";
inline constexpr const char* kStopCell = "stop marker";
inline constexpr const char* kRecord = "station record";

// "segnale": position, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo.
inline constexpr const char* kLeftSide = "left side (sx)";
inline constexpr const char* kLeftAspects = "left aspects (s1, s2, s3)";
inline constexpr const char* kRightSide = "right side (dx)";
inline constexpr const char* kRightAspects = "right aspects (d1, d2, d3)";
inline constexpr const char* kRepeater = "repeater (rapp)";
inline constexpr const char* kSignalTime = "signal time (tempo)";

// "indicatori_vmax": position, left speeds A, B, C, left stripes, right speeds A, B, C, right
// stripes.
inline constexpr const char* kLeftSpeeds = "left speeds A, B, C";
inline constexpr const char* kRightSpeeds = "right speeds A, B, C";
inline constexpr const char* kLeftStripes = "left stripes";
inline constexpr const char* kRightStripes = "right stripes";

// "cartello_indicatore": position, board text.
inline constexpr const char* kBoardText = "board text";

// "rallentamento": position, speed, length, f_tt, f_ta, d_v.
inline constexpr const char* kSpeed = "speed";
inline constexpr const char* kFrom = "from";
inline constexpr const char* kTo = "to";
inline constexpr const char* kSlowdownFtt = "f_tt";
inline constexpr const char* kSlowdownDv = "d_v";
inline constexpr const char* kPreWarningNumber = "pre-warning number";

// "abbattimento": position, value.
inline constexpr const char* kCodeValue = "value";

// "montagna": start, end, type.
inline constexpr const char* kMountainType = "type";
inline constexpr const char* kMountainMarkers = "mountain markers";

// The stretch values every cell carries.
inline constexpr const char* kApproach = "approach code";
inline constexpr const char* kLineSpeed = "line speed";
inline constexpr const char* kGradient = "gradient";
inline constexpr const char* kAdhesion = "adhesion";

}  // namespace binario::tool::value_name

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_VALUE_NAMES_H_
