#ifndef BINARIO_SCENARIO_SCENARIO_GRAMMAR_H_
#define BINARIO_SCENARIO_SCENARIO_GRAMMAR_H_

// The grammar of the scenario text, <route>_<train>-.txt: a preamble passed
// over, then from the field "[generale]" to the end of the text one section
// of keyword lines in any order. Section titles such as "[stazioni]" or
// "[segnali]" hold no keyword and are passed over. Every keyword of the
// scenario text is spelled here and nowhere else.

#include <array>
#include <span>

#include "base/grammar.h"

namespace binario::scenario_grammar {

using grammar::KeywordDef;
using grammar::kGeneralTitle;
using grammar::SectionDef;
using grammar::Value;
using grammar::Width;

inline constexpr Width I = Width::kI32;
inline constexpr Width S = Width::kI16;
inline constexpr Width B = Width::kU8;
inline constexpr Width T = Width::kText;

inline constexpr Value kBrakedMassValues[] = {
    {"braked mass", "%", I, "as is"},
};
inline constexpr Value kCarsValues[] = {
    {"cars", "", I, "as is"},
};
inline constexpr Value kSpeedValues[] = {
    {"position", "m", I, "the cell of round(position / 50), from which the speed holds"},
    {"speed", "km/h", I, "speed / 5, rounded, in 8 bits (0 to 1277 km/h), in every cell"},
};
inline constexpr Value kAdherenceValues[] = {
    {"position", "m", I, "the cell of round(position / 50), from which the adhesion holds"},
    {"adhesion", "", I, "its low 8 bits, in every cell up to the next line"},
};
inline constexpr Value kClockValues[] = {
    {"hours", "h", S, "as is"},
    {"minutes", "min", S, "as is"},
    {"seconds", "s", S, "as is"},
};
inline constexpr Value kSandValues[] = {
    {"sand", "", S, "as is"},
};
inline constexpr Value kSignalValues[] = {
    {"position", "m", I, "the cell of round(position / 50 + 1)"},
    {"left head", "", I, "10 x repeater + 3 x left head + right head, in 16 bits"},
    {"left aspect 1", "", I, "10 x left aspect 1 + right aspect 1, in 16 bits"},
    {"left aspect 2", "", I, "10 x left aspect 2 + right aspect 2, in 16 bits"},
    {"left aspect 3", "", I, "10 x left aspect 3 + right aspect 3, in 16 bits"},
    {"repeater", "", I, "with the left head"},
    {"right head", "", I, "with the left head"},
    {"right aspect 1", "", I, "with left aspect 1"},
    {"right aspect 2", "", I, "with left aspect 2"},
    {"right aspect 3", "", I, "with left aspect 3"},
    {"time", "", I, "only with left head 2: in 8 bits, 1 to 100 stored as 101"},
};
inline constexpr Value kSlowdownValues[] = {
    {"position", "m", I, "the start cell, round(position / 50 + 1)"},
    {"speed", "km/h", I, "in 16 bits, on the warning board, start and end"},
    {"length", "m", I, "the end cell, round((position + length) / 50 + 1)"},
    {"end value", "", I, "in 16 bits, on the start and end"},
    {"pre-warning", "", I, "not 0: four pre-warning cells before the warning board"},
    {"board value", "", I, "not 0: in 16 bits on the board, start and end"},
};
inline constexpr Value kCodePointValues[] = {
    {"position", "m", I, "the cell of round(position / 50)"},
    {"value", "", I, "above 0: a code point with the value in 16 bits; otherwise a code cut"},
};
inline constexpr Value kStationValues[] = {
    {"position", "m", I, "as is; a multiple of 50"},
    {"kind", "", B, "as is; 5, 6 terminus, 7, 8 long, 25 and above no stop"},
    {"length", "m", I, "not stored; a multiple of 100, it sets the station's area"},
    {"flag A", "", B, "as is"},
    {"flag B", "", B, "as is; 0 below 600 m and at the first station"},
    {"extended area", "", B, "not 0: the area of a centred station ends 50 m later"},
    {"group 1 A", "", S, "as is"},
    {"group 1 B", "", S, "as is"},
    {"group 1 C", "", B, "as is"},
    {"group 2 A", "", S, "as is"},
    {"group 2 B", "", S, "as is"},
    {"group 2 C", "", S, "as is"},
    {"dwell", "", B, "as is"},
    {"hours", "h", I, "with minutes and seconds: the time in seconds after midnight"},
    {"minutes", "min", I, "with the hours"},
    {"seconds", "s", I, "with the hours"},
    {"name", "", T, "as written, up to the next comma"},
};

// The keywords, in the reader's test order, all in any letter case. A field
// holding two keywords runs both, each reading its own values.
inline constexpr KeywordDef kKeywords[] = {
    {"percentuale massa frenata",
     {"frenata", "massa"},
     kBrakedMassValues,
     "the train's braked-mass percentage"},
    {"numero vetture", {"vetture"}, kCarsValues, "the number of cars"},
    {"velocita", {"velocit"}, kSpeedValues, "the line speed from a position on"},
    {"aderenza", {"aderenza"}, kAdherenceValues, "the adhesion from a position on"},
    {"orologio", {"orologio"}, kClockValues, "the clock when the run starts"},
    {"sabbia", {"sabbia"}, kSandValues, "the sand the train carries"},
    {"segnale", {"segnale"}, kSignalValues, "a signal"},
    {"rallentamento",
     {"rallentamento"},
     kSlowdownValues,
     "a slowdown and its warning board",
     "10000, 60, 500, 1, 1, 0"},
    {"abbattimento",
     {"abbattimento"},
     kCodePointValues,
     "a code point or a code cut",
     "20000, 180"},
    {"stazione", {"stazione"}, kStationValues, "a station or a place on the line, in line order"},
};

// Keywords by their place in the table.
enum Id : size_t {
  kBrakedMass,
  kCars,
  kSpeed,
  kAdherence,
  kClock,
  kSand,
  kSignal,
  kSlowdown,
  kCodePoint,
  kStation,
  kKeywordCount,
};
static_assert(std::size(kKeywords) == kKeywordCount);
static_assert(grammar::well_formed(kKeywords));
static_assert(std::size(kStationValues) == grammar::kMaxValues);

inline constexpr SectionDef kSections[] = {
    {kGeneralTitle, kKeywords,
     "Everything after the field [generale] (what stands before it is passed over): the "
     "train's values, line speeds and adhesion, stations, slowdowns, code points and signals, "
     "in any order. Section titles such as [stazioni] or [segnali] are passed over."},
};

// What the reader links: each keyword's test and value widths.
inline constexpr auto kRules = grammar::rules_of(std::span(kKeywords));

}  // namespace binario::scenario_grammar

#endif  // BINARIO_SCENARIO_SCENARIO_GRAMMAR_H_
