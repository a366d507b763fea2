#include "scenario/slowdown.h"

#include <gtest/gtest.h>

#include <string>

#include "scenario_fixture.h"

namespace binario {
namespace {

using F = ScenarioFixture;

struct Expected {
  int32_t cell;
  uint8_t kind;
  int16_t value1, value2, value3;
};

void expect_cells(F& f, std::initializer_list<Expected> cells) {
  for (const Expected& e : cells) {
    SCOPED_TRACE(e.cell);
    EXPECT_EQ(f.cell(e.cell).kind, e.kind);
    EXPECT_EQ(f.cell(e.cell).value1, e.value1);
    EXPECT_EQ(f.cell(e.cell).value2, e.value2);
    EXPECT_EQ(f.cell(e.cell).value3, e.value3);
  }
}

int count_objects(F& f) {
  int n = 0;
  for (int32_t i = 0; i <= f.last(); ++i) n += f.cell(i).kind != cell_kind::kEmpty;
  return n;
}

TEST(SlowdownTest, WarningBoardStartEndAndPreWarning) {
  F f;
  f.read(F::scenario({"rallentamento, 10000, 60, 500, 1, 1, 0"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  expect_cells(f, {{177, cell_kind::kWarningBoard, 60, 0, 0},
                   {201, cell_kind::kSlowdownStart, 60, 0, 1},
                   {211, cell_kind::kSlowdownEnd, 60, 0, 1},
                   {176, cell_kind::kPreWarning, 1, 0, 0},
                   {175, cell_kind::kPreWarning, 2, 0, 0},
                   {174, cell_kind::kPreWarning, 3, 0, 0},
                   {173, cell_kind::kPreWarning, 4, 0, 0}});
  EXPECT_EQ(count_objects(f), 7);
}

TEST(SlowdownTest, SpeedDifferenceNumbersEveryCell) {
  F f;
  f.read(F::scenario({"rallentamento, 10000, 60, 500, 1, 1, 3"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  expect_cells(f, {{177, cell_kind::kWarningBoard, 60, 3, 0},
                   {201, cell_kind::kSlowdownStart, 60, 3, 1},
                   {211, cell_kind::kSlowdownEnd, 60, 3, 1},
                   {176, cell_kind::kPreWarning, 1, 1, 0},
                   {175, cell_kind::kPreWarning, 2, 2, 0},
                   {174, cell_kind::kPreWarning, 3, 3, 0},
                   {173, cell_kind::kPreWarning, 4, 4, 0}});
}

TEST(SlowdownTest, WithoutPreWarningOnlyBoardStartAndEnd) {
  F f;
  f.read(F::scenario({"rallentamento, 10000, 60, 500, 7, 0, 0"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(count_objects(f), 3);
  EXPECT_EQ(f.cell(201).value3, 7);
}

// Slowdowns that start within 1500 m have no warning board and no
// pre-warning cells, whatever f_ta says.
TEST(SlowdownTest, WarningBoardOnlyBeyond1500Metres) {
  {
    F f;
    f.read(F::scenario({"rallentamento, 1500, 60, 500, 1, 1, 2"}));
    ASSERT_EQ(f.state.fault(), Fault::kNone);
    EXPECT_EQ(count_objects(f), 2);
    expect_cells(
        f, {{31, cell_kind::kSlowdownStart, 60, 2, 1}, {41, cell_kind::kSlowdownEnd, 60, 2, 1}});
  }
  {
    F f;
    f.read(F::scenario({"rallentamento, 1550, 60, 500, 1, 1, 0"}));
    ASSERT_EQ(f.state.fault(), Fault::kNone);
    EXPECT_EQ(count_objects(f), 7);
    EXPECT_EQ(f.cell(8).kind, cell_kind::kWarningBoard);
    for (int32_t c = 4; c <= 7; ++c) EXPECT_EQ(f.cell(c).value1, 8 - c) << c;
  }
}

// Off the cells, the board and the pre-warning cells round on their own:
// 10025 puts the board at round(177.5) = 178 and the first pre-warning cell
// at round(176.5) = 176, so cell 177 stays empty.
TEST(SlowdownTest, StartOffTheCellsRoundsHalvesToEven) {
  F f;
  f.read(F::scenario({"rallentamento, 10025, 60, 500, 1, 1, 0"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(178).kind, cell_kind::kWarningBoard);
  EXPECT_EQ(f.cell(177).kind, cell_kind::kEmpty);
  EXPECT_EQ(f.cell(176).value1, 1);
  EXPECT_EQ(f.cell(173).value1, 4);
  EXPECT_EQ(f.cell(202).kind, cell_kind::kSlowdownStart);  // round(201.5)
  EXPECT_EQ(f.cell(212).kind, cell_kind::kSlowdownEnd);    // round(211.5)
}

TEST(SlowdownTest, EndInTheStartCellLeavesAStart) {
  F f;
  f.read(F::scenario({"rallentamento, 10000, 60, 0, 1, 0, 0"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(201).kind, cell_kind::kSlowdownStart);
}

// The cell tests all come before the first write, in the order warning
// board, start, end; the pre-warning cells are tested after the others are
// written.
TEST(SlowdownTest, TakenCells) {
  struct Case {
    int32_t taken;
    int32_t code;
    int objects_after;  // including the taken cell
  };
  const Case cases[] = {
      {177, code_of(Fault::kWarningBoardTaken), 1},
      {201, code_of(Fault::kSlowdownStartTaken), 1},
      {211, code_of(Fault::kSlowdownEndTaken), 1},
      {174, code_of(Fault::kPreWarningTaken), 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.taken);
    F f;
    f.cell(c.taken).kind = cell_kind::kSignal;
    f.read(F::scenario({"rallentamento, 10000, 60, 500, 1, 1, 0", "sabbia, 300"}));
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    EXPECT_EQ(f.state.posizione_errore(), 10000);
    EXPECT_EQ(f.cell(c.taken).kind, cell_kind::kSignal);
    EXPECT_EQ(count_objects(f), c.objects_after);
    EXPECT_EQ(f.record(kTrainRecord).group1_a, 0);
    EXPECT_FALSE(f.disk.has(F::kScenarioPath));
  }
}

TEST(SlowdownTest, MountainMarkersGiveWay) {
  F f;
  for (int32_t c : {173, 177, 201, 211}) f.cell(c).kind = cell_kind::kMountainMarker;
  f.read(F::scenario({"rallentamento, 10000, 60, 500, 1, 1, 0"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(173).kind, cell_kind::kPreWarning);
  EXPECT_EQ(f.cell(211).kind, cell_kind::kSlowdownEnd);
}

// A slowdown is refused as beyond the grid, with its start, before any cell
// test: when the start fails the range check or lies before the line, and
// when the end cell falls outside the grid.
TEST(SlowdownTest, StartOrEndOutsideTheGrid) {
  struct Case {
    int32_t x;
    int32_t l;
  };
  for (Case c : {Case{166850, 0}, Case{-50, 500}, Case{166000, 1000}, Case{10000, -10100},
                 Case{10000, 2147483647}}) {
    SCOPED_TRACE(testing::Message() << c.x << " " << c.l);
    F f;
    f.cell(201).kind = cell_kind::kSignal;  // would be code 18 if it were tested
    std::string line =
        "rallentamento, " + std::to_string(c.x) + ", 60, " + std::to_string(c.l) + ", 1, 1, 0";
    f.read(F::scenario({"velocita, 0, 30", line.c_str()}));
    EXPECT_EQ(f.state.fault(), Fault::kBeyondGrid);
    EXPECT_EQ(f.state.posizione_errore(), c.x);
    EXPECT_EQ(count_objects(f), 1);
    // Reading ends as the range check does: the end fills run.
    EXPECT_EQ(f.cell(100).line_speed, 6);
    EXPECT_FALSE(f.disk.has(F::kScenarioPath));
  }
}

TEST(SlowdownTest, LastEndCellIsAccepted) {
  F f;
  // End cell round(166850 / 50 + 1) = 3338, the last cell.
  f.read(F::scenario({"rallentamento, 166000, 60, 850, 1, 1, 0"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(3338).kind, cell_kind::kSlowdownEnd);
}

TEST(CodePointTest, CodePointsAndCodeCuts) {
  struct Case {
    const char* line;
    int32_t cell;
    uint8_t kind;
    int16_t value1;
  };
  const Case cases[] = {
      {"abbattimento, 20000, 180", 400, cell_kind::kCodePoint, 180},
      {"abbattimento, 20000, 0", 400, cell_kind::kCodeCut, 0},
      {"abbattimento, 20000, -3", 400, cell_kind::kCodeCut, 0},
      {"abbattimento, 20025, 180", 400, cell_kind::kCodePoint, 180},  // 400.5
      {"abbattimento, 20075, 180", 402, cell_kind::kCodePoint, 180},  // 401.5
      {"abbattimento, 1900, 75", 38, cell_kind::kCodePoint, 75},      // no offset of one
      {"abbattimento, 0, 75", 0, cell_kind::kCodePoint, 75},
      {"abbattimento, 20000, 70000", 400, cell_kind::kCodePoint, 4464},  // low 16 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    F f;
    f.read(F::scenario({c.line}));
    ASSERT_EQ(f.state.fault(), Fault::kNone);
    EXPECT_EQ(f.cell(c.cell).kind, c.kind);
    EXPECT_EQ(f.cell(c.cell).value1, c.value1);
    EXPECT_EQ(count_objects(f), 1);
  }
}

TEST(CodePointTest, TakenCellIsCode7) {
  for (uint8_t kind : {cell_kind::kCodePoint, cell_kind::kSignal, cell_kind::kStopMarker}) {
    SCOPED_TRACE(static_cast<int>(kind));
    F f;
    f.cell(400).kind = kind;
    f.read(F::scenario({"abbattimento, 20000, 180", "sabbia, 300"}));
    EXPECT_EQ(f.state.fault(), Fault::kCodePointTaken);
    EXPECT_EQ(f.state.posizione_errore(), 20000);
    EXPECT_EQ(f.cell(400).kind, kind);
    EXPECT_EQ(f.record(kTrainRecord).group1_a, 0);
  }
  F f;
  f.cell(400).kind = cell_kind::kMountainMarker;
  f.read(F::scenario({"abbattimento, 20000, 180"}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(400).kind, cell_kind::kCodePoint);
}

TEST(CodePointTest, PositionOutsideTheGrid) {
  for (int32_t p : {-50, 166850}) {
    SCOPED_TRACE(p);
    F f;
    f.read(F::scenario({("abbattimento, " + std::to_string(p) + ", 180").c_str()}));
    EXPECT_EQ(f.state.fault(), Fault::kBeyondGrid);
    EXPECT_EQ(f.state.posizione_errore(), p);
    EXPECT_EQ(count_objects(f), 0);
  }
}

}  // namespace
}  // namespace binario
