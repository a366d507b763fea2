// The sample scenario, packed by the real tool and installed by the real stub:
// what the three compiled files hold, read back byte by byte.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/coding.h"
#include "compiled_files.h"
#include "support.h"

namespace binario::e2e {
namespace {

const std::string kRoute = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
const std::string kTrain = "IR2230";
const std::string kStationFile = kRoute + "_" + kTrain + ".sim";
const std::string kGridFile = kRoute + "_" + kTrain + ".dat";
const std::string kRoutePlanFile = kRoute + "_linea.dat";

Bytes bytes_of(const std::string& s) { return Bytes(s.begin(), s.end()); }

class SampleTest : public testing::Test {
 protected:
  // Installed once for the whole suite: the sample compiles in well under a second.
  static void SetUpTestSuite() {
    temp_ = new TempDir;
    folder_ = temp_->path() / "Simulatore Treni";
    fs::create_directories(folder_);
    std::vector<std::string> pack = {tool_path().string(),
                                     "pack",
                                     "--route",
                                     kRoute,
                                     "--train",
                                     kTrain,
                                     "--stub",
                                     stub_path().string(),
                                     "-o",
                                     (folder_ / "setup.exe").string()};
    for (const auto& entry : fs::directory_iterator(BINARIO_EXAMPLES_DIR))
      pack.push_back(entry.path().string());
    packed_ = new RunResult(run(pack, temp_->path()));
    installed_ = new RunResult(run({(folder_ / "setup.exe").string()}, temp_->path()));
  }

  static void TearDownTestSuite() {
    delete installed_;
    delete packed_;
    delete temp_;
  }

  static std::vector<StationRecord> stations() {
    std::vector<StationRecord> records;
    std::string error;
    EXPECT_TRUE(
        tool::decode_station_file(bytes_of(read_file(folder_ / kStationFile)), &records, &error))
        << error;
    return records;
  }

  static std::vector<GridCell> cells() {
    std::vector<GridCell> cells;
    std::string error;
    EXPECT_TRUE(tool::decode_grid_file(bytes_of(read_file(folder_ / kGridFile)), &cells, &error))
        << error;
    return cells;
  }

  static TempDir* temp_;
  static fs::path folder_;
  static RunResult* packed_;
  static RunResult* installed_;
};

TempDir* SampleTest::temp_ = nullptr;
fs::path SampleTest::folder_;
RunResult* SampleTest::packed_ = nullptr;
RunResult* SampleTest::installed_ = nullptr;

TEST_F(SampleTest, InstallsAndLeavesTheCompiledFilesAndTheDocuments) {
  ASSERT_EQ(packed_->status, 0) << packed_->err;
  EXPECT_EQ(installed_->status, 0) << installed_->err;
  EXPECT_EQ(installed_->err, "Attendere\n");
  std::vector<std::string> names;
  for (const auto& [name, content] : contents(folder_)) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       kGridFile, kStationFile, kRoute + "_" + kTrain + "_note.txt",
                       kRoute + "_" + kTrain + "_rallentamenti.txt",
                       kRoute + "_" + kTrain + "_scheda_treno.txt", kRoutePlanFile, "setup.exe"}));
}

TEST_F(SampleTest, StationFileHoldsTheStationsAndTheHeader) {
  const std::string file = read_file(folder_ / kStationFile);
  // The first station record, 50 bytes after the empty record 0.
  const std::string first =
      std::string("\x02\x3e\xfe\xff\xff\xc2\x01\x00\x00\x00\x00\x00\x00\x01\x10\x00", 16) +
      "BOLOGNA CENTRALE" +
      std::string("\x04\x00\x01\x00\x02\x00\x01\x00\x01\x00\x00\x01\x00\x00\x0c\x99\x00\x00", 18);
  EXPECT_EQ(file.substr(34, 50), first);

  const std::vector<StationRecord> r = stations();
  ASSERT_EQ(r.size(), 87u);
  for (int i = 1; i <= 34; ++i) EXPECT_FALSE(r[i].name.empty()) << "record " << i;
  EXPECT_TRUE(r[35].name.empty());
  EXPECT_EQ(r[34].name.view(), "VENEZIA SANTA LUCIA");
  EXPECT_EQ(r[34].area_start, 159500);
  EXPECT_EQ(r[34].area_end, 160050);
  // Header: progressive, service values, names, stamp and competition code.
  EXPECT_EQ(r[81].area_start, 122900);
  EXPECT_EQ(r[81].area_end, 106500);
  EXPECT_EQ(r[84].area_start, 125);
  EXPECT_EQ(r[84].area_end, 159900);
  EXPECT_EQ(r[84].position, 10);
  EXPECT_EQ(r[85].name.view(), kRoute);
  EXPECT_EQ(r[85].group1_a, 610);
  EXPECT_EQ(r[85].scheduled_time, 32241);
  EXPECT_EQ(r[86].name.view(), kTrain);
  EXPECT_EQ(r[86].group1_a, 300);
  EXPECT_EQ(r[86].group2_a, 10);
  EXPECT_EQ(r[86].group2_b, 52);
  EXPECT_EQ(r[86].group2_c, 0);
}

TEST_F(SampleTest, GridFileHoldsSignalsStopsAndSpeeds) {
  const std::string file = read_file(folder_ / kGridFile);
  ASSERT_EQ(file.size(), 50085u);
  // Header cell: stamp 5121 and competition code 2348 at offsets 16 to 19.
  EXPECT_EQ(file.substr(16, 4), std::string("\x01\x14\x2c\x09", 4));

  const std::vector<GridCell> c = cells();
  int signals = 0;
  for (const GridCell& cell : c) signals += cell.kind == cell_kind::kSignal;
  EXPECT_EQ(signals, 108);
  EXPECT_EQ(c[39].kind, cell_kind::kSignal);
  EXPECT_EQ(c[39].value4, 8);
  EXPECT_EQ(c[39].value1, 41);
  EXPECT_EQ(c[39].value2, 11);
  EXPECT_EQ(c[39].value3, 11);
  EXPECT_EQ(c[39].signal_time, 0);
  EXPECT_EQ(c[37].approach, 81);
  EXPECT_EQ(c[35].approach, 82);
  EXPECT_EQ(c[33].approach, 83);
  EXPECT_EQ(c[31].approach, 84);
  EXPECT_EQ(c[87].value4, 4);
  EXPECT_EQ(c[87].value1, 42);
  // The first station's approach and stop marker, and the terminus's stop.
  EXPECT_EQ((std::vector<int>{c[4].approach, c[5].approach, c[6].approach, c[7].approach}),
            (std::vector<int>{84, 83, 82, 81}));
  EXPECT_EQ(c[8].kind, cell_kind::kStopMarker);
  EXPECT_EQ(c[8].value1, 1);
  EXPECT_EQ(c[3200].kind, cell_kind::kStopMarker);
  EXPECT_EQ(c[3200].value1, 34);
  for (int i = 0; i <= 14; ++i) EXPECT_EQ(c[i].line_speed, 6) << "cell " << i;
  for (int i = 15; i <= 79; ++i) EXPECT_EQ(c[i].line_speed, 22) << "cell " << i;
}

TEST_F(SampleTest, RoutePlanFileHasTheLayoutOfTheRouteLength) {
  const std::string file = read_file(folder_ / kRoutePlanFile);
  const size_t t = 159900 + 7000;
  ASSERT_EQ(file.size(), 20 * t - 36);
  EXPECT_EQ(file.substr(0, 8), std::string("\x02\x00\x00\x00\x02\x00\x00\x00", 8));
  EXPECT_EQ(file.substr(10 * t - 18, 8), std::string("\x02\x00\x00\x00\x02\x00\x01\x00", 8));
}

TEST_F(SampleTest, InspectAndCheckDescribeTheResult) {
  RunResult inspected =
      run({tool_path().string(), "inspect", kStationFile, kGridFile, kRoutePlanFile}, folder_);
  EXPECT_EQ(inspected.status, 0) << inspected.err;
  for (const char* expected :
       {"34 stations and locations", "competition code 32241", "competition code 2348",
        "108 signals", "166901 points per coordinate"}) {
    EXPECT_NE(inspected.out.find(expected), std::string::npos) << expected << "\n" << inspected.out;
  }
  RunResult checked = run({tool_path().string(), "check", "setup.exe"}, folder_);
  EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
  EXPECT_NE(checked.out.find("compiles without a fault"), std::string::npos) << checked.out;
}

}  // namespace
}  // namespace binario::e2e
