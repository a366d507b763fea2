#include "route/mountains.h"

#include <gtest/gtest.h>

#include "model/cell_index.h"

namespace binario {
namespace {

class MountainsTest : public ::testing::Test {
 protected:
  void SetUp() override { grid.create(159900); }
  LineGrid grid;
  MountainTables tables;
};

TEST_F(MountainsTest, MarkersFallOnEveryFourthEmptyCell) {
  grid[2149].kind = cell_kind::kSignal;
  int32_t tipo = 11;
  memo_montagna(grid, tables, 107100, 107750, tipo);
  EXPECT_EQ(tipo, 1);
  for (int32_t c = 2140; c <= 2156; ++c) {
    bool inside = c >= 2142 && c <= 2154;
    EXPECT_EQ(grid[c].mountain, inside ? 1 : 0) << c;
  }
  EXPECT_EQ(grid[2145].kind, cell_kind::kMountainMarker);
  EXPECT_EQ(grid[2149].kind, cell_kind::kSignal);  // never replaces a point object
  EXPECT_EQ(grid[2153].kind, cell_kind::kMountainMarker);
  for (int32_t c : {2142, 2143, 2144, 2146, 2154}) EXPECT_EQ(grid[c].kind, 0) << c;
  EXPECT_EQ(tables.count, 1);
  EXPECT_EQ(tables.inizio[1], 107100);
  EXPECT_EQ(tables.fine[1], 107750);
}

TEST_F(MountainsTest, CloseMountainBecomesTypeThree) {
  struct Case {
    int32_t gap;
    int32_t tipo;
    int32_t laid;
    bool markers;
  };
  const Case cases[] = {
      {150, 2, 3, false}, {151, 2, 2, false}, {0, 5, 3, false}, {-400, 1, 3, false},  // overlapping
      {100, 12, 3, true},  // keeps its markers
  };
  for (const Case& c : cases) {
    LineGrid g;
    g.create(159900);
    MountainTables t;
    int32_t first = 4;
    memo_montagna(g, t, 10000, 20000, first);
    int32_t tipo = c.tipo;
    int32_t start = 20000 + c.gap;
    memo_montagna(g, t, start, start + 1000, tipo);
    EXPECT_EQ(tipo, c.laid) << c.gap;
    int32_t cell = stretch_cell(start);
    EXPECT_EQ(g[cell].mountain, c.laid) << c.gap;
    EXPECT_EQ(g[cell + 3].kind, c.markers ? cell_kind::kMountainMarker : 0) << c.gap;
  }
}

TEST_F(MountainsTest, StretchBeyondTheGridOrTooManyLinesAreRefused) {
  // L = 3338: the last cell round(fine / 50 - 1) may be 3338 at most.
  int32_t off_grid = 0;
  EXPECT_EQ(check_montagna(grid, tables, 0, 166950, &off_grid), Fault::kNone);
  EXPECT_EQ(check_montagna(grid, tables, 0, 166975, &off_grid), Fault::kNone);  // 3338.5
  EXPECT_EQ(check_montagna(grid, tables, 0, 167000, &off_grid), Fault::kBeyondGrid);
  EXPECT_EQ(off_grid, 167000);
  EXPECT_EQ(check_montagna(grid, tables, -1, 1000, &off_grid), Fault::kBeyondGrid);
  EXPECT_EQ(off_grid, -1);
  EXPECT_EQ(check_montagna(grid, tables, -1, 200000, &off_grid), Fault::kBeyondGrid);
  EXPECT_EQ(off_grid, -1);

  for (int i = 0; i < MountainTables::kMaxLines; ++i) {
    ASSERT_EQ(check_montagna(grid, tables, 1000 * i, 1000 * i + 500, &off_grid), Fault::kNone);
    int32_t tipo = 1;
    memo_montagna(grid, tables, 1000 * i, 1000 * i + 500, tipo);
  }
  EXPECT_EQ(tables.count, 80);
  EXPECT_EQ(check_montagna(grid, tables, 90000, 90500, &off_grid), Fault::kReadingFailure);
}

TEST_F(MountainsTest, EmptyStretchWritesNothing) {
  int32_t tipo = 15;
  memo_montagna(grid, tables, 1000, 1000, tipo);  // cells 20 to 19
  EXPECT_EQ(tipo, 5);
  for (int32_t c = 0; c <= grid.last(); ++c) ASSERT_EQ(grid[c].mountain, 0) << c;
  EXPECT_EQ(tables.count, 1);
}

}  // namespace
}  // namespace binario
