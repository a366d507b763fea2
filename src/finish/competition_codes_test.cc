#include "finish/competition_codes.h"

#include <gtest/gtest.h>

namespace binario {
namespace {

struct Case {
  const char* train;
  const char* route;
  int32_t og;
  int32_t st;
};

TEST(CompetitionCodesTest, CodesOfNamePairs) {
  const Case cases[] = {
      {"IR2230", "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA", 2348, 32241},
      {"R2", "Linea di prova numero 7", 2287, 29305},
      {"r2", "LINEA DI PROVA NUMERO 7", 2287, 29305},
      {"Linea di prova numero 7", "R2", 2287, 28831},
      // Only the first 25 characters count.
      {"IR2230", "BOLOGNA CENTRALE_VErona", 2348, 32241},
  };
  for (const Case& c : cases) {
    StationTable t;
    t[kTrainRecord].name = Text(c.train);
    t[kRouteRecord].name = Text(c.route);
    EXPECT_EQ(codice_gara_og(t), c.og) << c.train << " / " << c.route;
    EXPECT_EQ(codice_gara_st(t), c.st) << c.train << " / " << c.route;
  }
}

TEST(CompetitionCodesTest, ShortNamesAreCompletedByTheFixedText) {
  const char* filler = "mnbvcxzlkjhgfdsapoiuytrew";  // its first 25 characters
  int32_t og = 0;
  int32_t st = 0;
  for (int i = 0; i < 25; ++i) {
    og += static_cast<unsigned char>(filler[i]);
    st += (i + 1) * static_cast<unsigned char>(filler[i]);
  }
  StationTable empty;
  EXPECT_EQ(codice_gara_og(empty), og);
  EXPECT_EQ(codice_gara_st(empty), st);

  // "AB" + "C" counts "abc" and then the fixed text's first 22 characters.
  StationTable t;
  t[kTrainRecord].name = Text("AB");
  t[kRouteRecord].name = Text("C");
  int32_t expected = 'a' + 'b' + 'c';
  for (int i = 0; i < 22; ++i) expected += static_cast<unsigned char>(filler[i]);
  EXPECT_EQ(codice_gara_og(t), expected);
}

TEST(CompetitionCodesTest, BytesAboveAsciiCountAsUnsigned) {
  StationTable t;
  t[kTrainRecord].name = Text(std::string_view("\xE0\xC0", 2));  // a grave, A grave: no case change
  t[kRouteRecord].name = Text("x");
  StationTable ref;
  ref[kRouteRecord].name = Text("x");
  ref[kTrainRecord].name = Text(std::string_view("\x01\x01", 2));
  EXPECT_EQ(codice_gara_og(t) - codice_gara_og(ref), 0xE0 - 1 + 0xC0 - 1);
  EXPECT_EQ(codice_gara_st(t) - codice_gara_st(ref), (0xE0 - 1) + 2 * (0xC0 - 1));
}

}  // namespace
}  // namespace binario
