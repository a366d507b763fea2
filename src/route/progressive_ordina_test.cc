#include "route/progressive_ordina.h"

#include <gtest/gtest.h>

#include <array>

namespace binario {
namespace {

using Triple = std::array<int32_t, 3>;  // position, kilometre value, flag

void put(StationTable& t, int32_t record, const Triple& v) {
  t[record].area_start = v[0];
  t[record].area_end = v[1];
  t[record].position = v[2];
}

Triple get(const StationTable& t, int32_t record) {
  return {t[record].area_start, t[record].area_end, t[record].position};
}

TEST(ProgressiveOrdinaTest, OrdersByPositionOrByKilometreValue) {
  struct Case {
    const char* what;
    Triple tre, due, uno;         // records 81, 82, 83 before
    Triple first, second, third;  // records 81, 82, 83 after
  };
  const Triple zero{0, 0, 0};
  const Case cases[] = {
      {"only uno", zero, zero, {122900, 106500, 0}, {122900, 106500, 0}, zero, zero},
      {"D, U, T",
       {1000, 1, 0},
       {5000, 2, 0},
       {3000, 3, 0},
       {5000, 2, 0},
       {3000, 3, 0},
       {1000, 1, 0}},
      {"T first",
       {9000, 1, 0},
       {5000, 2, 0},
       {7000, 3, 0},
       {9000, 1, 0},
       {7000, 3, 0},
       {5000, 2, 0}},
      {"U first, T before D",
       {4000, 1, 0},
       {2000, 2, 0},
       {6000, 3, 0},
       {6000, 3, 0},
       {4000, 1, 0},
       {2000, 2, 0}},
      {"shared largest position", {5000, 1, 0}, {5000, 2, 0}, zero, zero, zero, zero},
      {"tie below the largest: U before D",
       {9000, 1, 0},
       {100, 2, 0},
       {100, 3, 0},
       {9000, 1, 0},
       {100, 3, 0},
       {100, 2, 0}},
      {"no positions, U and T valued",
       {0, 1000, 0},
       zero,
       {0, 2000, 0},
       {0, 2000, 0},
       zero,
       {0, 1000, 0}},
      {"no positions, D valued", zero, {0, 500, 0}, zero, {0, 500, 0}, zero, zero},
      {"all missing", zero, zero, zero, zero, zero, zero},
      {"flag 1 adds 100", {1000, 106500, 1}, zero, zero, {1000, 106600, 1}, zero, zero},
      {"flag 2 adds nothing", {1000, 106500, 2}, zero, zero, {1000, 106500, 2}, zero, zero},
  };
  for (const Case& c : cases) {
    StationTable t;
    put(t, 81, c.tre);
    put(t, 82, c.due);
    put(t, 83, c.uno);
    ASSERT_TRUE(progressive_ordina(t)) << c.what;
    EXPECT_EQ(get(t, 81), c.first) << c.what;
    EXPECT_EQ(get(t, 82), c.second) << c.what;
    EXPECT_EQ(get(t, 83), c.third) << c.what;
  }
}

TEST(ProgressiveOrdinaTest, OverflowingArithmeticIsRefused) {
  StationTable t;
  put(t, 81, {1000, INT32_MAX - 99, 1});
  EXPECT_FALSE(progressive_ordina(t));

  StationTable u;
  put(u, 81, {1000, INT32_MAX - 100, 1});
  ASSERT_TRUE(progressive_ordina(u));
  EXPECT_EQ(u[81].area_end, INT32_MAX);

  StationTable big;
  put(big, 81, {INT32_MAX, 0, 0});
  put(big, 82, {1, 0, 0});
  EXPECT_FALSE(progressive_ordina(big));
}

}  // namespace
}  // namespace binario
