#ifndef BINARIO_TESTS_SCENARIO_FIXTURE_H_
#define BINARIO_TESTS_SCENARIO_FIXTURE_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "base/coding.h"
#include "memory_disk.h"
#include "model/compile_state.h"
#include "scenario/scenario_reader.h"
#include "test_folder.h"

namespace binario {

// A compile state as the route reader leaves it (grid sized from the route
// length, progressives on whole cells, no location boards) and an in-memory
// folder "/inst" holding the route R and train T texts.
struct ScenarioFixture {
  static constexpr const char* kScenarioPath = kScenarioText;
  static constexpr const char* kRoutePath = kRouteText;

  explicit ScenarioFixture(int32_t route_length = 159900) {
    state.griglia.create(route_length);
    state.next_board_record = kFirstBoardRecord;
    for (int32_t i = kProgressiveRecordFirst; i < kProgressiveRecordFirst + 3; ++i) {
      state.stazioni[i].area_start = 1000 * (i - 80);
      state.stazioni[i].area_end = 100 * (i - 80);
    }
  }

  // Lines joined with CR LF.
  static std::string lines(std::initializer_list<const char*> ls) {
    return binario::lines({ls.begin(), ls.end()});
  }

  // A well-formed scenario text: "[generale]", the lines, "[fine]".
  static std::string scenario(std::initializer_list<const char*> ls) {
    return "[generale]\r\n" + lines(ls) + "[fine]\r\n";
  }

  // Puts `text` in the folder as the scenario text and reads it.
  void read(const std::string& text) {
    disk.put(kScenarioPath, text);
    leggi_scenario(state, disk);
  }

  GridCell& cell(int32_t i) { return state.griglia[i]; }
  StationRecord& record(int32_t i) { return state.stazioni[i]; }
  int32_t last() const { return state.griglia.last(); }

  MemoryDisk disk;
  CompileState state = test_state();
};

// The sample's first station, "stazione, 0, 2, 900, 1, 1, 0, 4,1,0, 2,1,1,
// 1, 10,53, 0, BOLOGNA CENTRALE", compiled into record 1: its fields, its
// approach and stop marks, and its 50 bytes in the station file.
inline void expect_first_sample_station(const CompileState& state) {
  const StationRecord& r = state.stazioni[1];
  EXPECT_EQ(r.station_kind, 2);
  EXPECT_EQ(r.area_start, -450);
  EXPECT_EQ(r.area_end, 450);
  EXPECT_EQ(r.position, 0);
  EXPECT_EQ(r.flag_a, 1);
  EXPECT_EQ(r.name, Text("BOLOGNA CENTRALE"));
  EXPECT_EQ(r.group1_a, 4);
  EXPECT_EQ(r.group1_b, 1);
  EXPECT_EQ(r.group2_a, 2);
  EXPECT_EQ(r.group2_b, 1);
  EXPECT_EQ(r.group2_c, 1);
  EXPECT_EQ(r.group1_c, 0);
  EXPECT_EQ(r.dwell, 1);
  EXPECT_EQ(r.flag_c, 0);
  EXPECT_EQ(r.flag_b, 0);  // cleared for the first station
  EXPECT_EQ(r.scheduled_time, 39180);
  for (int32_t h = 1; h <= 4; ++h) EXPECT_EQ(state.griglia[8 - h].approach, 80 + h) << "h " << h;
  EXPECT_EQ(state.griglia[8].kind, cell_kind::kStopMarker);
  EXPECT_EQ(state.griglia[8].value1, 1);

  Bytes file;
  state.stazioni.serialize(&file);
  // Record 0 is empty (34 bytes); record 1 takes 34 bytes plus its 16-letter name.
  ASSERT_GE(file.size(), 34u + 50u + 34u);
  EXPECT_EQ(decode_u16(&file[34 + 14]), 16);
  EXPECT_EQ(decode_i32(&file[34 + 46]), 39180);
}

}  // namespace binario

#endif  // BINARIO_TESTS_SCENARIO_FIXTURE_H_
