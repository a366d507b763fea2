#include "route/route_grammar.h"

#include <gtest/gtest.h>

#include <string>

#include "base/grammar_lookup.h"

namespace binario::route_grammar {
namespace {

// The general section's words other than the route length stand in lower
// case: a capital hides the keyword from the reader, and so from a lookup.
TEST(RouteGrammarTest, GeneralKeywordsKeepTheReadersLetterCase) {
  EXPECT_EQ(grammar::find_keyword(kGeneralKeywords, "LUNGHEZZA PERCORSO"),
            &kGeneralKeywords[kLength]);
  EXPECT_EQ(grammar::find_keyword(kGeneralKeywords, "sfondo due"),
            &kGeneralKeywords[kBackgroundTwo]);
  EXPECT_EQ(grammar::find_keyword(kGeneralKeywords, "Sfondo due"), nullptr);
  EXPECT_EQ(grammar::find_keyword(kGeneralKeywords, "ripetizione segnali 9 codici"),
            &kGeneralKeywords[kRepetition]);
}

TEST(RouteGrammarTest, ASpeedBoardsValuesAreNamedByTheirSide) {
  const std::string line = "indicatori_vmax,     700, 100, 105, 110, 0, 100, 105, 110, 0";
  const grammar::LinePlace place =
      grammar::place_in_line(kLineKeywords, line, line.find("110, 0,"));
  ASSERT_EQ(place.keyword, &kLineKeywords[kSpeedBoard]);
  ASSERT_EQ(place.value, 3);
  EXPECT_STREQ(place.keyword->values[3].name, "left speed C");
  const std::string board = "cartello_indicatore,    2350, (BIVIO   )(BATTIFERR)(LINEA PD )";
  const grammar::LinePlace text = grammar::place_in_line(kLineKeywords, board, board.find("BATT"));
  EXPECT_EQ(text.value, 1);
  EXPECT_EQ(board.substr(text.start, text.end - text.start), "(BIVIO   )(BATTIFERR)(LINEA PD )");
}

}  // namespace
}  // namespace binario::route_grammar
