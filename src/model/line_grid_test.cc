#include "model/line_grid.h"

#include <gtest/gtest.h>

#include "base/coding.h"
#include "model/cell_index.h"

namespace binario {
namespace {

TEST(LineGridTest, LastCellIndexRoundsHalfToEven) {
  struct Case {
    int32_t route_length;
    int32_t last;
  };
  const Case cases[] = {
      {159900, 3338},  // 166900 / 50, exact
      {125, 142},      // 142.5
      {175, 144},      // 143.5
      {0, 140},       {1000000, 20140},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(last_cell_index(c.route_length), c.last) << c.route_length;
    LineGrid grid;
    grid.create(c.route_length);
    EXPECT_EQ(grid.last(), c.last) << c.route_length;
  }
}

TEST(LineGridTest, GridFileHasFifteenBytesPerCell) {
  LineGrid grid;
  grid.create(159900);
  Bytes image;
  grid.serialize(&image);
  EXPECT_EQ(image.size(), 50085u);
  EXPECT_EQ(image.size(), 3339u * kGridCellBytes);
}

TEST(LineGridTest, CellImageStandsAtFifteenTimesItsIndex) {
  LineGrid grid;
  grid.create(0);
  GridCell& c = grid[2];
  c.kind = cell_kind::kSignal;
  c.value1 = 0x0102;
  c.value2 = -2;
  c.value3 = 0x0506;
  c.value4 = 0x0708;
  c.signal_time = 9;
  c.approach = 10;
  c.mountain = 11;
  c.line_speed = 12;
  c.gradient = 13;
  c.adhesion = 14;
  grid[kHeaderCell].value1 = 5121;
  grid[kHeaderCell].value2 = 2348;

  Bytes image;
  grid.serialize(&image);
  const uint8_t expected[] = {1,    0x02, 0x01, 0xFE, 0xFF, 0x06, 0x05, 0x08,
                              0x07, 9,    10,   11,   12,   13,   14};
  for (int i = 0; i < 15; ++i) EXPECT_EQ(image[30 + i], expected[i]) << "offset " << 30 + i;
  // The header stamp at offsets 16-17, the competition code at 18-19.
  EXPECT_EQ(decode_i16(&image[16]), 5121);
  EXPECT_EQ(image[16], 0x01);
  EXPECT_EQ(image[17], 0x14);
  EXPECT_EQ(decode_i16(&image[18]), 2348);
  // Nothing else is set: cell 0 and cell 3 are all zero.
  for (int i = 0; i < 15; ++i) EXPECT_EQ(image[i], 0);
  for (int i = 45; i < 60; ++i) EXPECT_EQ(image[i], 0);
}

TEST(LineGridTest, CapacityTestBoundary) {
  LineGrid grid;
  grid.create(159900);  // L = 3338: p fits while p + 100 <= 166900
  EXPECT_TRUE(grid.fits(166800));
  EXPECT_FALSE(grid.fits(166801));
  EXPECT_FALSE(grid.fits(166850));
  EXPECT_TRUE(grid.fits(-1000000));
  EXPECT_TRUE(grid.fits(166100, 800));
  EXPECT_FALSE(grid.fits(166150, 800));
}

TEST(LineGridTest, FreeCellsAreEmptyOrMountainMarkers) {
  for (int kind = 0; kind <= 14; ++kind) {
    GridCell c;
    c.kind = static_cast<uint8_t>(kind);
    EXPECT_EQ(c.is_free(), kind == 0 || kind == 11) << kind;
  }
}

TEST(CellIndexTest, PositionsToCells) {
  EXPECT_EQ(point_cell(1900), 39);
  EXPECT_EQ(stretch_cell(1900), 38);
  EXPECT_EQ(point_cell(0), 1);      // the header cell
  EXPECT_EQ(point_cell(125), 4);    // 3.5
  EXPECT_EQ(point_cell(75), 2);     // 2.5
  EXPECT_EQ(stretch_cell(75), 2);   // 1.5
  EXPECT_EQ(stretch_cell(125), 2);  // 2.5
  EXPECT_EQ(stretch_last_cell(107750), 2154);
  EXPECT_EQ(stretch_last_cell(125), 2);  // 1.5
}

}  // namespace
}  // namespace binario
