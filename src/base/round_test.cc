#include "base/round.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace binario {
namespace {

TEST(RoundTest, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double x;
    int32_t expected;
  };
  for (Case c : {Case{2.5, 2},
                 {3.5, 4},
                 {-2.5, -2},
                 {-3.5, -4},
                 {400.5, 400},
                 {401.5, 402},
                 {2.4999, 2},
                 {2.5001, 3},
                 {0.5, 0},
                 {1.5, 2}}) {
    EXPECT_EQ(round_i32(c.x), c.expected) << "x = " << c.x;
  }
}

TEST(RoundTest, ResultOutsideThirtyTwoBitsIsRefused) {
  EXPECT_EQ(round_i32(2147483647.0), 2147483647);
  EXPECT_EQ(round_i32(-2147483648.0), INT32_MIN);
  EXPECT_FALSE(round_i32(2147483647.5).has_value());  // rounds to 2^31
  EXPECT_FALSE(round_i32(-2147483649.0).has_value());
  EXPECT_FALSE(round_i32(0.0 / 0.0).has_value());
}

TEST(RoundTest, SixteenBitDestination) {
  EXPECT_EQ(round_i16(32767.4), 32767);
  EXPECT_EQ(round_i16(-32768.5), -32768);  // halves to even
  EXPECT_FALSE(round_i16(32767.5).has_value());
  EXPECT_FALSE(round_i16(-32769.0).has_value());
}

TEST(RoundTest, CellOfAPosition) {
  EXPECT_EQ(cell_of(1900, 1), 39);  // a signal at 1900
  EXPECT_EQ(cell_of(1900), 38);     // a code point at 1900
  EXPECT_EQ(cell_of(20025), 400);   // 400.5
  EXPECT_EQ(cell_of(20075), 402);   // 401.5
  EXPECT_EQ(cell_of(125, 1), 4);    // 3.5
  EXPECT_EQ(cell_of(75, 1), 2);     // 2.5
}

TEST(TextTest, KeywordTests) {
  EXPECT_TRUE(contains("ripetizione segnali 4 codici", "segnali"));
  EXPECT_FALSE(contains("Ripetizione segnali", "ripetizione"));
  EXPECT_TRUE(contains_ignoring_case("LUNGHEZZA Percorso", "lunghezza"));
  EXPECT_TRUE(contains_ignoring_case("curvaS4", "s"));
  EXPECT_FALSE(contains_ignoring_case("[stazioni]", "stazione"));
  // Bytes outside A-Z compare exactly: no code page folding.
  EXPECT_FALSE(contains_ignoring_case("\xC0", "\xE0"));
}

TEST(TextTest, DecimalText) {
  EXPECT_EQ(decimal(0).view(), "0");
  EXPECT_EQ(decimal(166850).view(), "166850");
  EXPECT_EQ(decimal(-450).view(), "-450");
  EXPECT_EQ(decimal(INT32_MIN).view(), "-2147483648");
}

}  // namespace
}  // namespace binario
