// The sample package's scenario text, compiled on the grid and progressives
// that its route text gives, then passed through the code-point pass.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "finish/post_process.h"
#include "scenario/scenario_reader.h"
#include "scenario_fixture.h"

namespace binario {
namespace {

constexpr const char* kSampleRoute = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
constexpr const char* kSampleTrain = "IR2230";

std::string read_sample(const std::string& name) {
  std::ifstream in(std::string(BINARIO_EXAMPLES_DIR) + "/" + name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class SampleScenarioTest : public testing::Test {
 protected:
  void SetUp() override {
    state.cartella = Text("/inst");
    state.nome_percorso = Text(kSampleRoute);
    state.nome_treno = Text(kSampleTrain);
    // As the sample route text leaves them: route length 159900, 22
    // location boards in records 80 down to 59, the one progressive ordered
    // into record 81.
    state.griglia.create(159900);
    state.next_board_record = kFirstBoardRecord - 22;
    state.stazioni[81].area_start = 122900;
    state.stazioni[81].area_end = 106500;
    const std::string name = std::string(kSampleRoute) + "_" + kSampleTrain + "-.txt";
    const std::string text = read_sample(name);
    ASSERT_FALSE(text.empty()) << "sample scenario not found";
    path = "/inst/" + name;
    disk.put(path, text);
    leggi_scenario(state, disk);
  }

  GridCell& cell(int32_t i) { return state.griglia[i]; }

  MemoryDisk disk;
  CompileState state;
  std::string path;
};

TEST_F(SampleScenarioTest, CompilesWithoutAFaultAndDeletesTheText) {
  EXPECT_EQ(state.fault(), Fault::kNone);
  EXPECT_FALSE(disk.has(path));
  EXPECT_EQ(state.griglia.last(), 3338);
}

TEST_F(SampleScenarioTest, GeneralValues) {
  EXPECT_EQ(state.stazioni[kServiceRecord].position, 10);
  EXPECT_EQ(state.stazioni[kServiceRecord].area_start, 125);
  EXPECT_EQ(state.stazioni[kTrainRecord].group1_a, 300);
  EXPECT_EQ(state.stazioni[kTrainRecord].group2_a, 10);
  EXPECT_EQ(state.stazioni[kTrainRecord].group2_b, 52);
  EXPECT_EQ(state.stazioni[kTrainRecord].group2_c, 0);
}

TEST_F(SampleScenarioTest, ThirtyFourStationsInLineOrder) {
  for (int32_t j = 1; j <= 34; ++j) {
    EXPECT_FALSE(state.stazioni[j].name.empty()) << j;
    if (j > 1) {
      EXPECT_GT(state.stazioni[j].position, state.stazioni[j - 1].position) << j;
    }
  }
  EXPECT_TRUE(state.stazioni[35].name.empty());
  EXPECT_EQ(state.stazioni[17].name, Text("Arqu\xE0 Polesine"));
}

TEST_F(SampleScenarioTest, FirstStationRecord) { expect_first_sample_station(state); }

TEST_F(SampleScenarioTest, Terminus) {
  const StationRecord& r = state.stazioni[34];
  EXPECT_EQ(r.name, Text("VENEZIA SANTA LUCIA"));
  EXPECT_EQ(r.station_kind, 6);
  EXPECT_EQ(r.area_start, 159500);
  EXPECT_EQ(r.area_end, 160050);
  EXPECT_EQ(r.scheduled_time, 12 * 3600 + 42 * 60);
  EXPECT_EQ(cell(3200).kind, cell_kind::kStopMarker);
  EXPECT_EQ(cell(3200).value1, 34);
  for (int32_t h = 1; h <= 4; ++h) EXPECT_EQ(cell(3200 - h).approach, 0) << h;
}

TEST_F(SampleScenarioTest, SignalsAndTheFirstSignalCell) {
  int signals = 0;
  for (int32_t i = 0; i <= state.griglia.last(); ++i) signals += cell(i).kind == cell_kind::kSignal;
  EXPECT_EQ(signals, 108);
  const GridCell& s = cell(39);
  EXPECT_EQ(s.kind, cell_kind::kSignal);
  EXPECT_EQ(s.value4, 8);
  EXPECT_EQ(s.value1, 41);
  EXPECT_EQ(s.value2, 11);
  EXPECT_EQ(s.value3, 11);
  EXPECT_EQ(s.signal_time, 0);
  EXPECT_EQ(cell(37).approach, 81);
  EXPECT_EQ(cell(35).approach, 82);
  EXPECT_EQ(cell(33).approach, 83);
  EXPECT_EQ(cell(31).approach, 84);
}

TEST_F(SampleScenarioTest, LineSpeedAndAdhesion) {
  for (int32_t i = 0; i <= 14; ++i) EXPECT_EQ(cell(i).line_speed, 6) << i;
  for (int32_t i = 15; i <= 79; ++i) EXPECT_EQ(cell(i).line_speed, 22) << i;
  EXPECT_EQ(cell(80).line_speed, 30);
  // The last line, 30 km/h from 159050, runs on to cell L - 3.
  EXPECT_EQ(cell(3335).line_speed, 6);
  EXPECT_EQ(cell(3336).line_speed, 0);
  EXPECT_EQ(cell(3059).adhesion, 100);
  EXPECT_EQ(cell(3060).adhesion, 90);
  EXPECT_EQ(cell(3335).adhesion, 100);
}

TEST_F(SampleScenarioTest, NoSlowdownsSoThePassChangesNothing) {
  Bytes before;
  state.griglia.serialize(&before);
  post_process_grid(state);
  Bytes after;
  state.griglia.serialize(&after);
  EXPECT_EQ(before, after);
  EXPECT_EQ(state.fault(), Fault::kNone);
  // The header cell is left for the driver's stamps.
  EXPECT_EQ(cell(kHeaderCell).value1, 0);
  EXPECT_EQ(cell(kHeaderCell).value2, 0);
}

}  // namespace
}  // namespace binario
