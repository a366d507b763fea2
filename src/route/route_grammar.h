#ifndef BINARIO_ROUTE_ROUTE_GRAMMAR_H_
#define BINARIO_ROUTE_ROUTE_GRAMMAR_H_

// The grammar of the route text, <route>_linea.txt: a preamble passed over,
// the general section from the field "[generale]" to the next section title,
// and the line section to the end of the text. Every keyword of the route
// text is spelled here and nowhere else.

#include <array>
#include <span>

#include "base/grammar.h"

namespace binario::route_grammar {

using grammar::KeywordDef;
using grammar::kGeneralTitle;
using grammar::SectionDef;
using grammar::Value;
using grammar::Width;

inline constexpr Width I = Width::kI32;
inline constexpr Width T = Width::kText;

inline constexpr Value kLengthValues[] = {
    {"route length", "m", I, "as is, 0 to 1000000; the line runs 7000 m past it"},
};
inline constexpr Value kProgressiveValues[] = {
    {"position", "m", I, "as is; a multiple of 50; the three are ordered by position"},
    {"kilometre value", "m", I, "as is, plus 100 when the flag is 1; a multiple of 50"},
    {"flag", "", I, "as is; 1 adds 100 to the kilometre value"},
};
inline constexpr Value kBackgroundValues[] = {
    {"background", "", I, "as is"},
};
inline constexpr Value kRepetitionValues[] = {
    {"start", "m", I, "as is; a multiple of 50"},
    {"end", "m", I, "as is; a multiple of 50; 0: no repetition"},
};

// The general section, in the reader's test order. Only the route length is
// tested in any letter case; the others' words must stand in lower case.
inline constexpr KeywordDef kGeneralKeywords[] = {
    {"lunghezza percorso", {"lunghezza", "percorso"}, kLengthValues, "the length of the route"},
    {"progressiva chilometrica tre",
     {"progressiva", "tre", true},
     kProgressiveValues,
     "one of up to three kilometric progressives: from a position on, the kilometre "
     "value shown",
     "140000, 123500, 1"},
    {"progressiva chilometrica due",
     {"progressiva", "due", true},
     kProgressiveValues,
     "one of up to three kilometric progressives",
     "61000, 61000, 0"},
    {"progressiva chilometrica uno",
     {"progressiva", "uno", true},
     kProgressiveValues,
     "one of up to three kilometric progressives"},
    {"sfondo uno", {"sfondo", "uno", true}, kBackgroundValues, "the first background"},
    {"sfondo due", {"sfondo", "due", true}, kBackgroundValues, "the second background"},
    {"sfondo tre", {"sfondo", "tre", true}, kBackgroundValues, "the third background"},
    {"ripetizione segnali 4 codici",
     {"ripetizione", "segnali", true},
     kRepetitionValues,
     "signal repetition between two positions; the keyword says 4 or 9 codes"},
};

inline constexpr Value kGradientValues[] = {
    {"position", "m", I, "the cell of round(position / 50), from which the gradient holds"},
    {"gradient", "per mille", I, "gradient + 100 in 8 bits, in every cell up to the next line"},
};
inline constexpr Value kCurveValues[] = {
    {"start", "m", I, "the route plan turns from the metre after it"},
    {"length", "m", I, "metres turned, to end no later than 7000 m past the route length"},
};
inline constexpr Value kMountainValues[] = {
    {"start", "m", I, "the first cell, round(start / 50)"},
    {"end", "m", I, "the last cell, round(end / 50 - 1)"},
    {"kind", "", I, "in 8 bits in each cell; above 10: kind - 10 with a marker every 200 m"},
};
inline constexpr Value kSpeedBoardValues[] = {
    {"position", "m", I, "the cell of round(position / 50 + 1)"},
    {"left speed A", "km/h", I, "20 x left speed A + right speed A / 5, rounded, in 16 bits"},
    {"left speed B", "km/h", I, "20 x left speed B + right speed B / 5, rounded, in 16 bits"},
    {"left speed C", "km/h", I, "20 x left speed C + right speed C / 5, rounded, in 16 bits"},
    {"left stripes", "", I, "10 x left stripes + right stripes, in 16 bits"},
    {"right speed A", "km/h", I, "with left speed A"},
    {"right speed B", "km/h", I, "with left speed B"},
    {"right speed C", "km/h", I, "with left speed C"},
    {"right stripes", "", I, "with left stripes"},
};
inline constexpr Value kLocationBoardValues[] = {
    {"position", "m", I, "the cell of round(position / 50 + 1)"},
    {"board text", "", T, "as written, up to the next comma, as a station record's name"},
};

// The line section, in the reader's test order, all in any letter case.
inline constexpr KeywordDef kLineKeywords[] = {
    {"pendenza", {"pendenza"}, kGradientValues, "the gradient from a position on"},
    {"curvad1",
     {"curva"},
     kCurveValues,
     "a curve: curvad turns right, curvas left; the digit 1 to 6 says how sharp"},
    {"montagna", {"montagna"}, kMountainValues, "a mountain stretch"},
    {"indicatori_vmax", {"indicatori_v"}, kSpeedBoardValues, "a speed-indicator board"},
    {"cartello_indicatore",
     {"indicat", "cartello"},
     kLocationBoardValues,
     "a location board and its text"},
};

// Keywords by their place in the tables.
enum General : size_t {
  kLength,
  kProgressiveThree,
  kProgressiveTwo,
  kProgressiveOne,
  kBackgroundOne,
  kBackgroundTwo,
  kBackgroundThree,
  kRepetition,
  kGeneralCount,
};
enum Line : size_t {
  kGradient,
  kCurve,
  kMountain,
  kSpeedBoard,
  kLocationBoard,
  kLineCount,
};
static_assert(std::size(kGeneralKeywords) == kGeneralCount);
static_assert(std::size(kLineKeywords) == kLineCount);
static_assert(grammar::well_formed(kGeneralKeywords) && grammar::well_formed(kLineKeywords));

inline constexpr SectionDef kSections[] = {
    {kGeneralTitle, kGeneralKeywords,
     "The route's header values. It begins after the field [generale] (everything before it "
     "is passed over) and ends at the next section title."},
    {"line section", kLineKeywords,
     "Everything after the general section: gradients, curves, mountains and boards, in any "
     "order. Section titles such as [pendenze] or [fine] stand between them and are passed "
     "over."},
};

// What the reader links: each keyword's test and value widths.
inline constexpr auto kGeneralRules = grammar::rules_of(std::span(kGeneralKeywords));
inline constexpr auto kLineRules = grammar::rules_of(std::span(kLineKeywords));

}  // namespace binario::route_grammar

#endif  // BINARIO_ROUTE_ROUTE_GRAMMAR_H_
