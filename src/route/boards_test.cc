#include "route/boards.h"

#include <gtest/gtest.h>

#include "model/compile_state.h"

namespace binario {
namespace {

class BoardsTest : public ::testing::Test {
 protected:
  void SetUp() override { grid.create(159900); }
  LineGrid grid;
  StationTable stazioni;
  int32_t next_board = kFirstBoardRecord;
};

TEST_F(BoardsTest, SpeedBoardPacksBothSides) {
  SpeedBoard b{95, 110, 115, 0, 95, 110, 115, 0};
  ASSERT_EQ(memo_indicatori_v_max(grid, 500, b), Fault::kNone);
  const GridCell& c = grid[11];
  EXPECT_EQ(c.kind, cell_kind::kSpeedBoard);
  EXPECT_EQ(c.value1, 1919);
  EXPECT_EQ(c.value2, 2222);
  EXPECT_EQ(c.value3, 2323);
  EXPECT_EQ(c.value4, 0);
}

TEST_F(BoardsTest, SpeedBoardRoundsTheSumOnce) {
  // 20 + 12.4 -> 32; 20 + 17.6 -> 38; 0 - 2.6 -> -3.
  SpeedBoard b{1, 1, 0, 2, 62, 88, -13, 1};
  ASSERT_EQ(memo_indicatori_v_max(grid, 1000, b), Fault::kNone);
  EXPECT_EQ(grid[21].value1, 32);
  EXPECT_EQ(grid[21].value2, 38);
  EXPECT_EQ(grid[21].value3, -3);
  EXPECT_EQ(grid[21].value4, 21);
}

TEST_F(BoardsTest, SpeedBoardCellsRoundHalfToEven) {
  SpeedBoard b{1, 1, 1, 0, 0, 0, 0, 0};
  ASSERT_EQ(memo_indicatori_v_max(grid, 125, b), Fault::kNone);
  ASSERT_EQ(memo_indicatori_v_max(grid, 75, b), Fault::kNone);
  EXPECT_EQ(grid[4].kind, cell_kind::kSpeedBoard);
  EXPECT_EQ(grid[2].kind, cell_kind::kSpeedBoard);
  EXPECT_EQ(grid[3].kind, 0);
}

TEST_F(BoardsTest, BoardsReplaceMountainMarkersButNothingElse) {
  SpeedBoard b{100, 100, 100, 0, 100, 100, 100, 0};
  grid[11].kind = cell_kind::kMountainMarker;
  ASSERT_EQ(memo_indicatori_v_max(grid, 500, b), Fault::kNone);
  EXPECT_EQ(grid[11].kind, cell_kind::kSpeedBoard);
  EXPECT_EQ(memo_indicatori_v_max(grid, 500, b), Fault::kSpeedBoardTaken);
  EXPECT_EQ(memo_cartello_indicatore(grid, stazioni, next_board, 500, "(X)"),
            Fault::kLocationBoardTaken);
  EXPECT_EQ(next_board, kFirstBoardRecord);
  EXPECT_TRUE(stazioni[80].name.empty());
}

TEST_F(BoardsTest, SpeedBoardValuesThatDoNotFitAreRefusedWithoutWriting) {
  const SpeedBoard cases[] = {
      {1639, 0, 0, 0, 0, 0, 0, 0},       // 32780
      {0, 0, 0, 0, 0, 0, 163840, 0},     // 32768 in value3
      {0, 0, 0, 3277, 0, 0, 0, 0},       // 10 x 3277 = 32770
      {0, 0, 0, 3276, 0, 0, 0, 8},       // 32760 + 8
      {0, 0, 0, 0, 0, 0, 0, 40000},      // not a 16-bit stripe count
      {0, 200000000, 0, 0, 0, 0, 0, 0},  // 20 x speed overflows 32 bits
  };
  for (const SpeedBoard& b : cases) {
    EXPECT_EQ(memo_indicatori_v_max(grid, 500, b), Fault::kReadingFailure);
    EXPECT_EQ(grid[11].kind, 0);
  }
  SpeedBoard edge{0, 0, 0, 3276, 0, 0, 0, 7};  // 32767
  ASSERT_EQ(memo_indicatori_v_max(grid, 500, edge), Fault::kNone);
  EXPECT_EQ(grid[11].value4, 32767);
}

TEST_F(BoardsTest, LocationBoardsFillRecordsDownwardFromEighty) {
  ASSERT_EQ(memo_cartello_indicatore(grid, stazioni, next_board, 21400,
                                     "(PONTE SUL)(FIUME PO )(m 428    )"),
            Fault::kNone);
  ASSERT_EQ(memo_cartello_indicatore(grid, stazioni, next_board, 0, "(B)"), Fault::kNone);
  EXPECT_EQ(grid[429].kind, cell_kind::kLocationBoard);
  EXPECT_EQ(grid[429].value1, 80);
  EXPECT_EQ(grid[1].value1, 79);
  EXPECT_EQ(stazioni[80].name.view(), "(PONTE SUL)(FIUME PO )(m 428    )");
  EXPECT_EQ(stazioni[79].name.view(), "(B)");
  EXPECT_EQ(stazioni[80].area_start, 0);
  EXPECT_EQ(next_board, 78);
}

// The station file keeps a text's length in 16 bits.
TEST_F(BoardsTest, LocationBoardTextLongerThanItsRecordIsRefused) {
  const std::string longest(65535, 'T');
  ASSERT_EQ(memo_cartello_indicatore(grid, stazioni, next_board, 1000, longest), Fault::kNone);
  EXPECT_EQ(stazioni[80].name.size(), 65535u);
  EXPECT_EQ(memo_cartello_indicatore(grid, stazioni, next_board, 2000, longest + "T"),
            Fault::kReadingFailure);
  EXPECT_EQ(grid[41].kind, 0);
  EXPECT_TRUE(stazioni[79].name.empty());
  EXPECT_EQ(next_board, 79);
}

TEST_F(BoardsTest, EightyBoardsAtMostAndRecordZeroStaysClear) {
  for (int32_t i = 0; i < 80; ++i) {
    ASSERT_EQ(memo_cartello_indicatore(grid, stazioni, next_board, 100 * i, "(x)"), Fault::kNone)
        << i;
  }
  EXPECT_EQ(next_board, 0);
  EXPECT_EQ(stazioni[1].name.view(), "(x)");
  EXPECT_EQ(memo_cartello_indicatore(grid, stazioni, next_board, 50000, "(x)"),
            Fault::kReadingFailure);
  EXPECT_TRUE(stazioni[0].name.empty());
  EXPECT_EQ(grid[1001].kind, 0);
}

}  // namespace
}  // namespace binario
