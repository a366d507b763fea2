#include "scenario/station_line.h"

#include <gtest/gtest.h>

#include <string>

#include "scenario_fixture.h"

namespace binario {
namespace {

using F = ScenarioFixture;

// A station line with the attributes of an ordinary sample station.
std::string station(int32_t p, int kind, int32_t length, int flag_b = 0, int flag_c = 0,
                    const char* name = "S") {
  return "stazione, " + std::to_string(p) + ", " + std::to_string(kind) + ", " +
         std::to_string(length) + ", 0, " + std::to_string(flag_b) + ", " + std::to_string(flag_c) +
         ", 1,1,0, 4,1,1, 0, 0,0,0, " + name;
}

// Station name "S<n>". Appended rather than written "S" + std::to_string(n):
// GCC 12 at -O3 raises a false -Wrestrict on that form.
std::string numbered_name(int32_t n) {
  std::string name = "S";
  name += std::to_string(n);
  return name;
}

std::string scenario_of(const std::string& lines) {
  return "[generale]\r\n" + lines + "[fine]\r\n";
}

TEST(StationLineTest, FirstSampleStation) {
  F f;
  f.read(
      F::scenario({"stazione,       0,  2,  900,  1, 1, 0,  4,1,0,  2,1,1,    1,  10,53, 0, "
                   "BOLOGNA CENTRALE"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  expect_first_sample_station(f.state);
  EXPECT_EQ(f.cell(8).approach, 0);
  Bytes file;
  f.state.stazioni.serialize(&file);
  EXPECT_EQ(file[34 + 50], 0);  // record 2 starts right after
}

// Areas and grid marks of each group of station kinds, as the only station
// (so flag_c, when given, lengthens the area but is then cleared).
TEST(StationLineTest, AreaAndMarksByKind) {
  struct Case {
    int kind;
    int32_t p;
    int32_t length;
    int flag_c;
    int32_t area_start;
    int32_t area_end;
    int32_t stop;  // -1: no stop marker
    bool approach;
  };
  const Case cases[] = {
      {6, 159900, 400, 1, 159500, 160050, 3200, false},  // terminus
      {5, 10000, 600, 0, 9400, 10150, 202, false},
      {7, 10000, 300, 1, 9700, 10300, 205, true},  // long: area after the position too
      {8, 10000, 400, 0, 9600, 10400, 207, true},
      {2, 23900, 400, 1, 23700, 24150, 482, true},  // centred, 50 m more with flag_c
      {12, 23900, 400, 0, 23700, 24100, 481, true},
      {0, 23900, 400, 0, 23700, 24100, 481, true},
      {24, 23900, 400, 0, 23700, 24100, 481, true},
      {25, 23900, 400, 1, 23700, 24150, -1, false},  // locations: no marks
      {28, 23900, 0, 0, 23900, 23900, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    F f;
    f.read(scenario_of(station(c.p, c.kind, c.length, 0, c.flag_c) + "\r\n"));
    ASSERT_EQ(f.state.fault(), Fault::kNone);
    EXPECT_EQ(f.record(1).area_start, c.area_start);
    EXPECT_EQ(f.record(1).area_end, c.area_end);
    EXPECT_EQ(f.record(1).flag_c, 0);
    int stops = 0;
    int approaches = 0;
    for (int32_t i = 0; i <= f.last(); ++i) {
      if (f.cell(i).kind == cell_kind::kStopMarker) ++stops;
      if (f.cell(i).approach != 0) ++approaches;
    }
    EXPECT_EQ(stops, c.stop < 0 ? 0 : 1);
    EXPECT_EQ(approaches, c.approach ? 4 : 0);
    if (c.stop >= 0) {
      EXPECT_EQ(f.cell(c.stop).kind, cell_kind::kStopMarker);
      EXPECT_EQ(f.cell(c.stop).value1, 1);
    }
    if (c.approach) {
      for (int32_t h = 1; h <= 4; ++h) EXPECT_EQ(f.cell(c.stop - h).approach, 80 + h);
    }
  }
}

TEST(StationLineTest, FlagsAfterTheFirstStation) {
  struct Case {
    int32_t length;
    int flag_b;
    int flag_c;
    uint8_t kind;
    int expected_b;
    int expected_c;
  };
  const Case cases[] = {
      {500, 1, 1, 2, 0, 1},  // shorter than 600 m: flag_b cleared
      {600, 1, 1, 2, 1, 1},
      {600, 1, 1, 6, 1, 0},  // terminus: flag_c cleared
      {600, 1, 1, 7, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    F f;
    f.read(scenario_of(station(0, 2, 900) + "\r\n" +
                       station(20000, c.kind, c.length, c.flag_b, c.flag_c) + "\r\n"));
    ASSERT_EQ(f.state.fault(), Fault::kNone);
    EXPECT_EQ(f.record(2).flag_b, c.expected_b);
    EXPECT_EQ(f.record(2).flag_c, c.expected_c);
    EXPECT_EQ(f.cell(f.record(2).area_end / 50 - 1).value1, 2);
  }
}

TEST(StationLineTest, StationsStartAtLeast350MetresAfterThePrevious) {
  struct Case {
    int32_t gap;
    int32_t code;
  };
  for (Case c : {Case{300, code_of(Fault::kStationTooClose)}, Case{350, 0},
                 Case{-100, code_of(Fault::kStationTooClose)}}) {
    SCOPED_TRACE(c.gap);
    F f;
    // The first station's area ends at 450; the second is 400 m long.
    int32_t p = 450 + c.gap + 200;
    f.read(scenario_of(station(0, 2, 900) + "\r\n" + station(p, 2, 400) + "\r\nsabbia, 300\r\n"));
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    if (c.code != 0) {
      EXPECT_EQ(f.state.posizione_errore(), p);
      // The station is compiled, its marks laid, then reading ends.
      EXPECT_EQ(f.record(2).position, p);
      EXPECT_EQ(f.cell(f.record(2).area_end / 50 - 1).kind, cell_kind::kStopMarker);
      EXPECT_EQ(f.record(kTrainRecord).group1_a, 0);
    }
  }
}

TEST(StationLineTest, StopMarkerOnCellOneOrBeforeIsCode24) {
  struct Case {
    int kind;
    int32_t p;
    int32_t length;
    int32_t code;
  };
  for (Case c : {Case{12, 0, 100, code_of(Fault::kStopMarkerTooEarly)},
                 Case{12, 0, 200, code_of(Fault::kStopMarkerTooEarly)}, Case{12, 0, 300, 0},
                 Case{7, 0, 100, code_of(Fault::kStopMarkerTooEarly)}, Case{7, 0, 200, 0},
                 Case{25, 0, 100, 0}, Case{12, 100, -400, code_of(Fault::kStopMarkerTooEarly)}}) {
    SCOPED_TRACE(c.length);
    F f;
    f.state.record_fault_at(Fault::kNone, 7, InputText::kNone, 0);
    f.read(scenario_of(station(c.p, c.kind, c.length) + "\r\n"));
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    EXPECT_EQ(f.state.posizione_errore(), 7);  // code 24 records no position
    EXPECT_EQ(f.cell(0).kind, cell_kind::kEmpty);
    EXPECT_EQ(f.cell(1).kind, cell_kind::kEmpty);
    EXPECT_EQ(f.cell(0).approach, 0);
    EXPECT_EQ(f.cell(1).approach, 0);
  }
}

TEST(StationLineTest, PositionAndLengthFaults) {
  struct Case {
    const char* name;
    int32_t p;
    int32_t length;
    int32_t code;
  };
  const Case cases[] = {
      {"position off the cells", 1025, 400, code_of(Fault::kStationPosition)},
      {"length off 100 m", 1000, 450, code_of(Fault::kStationLength)},
      {"last position that fits", 166100, 400, 0},
      {"beyond the grid", 166150, 400, code_of(Fault::kBeyondGrid)},
      {"before the line", -1000, 400, code_of(Fault::kBeyondGrid)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    F f;
    f.read(scenario_of(station(c.p, 25, c.length) + "\r\n"));
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    if (c.code != 0) {
      EXPECT_EQ(f.state.posizione_errore(), c.p);
    }
  }
}

// Values that do not fit their fields, times and areas beyond 32 bits, and
// stations whose marks would fall past the last cell are reading failures.
TEST(StationLineTest, ReadingFailures) {
  const std::string texts[] = {
      F::scenario({"stazione, 1000, 300, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X"}),  // kind
      F::scenario({"stazione, 1000, 2, 400, 0,0,0, 40000,1,0, 4,1,1, 0, 0,0,0, X"}),
      F::scenario({"stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 256, 0,0,0, X"}),  // dwell
      F::scenario({"stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 600000,0,0, X"}),
      F::scenario({"stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, -600000,0,0, X"}),
      F::scenario({"stazione, 1000, 5, -2147483600, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X"}),
      F::scenario({"stazione, 1000, 7, 2147483600, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X"}),
      // Stop marker in cell 3399, past the last cell 3338.
      F::scenario({"stazione, 160000, 2, 20000, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X"}),
      "[generale]\r\nstazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0\r\n",
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    F f;
    f.read(text);
    EXPECT_EQ(f.state.fault(), Fault::kReadingFailure);
    EXPECT_TRUE(f.disk.has(F::kScenarioPath));  // the run deletes it after code 25
    for (int32_t i = 0; i <= f.last(); ++i) {
      ASSERT_EQ(f.cell(i).kind, cell_kind::kEmpty) << i;
      ASSERT_EQ(f.cell(i).approach, 0) << i;
    }
  }
}

TEST(StationLineTest, LongStationWithinTheGridIsLaid) {
  F f;
  // Area end 166050: stop marker in cell 3320, the last cell is 3338.
  f.read(F::scenario({"stazione, 160000, 2, 12100, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(3320).kind, cell_kind::kStopMarker);
}

TEST(StationLineTest, NameIsCutAtAComma) {
  F f;
  f.read(F::scenario({"stazione, 0, 2, 900, 1,1,0, 4,1,0, 2,1,1, 1, 10,53,0, CASTEL, MAGGIORE"}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.record(1).name, Text("CASTEL"));
  EXPECT_TRUE(f.record(2).name.empty());
}

// The station file keeps a name's length in 16 bits: 65,535 bytes fit, one
// more is a reading failure and leaves nothing in the record.
TEST(StationLineTest, NameLongerThanItsRecordIsAReadingFailure) {
  for (size_t length : {size_t{65535}, size_t{65536}}) {
    SCOPED_TRACE(length);
    F f;
    const std::string line = station(1000, 2, 400, 0, 0, std::string(length, 'N').c_str());
    f.read(F::scenario({line.c_str()}));
    if (length == 65535) {
      ASSERT_EQ(f.state.fault(), Fault::kNone);
      EXPECT_EQ(f.record(1).name.size(), 65535u);
    } else {
      EXPECT_EQ(f.state.fault(), Fault::kReadingFailure);
      EXPECT_TRUE(f.disk.has(F::kScenarioPath));  // the run deletes it
    }
  }
}

TEST(StationLineTest, NameKeepsItsBytes) {
  F f;
  f.read(F::scenario({"stazione, 0, 2, 900, 1,1,0, 4,1,0, 2,1,1, 1, 10,53,0, FORL\xCC"}));
  EXPECT_EQ(f.record(1).name, Text("FORL\xCC"));
}

TEST(StationLineTest, StopMarkerReplacesASignal) {
  F f;
  // The stop marker of a station at 10000, 400 m long, is cell 203.
  f.read(F::scenario({"segnale, 10100, 2,4,1,1,0,2,1,1,1,0",
                      "stazione, 10000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(203).kind, cell_kind::kStopMarker);
  EXPECT_EQ(f.cell(203).value1, 1);
}

// With b boards the next board record is 80 - b: the stations fill records
// 1 up to 78 - b, and the next one is compiled into record 79 - b and then
// records code 10. The board records keep their texts.
TEST(StationLineTest, TooManyStationsMeetTheBoardRecords) {
  for (int32_t boards : {0, 23}) {
    SCOPED_TRACE(boards);
    F f;
    f.state.next_board_record = kFirstBoardRecord - boards;
    for (int32_t i = f.state.next_board_record + 1; i <= kFirstBoardRecord; ++i) {
      f.record(i).name = Text("cartello");
    }
    std::string lines;
    for (int32_t n = 0; n < 80 - boards; ++n) {
      lines += station(1000 + 1000 * n, 25, 100, 0, 0, numbered_name(n + 1).c_str()) + "\r\n";
    }
    f.read(scenario_of(lines));
    EXPECT_EQ(f.state.fault(), Fault::kTooManyStations);
    const int32_t last = 79 - boards;
    EXPECT_EQ(f.record(last).name, Text(numbered_name(last).c_str()));
    EXPECT_TRUE(f.record(last + 1).name.empty());
    for (int32_t i = f.state.next_board_record + 1; i <= kFirstBoardRecord; ++i) {
      EXPECT_EQ(f.record(i).name, Text("cartello")) << i;
    }
  }
}

TEST(StationLineTest, NoStationOverwritesABoardRecord) {
  F f;
  f.state.next_board_record = 0;  // 80 boards
  for (int32_t i = 1; i <= kFirstBoardRecord; ++i) f.record(i).name = Text("cartello");
  f.read(F::scenario({"stazione, 0, 2, 900, 1,1,0, 4,1,0, 2,1,1, 1, 10,53,0, A"}));
  EXPECT_EQ(f.state.fault(), Fault::kTooManyStations);
  EXPECT_EQ(f.record(1).name, Text("cartello"));
  EXPECT_EQ(f.cell(8).kind, cell_kind::kEmpty);
}

}  // namespace
}  // namespace binario
