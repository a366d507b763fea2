#include "finish/post_process.h"

#include <gtest/gtest.h>

#include <set>

namespace binario {
namespace {

// An otherwise empty grid of route length 159900 (L = 3338).
struct PassFixture {
  PassFixture() { state.griglia.create(159900); }

  GridCell& cell(int32_t i) { return state.griglia[i]; }
  int32_t last() const { return state.griglia.last(); }

  void put(int32_t i, uint8_t kind, int16_t value1 = 0) {
    cell(i).kind = kind;
    cell(i).value1 = value1;
  }
  void slowdown(int32_t start, int32_t end, int16_t speed) {
    put(start, cell_kind::kSlowdownStart, speed);
    put(end, cell_kind::kSlowdownEnd, speed);
  }
  void run() { post_process_grid(state); }

  // Cells that hold a code point with the pass's value.
  std::set<int32_t> code_points() {
    std::set<int32_t> out;
    for (int32_t i = 0; i <= last(); ++i) {
      if (cell(i).kind == cell_kind::kCodePoint && cell(i).value1 == kDerivedCodeValue)
        out.insert(i);
    }
    return out;
  }

  CompileState state;
};

using Cells = std::set<int32_t>;

TEST(MinimoTest, SmallerOfTheTwo) {
  EXPECT_EQ(minimo(180, 200), 180);
  EXPECT_EQ(minimo(180, 150), 150);
  EXPECT_EQ(minimo(180, 180), 180);
  EXPECT_EQ(minimo(180, -5), -5);
}

TEST(PostProcessTest, GridWithoutSlowdownsIsUnchanged) {
  PassFixture f;
  f.put(39, cell_kind::kSignal, 41);
  f.put(100, cell_kind::kCodePoint, 250);
  f.put(120, cell_kind::kSlowdownEnd, 60);
  f.put(130, cell_kind::kPreWarning, 1);
  Bytes before;
  f.state.griglia.serialize(&before);
  f.run();
  Bytes after;
  f.state.griglia.serialize(&after);
  EXPECT_EQ(before, after);
  EXPECT_EQ(f.state.fault(), Fault::kNone);
}

TEST(PostProcessTest, SlowSlowdownGetsGroupsInsidePointsAndNoneAfterWithoutSignal) {
  PassFixture f;
  f.slowdown(100, 130, 60);
  f.run();
  EXPECT_EQ(f.code_points(), (Cells{82, 89, 95, 108, 116, 124}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
}

TEST(PostProcessTest, OnlySlowdownsBelow110GetInsideAndAfterPoints) {
  struct Case {
    int16_t speed;
    Cells expected;
  };
  const Case cases[] = {
      {109, {82, 89, 95, 108, 116, 124, 134}},
      {110, {82, 89, 95}},
      {160, {82, 89, 95}},
      {-20, {82, 89, 95, 108, 116, 124, 134}},  // compared as a signed value
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speed);
    PassFixture f;
    f.slowdown(100, 130, c.speed);
    f.put(135, cell_kind::kSignal);
    f.run();
    EXPECT_EQ(f.code_points(), c.expected);
  }
}

TEST(PostProcessTest, GroupsBeforeTheStartTakeTheirFirstFreeCell) {
  struct Case {
    const char* name;
    Cells taken;
    Cells expected;  // before the start only
    int32_t code;
  };
  const Case cases[] = {
      {"nearest taken", {95}, {94, 89, 82}, 0},
      {"two taken", {95, 94}, {93, 89, 82}, 0},
      {"near group full", {95, 94, 93}, {89, 82}, code_of(Fault::kNoCellBeforeSlowdown)},
      {"far group full", {80, 81, 82}, {95, 89}, code_of(Fault::kNoCellBeforeSlowdown)},
      {"middle second choice", {89}, {95, 88, 82}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PassFixture f;
    f.slowdown(100, 130, 120);
    for (int32_t t : c.taken) f.put(t, cell_kind::kSignal);
    f.run();
    EXPECT_EQ(f.code_points(), c.expected);
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    if (c.code != 0) {
      EXPECT_EQ(f.state.posizione_errore(), 5000);
    }
  }
}

TEST(PostProcessTest, GroupsRunOnlyWhenTheStartIsFarEnough) {
  struct Case {
    int32_t start;
    Cells expected;
  };
  const Case cases[] = {
      {7, {}}, {8, {3}}, {13, {8}}, {14, {9, 3}}, {20, {15, 9}}, {21, {16, 10, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    PassFixture f;
    f.slowdown(c.start, c.start + 5, 120);
    f.run();
    EXPECT_EQ(f.code_points(), c.expected);
  }
}

TEST(PostProcessTest, StartAtCell8WithNearCellsTakenUsesTheHeaderCell) {
  PassFixture f;
  f.slowdown(8, 13, 120);
  f.put(3, cell_kind::kSignal);
  f.put(2, cell_kind::kSignal);
  f.run();
  EXPECT_EQ(f.cell(1).kind, cell_kind::kCodePoint);
  EXPECT_EQ(f.cell(1).value1, 180);
}

TEST(PostProcessTest, InsidePointsFollowTheCellActuallyUsed) {
  struct Case {
    const char* name;
    Cells taken;
    Cells inside;
    int32_t code;
    int32_t position;
  };
  const Case cases[] = {
      {"first choice taken", {108}, {107, 115, 123}, 0, 0},
      {"two choices taken", {108, 107}, {109, 117, 125}, 0, 0},
      // None free: failure at j, and no more code points inside.
      {"all taken", {107, 108, 109}, {}, code_of(Fault::kNoCellInsideSlowdown), 5400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PassFixture f;
    f.slowdown(100, 130, 60);
    for (int32_t t : c.taken) f.put(t, cell_kind::kSignal);
    f.run();
    Cells inside;
    for (int32_t i : f.code_points()) {
      if (i > 100) inside.insert(i);
    }
    // A taken cell that is a signal inside the slowdown has no code point
    // after the end, since the signal after a slowdown end is only looked for from the end on.
    EXPECT_EQ(inside, c.inside);
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    EXPECT_EQ(f.state.posizione_errore(), c.position);
  }
}

TEST(PostProcessTest, PointAfterTheEndGoesInFrontOfTheFirstSignal) {
  struct Case {
    const char* name;
    Cells signals;
    Cells taken;
    Cells after;
    int32_t code;
  };
  const Case cases[] = {
      {"signal right after", {135}, {}, {134}, 0},
      {"cell in front taken", {135}, {134}, {133}, 0},
      {"both taken", {135}, {134, 133}, {}, code_of(Fault::kNoCellInsideSlowdown)},
      {"only the first signal", {135, 140}, {}, {134}, 0},
      {"last cell looked at", {142}, {}, {141}, 0},
      {"too far", {143}, {}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PassFixture f;
    f.slowdown(100, 130, 60);
    for (int32_t s : c.signals) f.put(s, cell_kind::kSignal);
    for (int32_t t : c.taken) f.put(t, cell_kind::kSpeedBoard);
    f.run();
    Cells after;
    for (int32_t i : f.code_points()) {
      if (i > 130 && i < 150) after.insert(i);
    }
    EXPECT_EQ(after, c.after);
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    if (c.code != 0) {
      EXPECT_EQ(f.state.posizione_errore(), 6500);
    }
  }
}

TEST(PostProcessTest, SignalsBeforeAWarningBoard) {
  struct Case {
    const char* name;
    uint8_t kind_in_front;  // cell 194
    int16_t value_in_front;
    uint8_t kind_before;  // cell 193
    int16_t value_before;
    int16_t expected_front;  // value1 of cell 194 afterwards
    int16_t expected_before;
    int32_t code;
  };
  using namespace cell_kind;
  const Case cases[] = {
      {"free", kEmpty, 0, kEmpty, 0, 180, 0, 0},
      {"front taken", kSignal, 0, kEmpty, 0, 0, 180, 0},
      {"both code points, nearer 200", kCodePoint, 200, kCodePoint, 190, 180, 190, 0},
      {"both code points, nearer 150", kCodePoint, 150, kCodePoint, 190, 150, 190, 0},
      {"farther code point", kSignal, 0, kCodePoint, 300, 0, 180, 0},
      {"nothing usable", kSignal, 0, kStopMarker, 3, 0, 3, code_of(Fault::kNoCellBeforeSignal)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PassFixture f;
    f.put(200, kWarningBoard, 60);
    f.put(195, kSignal, 41);
    f.put(194, c.kind_in_front, c.value_in_front);
    f.put(193, c.kind_before, c.value_before);
    f.run();
    EXPECT_EQ(f.cell(194).value1, c.expected_front);
    EXPECT_EQ(f.cell(193).value1, c.expected_before);
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    if (c.code != 0) {
      EXPECT_EQ(f.state.posizione_errore(), 195 * 50);
    }
  }
}

TEST(PostProcessTest, EverySignalWithin20CellsOfTheBoardIsTreated) {
  PassFixture f;
  f.put(200, cell_kind::kWarningBoard, 60);
  for (int32_t s : {199, 190, 180, 179}) f.put(s, cell_kind::kSignal);
  f.run();
  EXPECT_EQ(f.code_points(), (Cells{198, 189, 178}));
}

TEST(PostProcessTest, BoardNearTheStartLooksBackToCell3Only) {
  PassFixture f;
  f.put(8, cell_kind::kWarningBoard, 60);
  f.put(3, cell_kind::kSignal);
  f.put(2, cell_kind::kEmpty);
  f.run();
  EXPECT_EQ(f.code_points(), (Cells{2}));

  PassFixture g;
  g.put(8, cell_kind::kWarningBoard, 60);
  g.put(2, cell_kind::kSignal);
  g.run();
  EXPECT_EQ(g.code_points(), Cells{});
}

TEST(PostProcessTest, SignalBehindTwoBoardsIsTreatedTwice) {
  PassFixture f;
  f.put(200, cell_kind::kWarningBoard, 60);
  f.put(210, cell_kind::kWarningBoard, 60);
  f.put(195, cell_kind::kSignal);
  f.run();
  EXPECT_EQ(f.code_points(), (Cells{194, 193}));
}

// Near the end of the grid: a slowdown start without an end cell walks to
// cell L and stops there; candidates past L are never free.
TEST(PostProcessTest, SlowdownWithoutEndStopsAtTheLastCell) {
  struct Case {
    int32_t start;
    Cells inside;
  };
  const Case cases[] = {
      {3336, {}},  // L - 2: the walk meets L after two cells
      {3320, {3328, 3336}},
      // k reaches 8 at L, which holds a signal: L - 1 is used; the walk ends
      // at L, and the point in front of the signal found there goes to L - 2.
      {3330, {3336, 3337}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    PassFixture f;
    ASSERT_EQ(f.last(), 3338);
    f.put(c.start, cell_kind::kSlowdownStart, 60);
    if (c.start == 3330) f.put(3338, cell_kind::kSignal);
    f.run();
    Cells inside;
    for (int32_t i : f.code_points()) {
      if (i > c.start) inside.insert(i);
    }
    EXPECT_EQ(inside, c.inside);
  }
}

TEST(PostProcessTest, SignalAtTheLastCellsAfterAnEndNearTheGridEnd) {
  PassFixture f;
  f.slowdown(3300, 3336, 60);
  f.put(3338, cell_kind::kSignal);
  f.put(3337, cell_kind::kSignal);
  f.run();
  // The first signal after the end cell 3336 is cell 3337: the end cell in
  // front of it is taken, so the code point goes to 3335.
  EXPECT_EQ(f.code_points(), (Cells{3282, 3289, 3295, 3308, 3316, 3324, 3332, 3335}));
  EXPECT_EQ(f.cell(3336).kind, cell_kind::kSlowdownEnd);
}

TEST(PostProcessTest, FailuresDoNotStopThePass) {
  PassFixture f;
  f.slowdown(100, 130, 120);
  for (int32_t t : {95, 94, 93}) f.put(t, cell_kind::kSignal);
  f.slowdown(500, 530, 120);
  f.run();
  // The first start fails its near group; the second start is still served.
  EXPECT_EQ(f.state.fault(), Fault::kNoCellBeforeSlowdown);
  EXPECT_EQ(f.state.posizione_errore(), 5000);
  EXPECT_TRUE(f.code_points().count(495));
}

TEST(PostProcessTest, LaterFailureReplacesTheEarlierOne) {
  PassFixture f;
  f.slowdown(100, 130, 120);
  f.slowdown(500, 530, 120);
  for (int32_t t : {95, 94, 93, 495, 494, 493}) f.put(t, cell_kind::kSignal);
  f.run();
  EXPECT_EQ(f.state.fault(), Fault::kNoCellBeforeSlowdown);
  EXPECT_EQ(f.state.posizione_errore(), 25000);
}

}  // namespace
}  // namespace binario
