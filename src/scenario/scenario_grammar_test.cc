#include "scenario/scenario_grammar.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "base/grammar_lookup.h"

namespace binario::scenario_grammar {
namespace {

using grammar::find_keyword;
using grammar::place_in_line;

TEST(ScenarioGrammarTest, KeywordsAreFoundByNameOrAsTheReaderTestsThem) {
  struct Case {
    const char* name;
    const KeywordDef* expected;
  };
  for (Case c : {Case{"velocita", &kKeywords[kSpeed]},
                 {"VELOCITA'", &kKeywords[kSpeed]},
                 {"percentuale massa frenata", &kKeywords[kBrakedMass]},
                 {"massa frenata", &kKeywords[kBrakedMass]},
                 {"frenata", nullptr},
                 {"[segnali]", nullptr},
                 {"Stazione di Padova", &kKeywords[kStation]}}) {
    EXPECT_EQ(find_keyword(kKeywords, c.name), c.expected) << c.name;
  }
}

// Where the sample's lines put a byte: the keyword, the value's index and the
// field's bytes. The blanks before a field belong to it, the comma after it too.
TEST(ScenarioGrammarTest, ABytePlacesItsKeywordAndValue) {
  const std::string signal = "segnale,    1900,   2, 4, 1,  1, 0,    2,  1,1,1, 0";
  const std::string clock = "orologio,    10              52            0 ";
  const std::string station =
      "stazione,       0,  2,  900,  1, 1, 0,  4,1,0,  2,1,1,    1,  10,53, 0, BOLOGNA CENTRALE";
  struct Case {
    const std::string* line;
    std::string_view at;  // the byte is the first of this text's last place in the line
    size_t nudge;         // bytes after it
    int value;
    std::string_view field;
  };
  for (Case c : {Case{&signal, "segnale", 3, -1, "segnale"},
                 {&signal, "1900", 0, 0, "1900"},
                 {&signal, "    1900", 0, 0, "1900"},
                 {&signal, "2, 4", 0, 1, "2"},
                 {&signal, "1,1,1", 2, 8, "1"},
                 {&signal, " 0", 1, 10, "0"},
                 {&clock, "52", 1, 1, "52"},
                 {&clock, "0 ", 0, 2, "0"},
                 {&station, "BOLOGNA", 4, 16, "BOLOGNA CENTRALE"},
                 {&station, "53", 0, 14, "53"}}) {
    const size_t offset = c.line->rfind(c.at) + c.nudge;
    const grammar::LinePlace place = place_in_line(kKeywords, *c.line, offset);
    ASSERT_NE(place.keyword, nullptr) << *c.line;
    EXPECT_EQ(place.value, c.value) << *c.line << " at " << offset;
    EXPECT_EQ(c.line->substr(place.start, place.end - place.start), c.field)
        << *c.line << " at " << offset;
  }
}

TEST(ScenarioGrammarTest, ABytePastTheValuesOrInACommentHasNoValue) {
  const std::string extra = "velocita, 0, 30, 7";
  EXPECT_EQ(place_in_line(kKeywords, extra, extra.find('7')).value, -1);
  const std::string comment = "-- segnale, 1900";
  EXPECT_EQ(place_in_line(kKeywords, comment, comment.find("1900")).keyword, nullptr);
  const std::string title = "[segnali]";
  EXPECT_EQ(place_in_line(kKeywords, title, 2).keyword, nullptr);
  // A value that cannot be read does not hide the ones after it.
  const std::string bad = "abbattimento, 20O00, 180";
  const grammar::LinePlace place = place_in_line(kKeywords, bad, bad.find("180"));
  EXPECT_EQ(place.value, 1);
}

}  // namespace
}  // namespace binario::scenario_grammar
