#include "app/compile_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/coding.h"
#include "finish/competition_codes.h"
#include "memory_disk.h"
#include "run_report.h"
#include "test_folder.h"

namespace binario {
namespace {

// A route text of 2000 m with the given line section.
std::string short_route(const std::vector<std::string>& line_section) {
  return route_text(line_section, 2000);
}

class CompileDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.put(kScenarioText, "[generale]\r\n");
    disk.put(kNote, "nota");
  }

  std::string run(const std::string& route, bool write_route = true) {
    disk.put(kRouteText, route);
    return run_report(memorizza_percorso(state, disk, write_route));
  }

  bool wrote_nothing() const {
    return !disk.has(kPlanFile) && !disk.has(kStationFile) && !disk.has(kGridFile);
  }

  MemoryDisk disk;
  CompileState state = test_state();
};

TEST_F(CompileDriverTest, CompleteRunWritesTheThreeFiles) {
  ASSERT_EQ(run(short_route({"pendenza, 0, 2", "cartello_indicatore, 500, (BIVIO)"})), "");
  ASSERT_TRUE(disk.has(kPlanFile));
  ASSERT_TRUE(disk.has(kStationFile));
  ASSERT_TRUE(disk.has(kGridFile));
  EXPECT_FALSE(disk.has(kRouteText));
  EXPECT_FALSE(disk.has(kScenarioText));
  EXPECT_TRUE(disk.has(kNote));

  const int32_t t = 9000;
  EXPECT_EQ(disk.get(kPlanFile).size(), 20u * t - 36);
  const std::string grid = disk.get(kGridFile);
  ASSERT_EQ(grid.size(), 15u * 181);
  auto byte = [&](size_t i) { return static_cast<uint8_t>(grid[i]); };
  EXPECT_EQ(decode_i16(reinterpret_cast<const uint8_t*>(&grid[16])), 5121);
  EXPECT_EQ(decode_i16(reinterpret_cast<const uint8_t*>(&grid[18])),
            codice_gara_og(state.stazioni));
  EXPECT_EQ(byte(15 * 11), cell_kind::kLocationBoard);
  EXPECT_EQ(byte(15 * 11 + 1), 80);
  EXPECT_EQ(byte(13), 102);  // gradient of cell 0

  // The station file: 87 records, names "R", "T" and the board text.
  const std::string sim = disk.get(kStationFile);
  ASSERT_EQ(sim.size(), 2958u + 1 + 1 + 7);
  size_t r85 = 34u * 85 + 7;  // records 0-84, with the board text in 80
  EXPECT_EQ(sim.substr(r85 + 14, 3), std::string("\x01\x00R", 3));
  EXPECT_EQ(decode_i16(reinterpret_cast<const uint8_t*>(&sim[r85 + 17])), 610);
  EXPECT_EQ(decode_i32(reinterpret_cast<const uint8_t*>(&sim[r85 + 31])),
            codice_gara_st(state.stazioni));
  EXPECT_EQ(state.stazioni[kRouteRecord].scheduled_time, codice_gara_st(state.stazioni));
  // "t", "r" and the first 23 characters of the fixed text.
  EXPECT_EQ(state.stazioni[kRouteRecord].scheduled_time, 35758);
  EXPECT_EQ(state.griglia[kHeaderCell].value2, 2744);
}

TEST_F(CompileDriverTest, WithoutTheWriteRouteFlagNoPlanFileIsWritten) {
  ASSERT_EQ(run(short_route({"curvad3, 100, 100"}), false), "");
  EXPECT_FALSE(disk.has(kPlanFile));
  EXPECT_TRUE(disk.has(kStationFile));
  EXPECT_TRUE(disk.has(kGridFile));
}

TEST_F(CompileDriverTest, RecordedFaultsAreReportedAndNothingIsWritten) {
  struct Case {
    const char* what;
    std::string route;
    const char* report;
    bool scenario_kept;
  };
  const Case cases[] = {
      {"beyond the grid: the scenario is still read", route_text({"pendenza, 166850, 1"}, 159900),
       "15, posizione 166850 m", false},
      {"taken cell",
       short_route({"cartello_indicatore, 500, (a)", "cartello_indicatore, 510, (b)"}),
       "6, posizione 510 m", true},
      {"repetition end", "[generale]\r\nripetizione segnali 4 codici, 50, 75\r\n[fine]\r\n", "4",
       true},
      {"reading failure", short_route({"pendenza, x, 1"}), "25", false},
      {"curve class", short_route({"curvaz, 100, 10"}), "103", true},
  };
  for (const Case& c : cases) {
    MemoryDisk d;
    CompileState s = test_state();
    d.put(kScenarioText, "[generale]\r\n");
    d.put(kRouteText, c.route);
    const std::string report = run_report(memorizza_percorso(s, d, true));
    EXPECT_EQ(report, c.report) << c.what;
    EXPECT_FALSE(d.has(kPlanFile) || d.has(kStationFile) || d.has(kGridFile)) << c.what;
    EXPECT_FALSE(d.has(kRouteText)) << c.what;
    EXPECT_EQ(d.has(kScenarioText), c.scenario_kept) << c.what;
  }
}

// The readers leave the texts after a reading failure; the run deletes both.
TEST_F(CompileDriverTest, ReadingFailureInEitherTextLeavesNeitherText) {
  struct Case {
    const char* what;
    std::string route;
    std::string scenario;
  };
  const Case cases[] = {
      {"in the route text", short_route({"pendenza, x, 1"}), "[generale]\r\n"},
      {"in the scenario text", short_route({}), "[generale]\r\nsabbia, tre\r\n"},
  };
  for (const Case& c : cases) {
    MemoryDisk d;
    CompileState s = test_state();
    d.put(kNote, "nota");
    d.put(kScenarioText, c.scenario);
    d.put(kRouteText, c.route);
    EXPECT_EQ(run_report(memorizza_percorso(s, d, true)), "25") << c.what;
    EXPECT_FALSE(d.has(kRouteText)) << c.what;
    EXPECT_FALSE(d.has(kScenarioText)) << c.what;
    EXPECT_TRUE(d.has(kNote)) << c.what;
  }
}

TEST_F(CompileDriverTest, MissingRouteTextIsReported) {
  EXPECT_EQ(run_report(memorizza_percorso(state, disk, true)), "101");
  EXPECT_TRUE(wrote_nothing());
  EXPECT_TRUE(disk.has(kScenarioText));
}

TEST_F(CompileDriverTest, ErrorStateIsClearedBeforeReading) {
  state.record_fault(Fault::kBeyondGrid, InputText::kNone, 0);
  state.stazioni[5].name = Text("old");
  ASSERT_EQ(run(short_route({})), "");
  EXPECT_TRUE(state.stazioni[5].name.empty());
}

TEST_F(CompileDriverTest, FilledHeaderSlotsStopTheRun) {
  struct Case {
    const char* line;
    const char* report;
  };
  const Case cases[] = {
      // value1 of the header cell filled: the first check.
      {"indicatori_vmax, 0, 5, 0, 0, 0, 0, 0, 0, 0", "1250"},
      {"cartello_indicatore, 20, (a)", "1250"},
      // value1 0 but value2 filled: stamped, then the second check.
      {"indicatori_vmax, 24, 0, 1, 0, 0, 0, 0, 0, 0", "1251"},
  };
  for (const Case& c : cases) {
    MemoryDisk d;
    CompileState s = test_state();
    d.put(kScenarioText, "[generale]\r\n");
    d.put(kRouteText, short_route({c.line}));
    EXPECT_EQ(run_report(memorizza_percorso(s, d, true)), c.report) << c.line;
    EXPECT_FALSE(d.has(kPlanFile) || d.has(kStationFile) || d.has(kGridFile)) << c.line;
    if (std::string_view(c.report) == "1251") {
      EXPECT_EQ(s.griglia[kHeaderCell].value1, 5121);
      EXPECT_EQ(s.stazioni[kRouteRecord].group1_a, 610);
    }
  }
  // A board just past the header cell leaves the slots alone.
  ASSERT_EQ(run(short_route({"indicatori_vmax, 25, 5, 5, 5, 0, 0, 0, 0, 0"})), "");
  EXPECT_EQ(state.griglia[2].kind, cell_kind::kSpeedBoard);
}

TEST_F(CompileDriverTest, OlderLongerFilesAreReplacedWhole) {
  disk.put(kGridFile, std::string(100000, 'x'));
  disk.put(kPlanFile, std::string(400000, 'x'));
  ASSERT_EQ(run(short_route({})), "");
  EXPECT_EQ(disk.get(kGridFile).size(), 15u * 181);
  EXPECT_EQ(disk.get(kPlanFile).size(), 20u * 9000 - 36);
  EXPECT_EQ(disk.get(kGridFile).find('x'), std::string::npos);
}

TEST_F(CompileDriverTest, FileThatCannotBeWrittenIsReported) {
  for (const char* target : {kPlanFile, kStationFile, kGridFile}) {
    MemoryDisk d;
    CompileState s = test_state();
    d.put(kScenarioText, "[generale]\r\n");
    d.put(kRouteText, short_route({}));
    d.failing_renames.insert(target);
    EXPECT_EQ(run_report(memorizza_percorso(s, d, true)), "1254") << target;
    EXPECT_FALSE(d.has(target)) << target;
  }
}

}  // namespace
}  // namespace binario
