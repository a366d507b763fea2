#include "scenario/scenario_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "scenario_fixture.h"

namespace binario {
namespace {

using F = ScenarioFixture;

TEST(ScenarioReaderTest, GeneralValuesGoToTheServiceAndTrainRecords) {
  F f;
  f.read(F::scenario({"numero vetture,    10", "percentuale massa frenata,    125",
                      "sabbia,    300", "orologio,    10              52            0 "}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.record(kServiceRecord).position, 10);
  EXPECT_EQ(f.record(kServiceRecord).area_start, 125);
  EXPECT_EQ(f.record(kTrainRecord).group1_a, 300);
  EXPECT_EQ(f.record(kTrainRecord).group2_a, 10);
  EXPECT_EQ(f.record(kTrainRecord).group2_b, 52);
  EXPECT_EQ(f.record(kTrainRecord).group2_c, 0);
  EXPECT_FALSE(f.disk.has(F::kScenarioPath));
}

TEST(ScenarioReaderTest, BrakedMassNeedsBothWords) {
  F f;
  f.read(F::scenario({"frenata, 125", "Massa FRENATA, 130"}));
  EXPECT_EQ(f.record(kServiceRecord).area_start, 130);
}

TEST(ScenarioReaderTest, NothingBeforeTheGeneralSectionIsActedOn) {
  F f;
  f.read(F::lines({"sabbia, 300", "stazione, 0, 2, 900, 1,1,0, 4,1,0, 2,1,1, 1, 10,53,0, A",
                   "[Generale]", "sabbia, 200", "[fine]"}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.record(kTrainRecord).group1_a, 200);
  EXPECT_TRUE(f.record(1).name.empty());
}

TEST(ScenarioReaderTest, WithoutGeneralSectionOnlyTheEndStepsRun) {
  F f;
  f.read(F::lines(
      {"velocita, 0, 30", "stazione, 0, 2, 900, 1,1,0, 4,1,0, 2,1,1, 1, 10,53,0, A", "[fine]"}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_TRUE(f.record(1).name.empty());
  EXPECT_EQ(f.cell(8).kind, cell_kind::kEmpty);
  // The fills still run with the values in force, which start at 0.
  EXPECT_EQ(f.cell(f.last() - 3).line_speed, 0);
  EXPECT_FALSE(f.disk.has(F::kScenarioPath));
}

// The sand value a text leaves, for the dash and end-of-file rules of the
// main loop.
TEST(ScenarioReaderTest, DashFieldsAndTheLastField) {
  struct Case {
    const char* name;
    std::string text;
    int16_t sand;
    int32_t code;
  };
  const Case cases[] = {
      {"plain", F::scenario({"sabbia, 300"}), 300, 0},
      {"capitals", F::scenario({"SABBIA, 300"}), 300, 0},
      {"one comment field", F::scenario({"-- nota --, sabbia, 300"}), 300, 0},
      {"keyword between dashes is a comment", F::scenario({"--stazione--, sabbia, 300"}), 300, 0},
      {"two comment fields", F::scenario({"-a-, -b-, sabbia, 300"}), 300, 0},
      // The second dash field is read in place of the first, and the third
      // in place of the second: a keyword with a dash there is lost.
      {"keyword as second dash field", F::scenario({"-a-, -sabbia-, 300"}), 0, 0},
      {"third dash field is acted on", F::scenario({"-a-, -b-, -sabbia-, 300"}), 300, 0},
      {"stray negative number", F::scenario({"-5, sabbia, 300"}), 300, 0},
      {"keyword as last field", "[generale]\r\nsabbia", 0, 0},
      {"keyword as last field after a dash", "[generale]\r\n-a-, sabbia", 0, 0},
      {"keyword as last field after two dashes", "[generale]\r\n-a-, -b-, sabbia", 0, 0},
      {"value as last field", "[generale]\r\nsabbia, 300", 300, 0},
      {"values cut short", "[generale]\r\nsabbia, 300\r\norologio, 10, 52", 300,
       code_of(Fault::kReadingFailure)},
      {"value too wide", F::scenario({"sabbia, 40000"}), 0, code_of(Fault::kReadingFailure)},
      {"value not a number", F::scenario({"sabbia, tre"}), 0, code_of(Fault::kReadingFailure)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    F f;
    f.disk.put(F::kRoutePath, "left by the route reader");
    f.read(c.text);
    EXPECT_EQ(f.record(kTrainRecord).group1_a, c.sand);
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    // The reader deletes its own text, but after a reading failure the run
    // deletes both.
    EXPECT_EQ(f.disk.has(F::kScenarioPath), c.code == code_of(Fault::kReadingFailure));
    EXPECT_TRUE(f.disk.has(F::kRoutePath));
  }
}

TEST(ScenarioReaderTest, FieldWithTwoKeywordsRunsBothInTableOrder) {
  F f;
  // "velocit" comes before "aderenza": 500, 100 is the speed line's pair.
  f.read(F::scenario({"aderenza velocita, 500, 100, 1000, 80"}));
  ASSERT_EQ(f.state.fault(), Fault::kNone);
  EXPECT_EQ(f.cell(9).line_speed, 0);
  EXPECT_EQ(f.cell(10).line_speed, 20);
  EXPECT_EQ(f.cell(19).adhesion, 0);
  EXPECT_EQ(f.cell(20).adhesion, 80);
}

TEST(ScenarioReaderTest, MissingScenarioTextIsAReadingFailure) {
  F f;
  f.disk.put(F::kRoutePath, "x");
  leggi_scenario(f.state, f.disk);
  EXPECT_EQ(f.state.fault(), Fault::kReadingFailure);
  EXPECT_TRUE(f.disk.has(F::kRoutePath));  // the run deletes it
}

TEST(ScenarioReaderTest, OtherFilesOfTheFolderStay) {
  F f;
  f.disk.put("/inst/R_T_note.txt", "nota");
  f.read(F::scenario({"sabbia, 300"}));
  EXPECT_TRUE(f.disk.has("/inst/R_T_note.txt"));
  EXPECT_FALSE(f.disk.has(F::kScenarioPath));
}

// Every fault ends reading at its line: a later line is not acted on, the
// text is deleted, and only a position beyond the grid lets the end fills run.
TEST(ScenarioReaderTest, FaultsEndReadingAtTheirLine) {
  constexpr int32_t kNone = INT32_MIN;
  struct Case {
    const char* name;
    const char* line;
    int32_t code;
    int32_t position;  // kNone: none recorded
    bool end_steps;
  };
  const Case cases[] = {
      {"signal beyond the grid", "segnale, 166850, 2,4,1,1,0,2,1,1,1,0",
       code_of(Fault::kBeyondGrid), 166850, true},
      {"signal before the line", "segnale, -50, 2,4,1,1,0,2,1,1,1,0", code_of(Fault::kBeyondGrid),
       -50, true},
      {"speed beyond the grid", "velocita, 166850, 60", code_of(Fault::kBeyondGrid), 166850, true},
      {"station beyond the grid", "stazione, 166150, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X",
       code_of(Fault::kBeyondGrid), 166150, true},
      {"code point taken", "abbattimento, 20000, 180\r\nabbattimento, 20000, 180",
       code_of(Fault::kCodePointTaken), 20000, false},
      {"station position", "stazione, 1025, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X",
       code_of(Fault::kStationPosition), 1025, false},
      {"station length", "stazione, 1000, 2, 450, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X",
       code_of(Fault::kStationLength), 1000, false},
      {"signal taken", "segnale, 1900, 2,4,1,1,0,2,1,1,1,0\r\nsegnale, 1900, 2,4,1,1,0,2,1,1,1,0",
       code_of(Fault::kSignalTaken), 1900, false},
      {"slowdown start taken",
       "segnale, 10000, 2,4,1,1,0,2,1,1,1,0\r\nrallentamento, 10000, 60, 500, 1, 1, 0",
       code_of(Fault::kSlowdownStartTaken), 10000, false},
      {"stop marker too early", "stazione, 0, 12, 100, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X",
       code_of(Fault::kStopMarkerTooEarly), kNone, false},
      {"line cut short", "segnale, 1900, 2, 4", code_of(Fault::kReadingFailure), kNone, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    F f;
    // A line cut short has to be the last one of the text.
    const std::string text = c.code == code_of(Fault::kReadingFailure)
                                 ? F::lines({"[generale]", "velocita, 0, 30", c.line})
                                 : F::scenario({"velocita, 0, 30", c.line, "sabbia, 300"});
    f.read(text);
    EXPECT_EQ(code_of(f.state.fault()), c.code);
    EXPECT_EQ(f.state.posizione_errore(), c.position == kNone ? 0 : c.position);
    // Found at the keyword field of the case's last line, or, cut short, at
    // the end of the text.
    const std::string_view lines = c.line;
    const size_t last_line = text.find(c.line) + lines.rfind('\n') + 1;
    EXPECT_EQ(
        f.state.fault_byte(),
        static_cast<int32_t>(c.code == code_of(Fault::kReadingFailure) ? text.size() : last_line));
    EXPECT_EQ(f.record(kTrainRecord).group1_a, 0);
    EXPECT_EQ(f.disk.has(F::kScenarioPath), c.code == code_of(Fault::kReadingFailure));
    EXPECT_EQ(f.cell(f.last() - 3).line_speed, c.end_steps ? 6 : 0);
  }
}

TEST(ScenarioReaderTest, FaultFieldIsRecordedForAuthors) {
  F f;
  const std::string text = F::lines(
      {"[generale]", "velocita, 0, 30", "", "sabbia, 300",
       "-- a comment, stazione, 1025, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, X", "[fine]"});
  f.read(text);
  EXPECT_EQ(f.state.fault(), Fault::kStationPosition);
  EXPECT_EQ(f.state.fault_byte(), static_cast<int32_t>(text.find("stazione")));
}

// A code 15 left by the route reader ends scenario reading at the first
// signal or slowdown line, with that line's position; lines before it are
// compiled, and the end fills do not run.
TEST(ScenarioReaderTest, RouteReaderCode15StopsAtFirstSignalOrSlowdown) {
  for (const char* line :
       {"segnale, 1900, 2,4,1,1,0,2,1,1,1,0", "rallentamento, 1900, 60, 500, 1,0,0"}) {
    SCOPED_TRACE(line);
    F f;
    f.state.record_fault_at(Fault::kBeyondGrid, 170000, InputText::kNone, 0);
    f.read(F::scenario({"velocita, 0, 30", "velocita, 500, 60", "abbattimento, 5000, 180",
                        "stazione, 0, 2, 900, 1,1,0, 4,1,0, 2,1,1, 1, 10,53,0, A", line,
                        "sabbia, 300"}));
    EXPECT_EQ(f.state.fault(), Fault::kBeyondGrid);
    EXPECT_EQ(f.state.posizione_errore(), 1900);
    EXPECT_EQ(f.record(1).name, Text("A"));
    EXPECT_EQ(f.cell(100).kind, cell_kind::kCodePoint);
    // The signal or slowdown itself is laid before the code is seen.
    EXPECT_NE(f.cell(39).kind, cell_kind::kEmpty);
    EXPECT_EQ(f.cell(9).line_speed, 6);
    EXPECT_EQ(f.cell(10).line_speed, 0);
    EXPECT_EQ(f.record(kTrainRecord).group1_a, 0);
    EXPECT_FALSE(f.disk.has(F::kScenarioPath));
  }
}

TEST(ScenarioReaderTest, RouteReaderCode15StaysWithoutSignalsOrSlowdowns) {
  F f;
  f.state.record_fault_at(Fault::kBeyondGrid, 170000, InputText::kNone, 0);
  f.read(F::scenario({"velocita, 0, 30", "abbattimento, 5000, 180"}));
  EXPECT_EQ(f.state.fault(), Fault::kBeyondGrid);
  EXPECT_EQ(f.state.posizione_errore(), 170000);
  EXPECT_EQ(f.cell(f.last() - 3).line_speed, 6);
}

TEST(ScenarioReaderTest, ProgressiveOffTheCellsIsCode2AfterReading) {
  struct Case {
    int32_t record;
    bool first_field;
  };
  for (Case c : {Case{81, true}, Case{82, false}, Case{83, true}}) {
    SCOPED_TRACE(c.record);
    F f;
    (c.first_field ? f.record(c.record).area_start : f.record(c.record).area_end) = 125;
    f.read(F::scenario({"velocita, 0, 30", "sabbia, 300"}));
    EXPECT_EQ(f.state.fault(), Fault::kProgressiveNotMultiple);
    EXPECT_EQ(f.record(kTrainRecord).group1_a, 300);
    EXPECT_EQ(f.cell(f.last() - 3).line_speed, 6);
  }
}

TEST(ScenarioReaderTest, ProgressiveCheckIgnoresThePositionField) {
  F f;
  f.record(82).position = 125;
  f.read(F::scenario({"sabbia, 300"}));
  EXPECT_EQ(f.state.fault(), Fault::kNone);
}

TEST(ScenarioReaderTest, Code2ReplacesAPositionBeyondTheGrid) {
  F f;
  f.record(81).area_start = 125;
  f.read(F::scenario({"velocita, 166850, 30"}));
  EXPECT_EQ(f.state.fault(), Fault::kProgressiveNotMultiple);
}

TEST(ScenarioReaderTest, ScenarioTextThatCannotBeDeletedIsAReadingFailure) {
  // A disk that refuses to delete the scenario text.
  struct StickyDisk : MemoryDisk {
    bool remove_file(const char* path) override {
      return std::string(path) == F::kScenarioPath ? false : MemoryDisk::remove_file(path);
    }
  };
  F f;
  StickyDisk disk;
  disk.put(F::kScenarioPath, F::scenario({"sabbia, 300"}));
  leggi_scenario(f.state, disk);
  EXPECT_EQ(f.state.fault(), Fault::kReadingFailure);
}

}  // namespace
}  // namespace binario
