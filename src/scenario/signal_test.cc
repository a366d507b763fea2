#include "scenario/signal.h"

#include <gtest/gtest.h>

#include "scenario_fixture.h"

namespace binario {
namespace {

using F = ScenarioFixture;

TEST(SignalTest, AspectsArePackedIntoTheCellAfterThePosition) {
  struct Case {
    const char* line;
    int32_t cell;
    int16_t value1, value2, value3, value4;
    uint8_t signal_time;
    uint8_t first_approach;  // the code of the nearest mark, cell - 2
  };
  const Case cases[] = {
      {"segnale,    1900,   2, 4, 1,  1, 0,    2,  1,1,1, 0", 39, 41, 11, 11, 8, 0, 81},
      {"segnale,    4300,   1, 4, 1,  1, 0,    1,  2,1,1, 0", 87, 42, 11, 11, 4, 0, 41},
      {"segnale,    1925,   2, 0, 3,  4, 7,    1,  0,2,3, 0", 40, 0, 32, 43, 77, 0, 71},
      {"segnale,    2025,   2, 0, 0,  0, 0,    2,  0,0,0, 0", 42, 0, 0, 0, 8, 0, 81},
      // Values are stored as their low 16 bits.
      {"segnale,    5000,   1, 4000, 0,  0, 0,  1,  0,0,0, 0", 101, -25536, 0, 0, 4, 0, 41},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    F f;
    f.read(F::scenario({c.line}));
    ASSERT_EQ(f.state.fault(), Fault::kNone);
    const GridCell& s = f.cell(c.cell);
    EXPECT_EQ(s.kind, cell_kind::kSignal);
    EXPECT_EQ(s.value1, c.value1);
    EXPECT_EQ(s.value2, c.value2);
    EXPECT_EQ(s.value3, c.value3);
    EXPECT_EQ(s.value4, c.value4);
    EXPECT_EQ(s.signal_time, c.signal_time);
    EXPECT_EQ(s.approach, 0);
    for (int32_t b = 1; b <= 4; ++b) {
      EXPECT_EQ(f.cell(c.cell - 2 * b).approach, c.first_approach + b - 1) << b;
      EXPECT_EQ(f.cell(c.cell - 2 * b + 1).approach, 0) << b;
      EXPECT_EQ(f.cell(c.cell - 2 * b).kind, cell_kind::kEmpty) << b;
    }
    EXPECT_EQ(f.cell(c.cell - 10).approach, 0);
  }
}

TEST(SignalTest, TimeByte) {
  struct Case {
    int32_t sx;
    int32_t tempo;
    uint8_t stored;
  };
  const Case cases[] = {
      {2, 30, 101}, {2, 1, 101},  {2, 100, 101}, {2, 101, 101}, {2, 150, 150},
      {2, 0, 0},    {2, -5, 251}, {2, 300, 44},  {1, 30, 0},    {1, 150, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sx << " " << c.tempo);
    F f;
    SignalLine line;
    line.posizione = 1900;
    line.sx = c.sx;
    line.tempo = c.tempo;
    EXPECT_EQ(memo_segnale(f.state.griglia, line), Fault::kNone);
    EXPECT_EQ(f.cell(39).signal_time, c.stored);
  }
}

TEST(SignalTest, OnlyFreeCellsTakeASignal) {
  struct Case {
    uint8_t kind;
    bool accepted;
  };
  const Case cases[] = {
      {cell_kind::kEmpty, true},          {cell_kind::kMountainMarker, true},
      {cell_kind::kSignal, false},        {cell_kind::kSlowdownStart, false},
      {cell_kind::kStopMarker, false},    {cell_kind::kSpeedBoard, false},
      {cell_kind::kLocationBoard, false}, {cell_kind::kCodePoint, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    F f;
    f.cell(39).kind = c.kind;
    f.cell(39).value1 = 5;
    f.read(F::scenario({"segnale, 1900, 2,4,1,1,0,2,1,1,1,0"}));
    if (c.accepted) {
      EXPECT_EQ(f.state.fault(), Fault::kNone);
      EXPECT_EQ(f.cell(39).kind, cell_kind::kSignal);
      EXPECT_EQ(f.cell(37).approach, 81);
    } else {
      EXPECT_EQ(f.state.fault(), Fault::kSignalTaken);
      EXPECT_EQ(f.state.posizione_errore(), 1900);
      EXPECT_EQ(f.cell(39).kind, c.kind);
      EXPECT_EQ(f.cell(39).value1, 5);
      EXPECT_EQ(f.cell(37).approach, 0);
    }
  }
}

TEST(SignalTest, ApproachMarksReplaceEarlierOnesAndKeepTheCell) {
  F f;
  f.read(F::scenario({"stazione, 1600, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X",
                      "segnale, 1900, 1,4,1,1,0,2,1,1,1,0"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  // The station's stop marker is cell 35, its marks 81 to 84 in cells 34 to
  // 31; the signal in cell 39 marks cells 37, 35, 33 and 31.
  EXPECT_EQ(f.cell(37).approach, 51);
  EXPECT_EQ(f.cell(35).approach, 52);
  EXPECT_EQ(f.cell(35).kind, cell_kind::kStopMarker);
  EXPECT_EQ(f.cell(35).value1, 1);
  EXPECT_EQ(f.cell(34).approach, 81);
  EXPECT_EQ(f.cell(33).approach, 53);
  EXPECT_EQ(f.cell(32).approach, 83);
  EXPECT_EQ(f.cell(31).approach, 54);
}

TEST(SignalTest, ApproachMarksBeforeCellZeroAreSkipped) {
  struct Case {
    int32_t posizione;
    int32_t cell;
  };
  for (Case c : {Case{0, 1}, Case{100, 3}, Case{250, 6}, Case{300, 7}}) {
    SCOPED_TRACE(c.posizione);
    F f;
    SignalLine line;
    line.posizione = c.posizione;
    line.sx = 2;
    line.dx = 2;
    EXPECT_EQ(memo_segnale(f.state.griglia, line), Fault::kNone);
    EXPECT_EQ(f.cell(c.cell).kind, cell_kind::kSignal);
    for (int32_t b = 1; b <= 4; ++b) {
      int32_t w = c.cell - 2 * b;
      if (w >= 0) {
        EXPECT_EQ(f.cell(w).approach, 80 + b);
      }
    }
  }
}

}  // namespace
}  // namespace binario
