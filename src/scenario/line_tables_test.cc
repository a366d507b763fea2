#include "scenario/line_tables.h"

#include <gtest/gtest.h>

#include "scenario_fixture.h"

namespace binario {
namespace {

using F = ScenarioFixture;

TEST(LineTablesTest, SpeedByteIsTheRoundedFifth) {
  struct Case {
    int32_t speed;
    int32_t byte;  // -1: does not fit
  };
  for (Case c : {Case{0, 0}, Case{30, 6}, Case{112, 22}, Case{113, 23}, Case{1277, 255},
                 Case{1278, -1}, Case{-2, 0}, Case{-3, -1}}) {
    SCOPED_TRACE(c.speed);
    std::optional<uint8_t> b = speed_byte(c.speed);
    if (c.byte < 0) {
      EXPECT_FALSE(b.has_value());
    } else {
      ASSERT_TRUE(b.has_value());
      EXPECT_EQ(*b, c.byte);
    }
  }
}

// Each line's speed holds from its own position to the next line's; the
// last one runs on up to cell L - 3.
TEST(LineTablesTest, SampleSpeedLines) {
  F f;
  f.read(F::scenario(
      {"velocita,   0,    30", "velocita,     750,   110", "velocita,    4000,   150"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  for (int32_t i = 0; i <= 14; ++i) EXPECT_EQ(f.cell(i).line_speed, 6) << i;
  for (int32_t i = 15; i <= 79; ++i) EXPECT_EQ(f.cell(i).line_speed, 22) << i;
  for (int32_t i = 80; i <= f.last() - 3; ++i) ASSERT_EQ(f.cell(i).line_speed, 30) << i;
  for (int32_t i = f.last() - 2; i <= f.last(); ++i) EXPECT_EQ(f.cell(i).line_speed, 0) << i;
}

TEST(LineTablesTest, SpeedBeforeTheFirstLineIsZero) {
  F f;
  f.read(F::scenario({"velocita, 500, 30"}));
  EXPECT_EQ(f.cell(9).line_speed, 0);
  EXPECT_EQ(f.cell(10).line_speed, 6);
}

TEST(LineTablesTest, LineAtTheSamePositionWritesOneCellWithTheOldValue) {
  F f;
  f.read(F::scenario({"velocita, 0, 30", "velocita, 500, 60", "velocita, 500, 90",
                      "aderenza, 0, 100", "aderenza, 500, 80", "aderenza, 400, 60"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(9).line_speed, 6);
  EXPECT_EQ(f.cell(10).line_speed, 12);
  EXPECT_EQ(f.cell(11).line_speed, 18);
  EXPECT_EQ(f.cell(9).adhesion, 100);
  EXPECT_EQ(f.cell(10).adhesion, 80);
  EXPECT_EQ(f.cell(11).adhesion, 60);
}

TEST(LineTablesTest, AdhesionKeepsTheLowEightBits) {
  F f;
  f.read(F::scenario({"aderenza, 0, 300", "aderenza, 100, -1"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(0).adhesion, 44);
  EXPECT_EQ(f.cell(2).adhesion, 255);
}

TEST(LineTablesTest, NegativeTablePositionOnlySetsTheValue) {
  F f;
  f.read(F::scenario({"velocita, -500, 30"}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(0).line_speed, 6);
}

// A speed whose fifth does not fit a byte fails when its first cell is
// written: by the next table line or by the end fill.
TEST(LineTablesTest, SpeedByteOverflowIsAReadingFailure) {
  for (const char* next : {"velocita, 1000, 60", "velocita, 500, 60", "sabbia, 300"}) {
    SCOPED_TRACE(next);
    F f;
    f.disk.put(F::kRoutePath, "x");
    const std::string text = F::scenario({"velocita, 0, 30", "velocita, 500, 1278", next});
    f.read(text);
    EXPECT_EQ(f.state.fault(), Fault::kReadingFailure);
    // Found at the line that set the speed.
    EXPECT_EQ(f.state.fault_byte(), static_cast<int32_t>(text.find("velocita, 500, 1278")));
    EXPECT_EQ(f.cell(9).line_speed, 6);
    // The reader leaves the route text: after a reading failure the run
    // deletes both texts.
    EXPECT_TRUE(f.disk.has(F::kRoutePath));
  }
}

TEST(LineTablesTest, SpeedThatNeverReachesACellIsHarmless) {
  F f;
  f.read(F::scenario({"velocita, 0, 2000", "velocita, 0, 30"}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(0).line_speed, 6);
}

TEST(LineTablesTest, HighSpeedThatFitsIsKept) {
  F f;
  f.read(F::scenario({"velocita, 0, 1277"}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(100).line_speed, 255);
}

// Lines piled up at the last position the range check allows push the fill
// indices to the end of the grid, never past it.
TEST(LineTablesTest, FillsNeverWritePastTheLastCell) {
  F f(0);  // L = 140
  ASSERT_EQ(f.last(), 140);
  std::string text = "[generale]\r\nvelocita, 0, 30\r\naderenza, 0, 90\r\n";
  for (int i = 0; i < 6; ++i) text += "velocita, 6900, 60\r\naderenza, 6900, 70\r\n";
  f.read(text + "[fine]\r\n");
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(137).line_speed, 6);
  EXPECT_EQ(f.cell(138).line_speed, 12);
  EXPECT_EQ(f.cell(139).line_speed, 12);
  // The table lines stop short of cell L; the end fill writes it because
  // its index already stands there.
  EXPECT_EQ(f.cell(140).line_speed, 12);
  EXPECT_EQ(f.cell(137).adhesion, 90);
  EXPECT_EQ(f.cell(138).adhesion, 70);
  EXPECT_EQ(f.cell(140).adhesion, 70);
}

TEST(LineTablesTest, EndFillCoversUpToCellLMinus3) {
  F f(0);
  f.read(F::scenario({"velocita, 0, 30", "aderenza, 0, 90"}));
  EXPECT_EQ(f.cell(137).line_speed, 6);
  EXPECT_EQ(f.cell(138).line_speed, 0);
  EXPECT_EQ(f.cell(137).adhesion, 90);
  EXPECT_EQ(f.cell(138).adhesion, 0);
}

}  // namespace
}  // namespace binario
