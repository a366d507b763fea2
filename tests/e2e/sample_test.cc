// The sample scenario, packed by the real tool and installed by the real stub:
// what the three compiled files hold, read back byte by byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "base/coding.h"
#include "compiled/compiled_files.h"
#include "support.h"

namespace binario::e2e {
namespace {

using namespace sample;

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
    std::vector<std::string> pack = pack_command(folder_ / "setup.exe");
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
  // Nor a warning: every value of the sample is stored as written.
  RunResult strict = run({tool_path().string(), "check", "--werror", "setup.exe"}, folder_);
  EXPECT_EQ(strict.status, 0) << strict.err;
  EXPECT_NE(strict.err.find("0 errors, 0 warnings"), std::string::npos) << strict.err;
}

TEST_F(SampleTest, DumpNamesEveryFieldOfTheThreeFiles) {
  RunResult dumped = run(
      {tool_path().string(), "dump", "--format", "json", kStationFile, kGridFile, kRoutePlanFile},
      folder_);
  ASSERT_EQ(dumped.status, 0) << dumped.err;
  const nlohmann::json files = nlohmann::json::parse(dumped.out);
  ASSERT_EQ(files.size(), 3u);

  const nlohmann::json& stations = files[0]["records"];
  ASSERT_EQ(stations.size(), 87u);
  const nlohmann::json& first = stations[1];
  EXPECT_EQ(first["use"], "station");
  EXPECT_EQ(first["name"], "BOLOGNA CENTRALE");
  EXPECT_EQ(first["kind"], 2);
  EXPECT_EQ(first["area_start"], -450);
  EXPECT_EQ(first["area_end"], 450);
  EXPECT_EQ(first["flag_a"], 1);
  EXPECT_EQ(first["group_1_a"], 4);
  EXPECT_EQ(first["extended_area"], 0);
  EXPECT_EQ(first["dwell"], 1);
  EXPECT_EQ(first["scheduled_time"], 39180);
  EXPECT_EQ(first["scheduled_clock"], "10:53:00");
  EXPECT_EQ(stations[80]["use"], "location board");
  EXPECT_EQ(stations[81]["meaning"]["progressive_position_m"], 122900);
  EXPECT_EQ(stations[81]["meaning"]["kilometre_value_m"], 106500);
  EXPECT_EQ(stations[84]["meaning"]["route_length_m"], 159900);
  EXPECT_EQ(stations[84]["meaning"]["braked_mass_percent"], 125);
  EXPECT_EQ(stations[85]["meaning"]["competition_code"], 32241);
  EXPECT_EQ(stations[86]["meaning"]["signal_repetition_system"], 4);
  EXPECT_EQ(stations[86]["meaning"]["clock_minutes"], 52);

  const nlohmann::json& cells = files[1]["cells"];
  ASSERT_EQ(cells.size(), 3339u);
  // An empty cell still carries its stretch values: gradient -2 from metre 0.
  EXPECT_EQ(cells[0]["kind_name"], "empty");
  EXPECT_EQ(cells[0]["gradient_per_mille"], -2);
  EXPECT_EQ(cells[0]["line_speed_kmh"], 30);
  EXPECT_EQ(cells[0]["adhesion"], 100);
  EXPECT_EQ(cells[1]["value1"], 5121);
  EXPECT_EQ(cells[39]["kind_name"], "signal");
  EXPECT_EQ(cells[39]["metre"], 1950);
  EXPECT_EQ(cells[39]["object_metre"], 1900);
  EXPECT_EQ(cells[39]["value1"], 41);
  EXPECT_EQ(cells[39]["value4"], 8);
  EXPECT_EQ(cells[37]["approach"], 81);
  EXPECT_EQ(cells[8]["kind_name"], "station stop marker");
  EXPECT_EQ(cells[8]["value1"], 1);
  EXPECT_EQ(cells[20]["line_speed_kmh"], 110);

  const nlohmann::json& points = files[2]["points"];
  ASSERT_EQ(points.size(), 166901u);
  EXPECT_EQ(points[0], nlohmann::json::parse(R"({"point":0,"tag":2,"x":0.0,"y":0.0})"));
  EXPECT_EQ(points[1], nlohmann::json::parse(R"({"point":1,"tag":2,"x":0.0,"y":1.0})"));
  // Straight on the y axis up to the first curve at 400 m.
  EXPECT_EQ(points[400]["tag"], 5);
  EXPECT_EQ(points[400]["x"], 0.0);
  EXPECT_EQ(points[400]["y"], 400.0);
  EXPECT_EQ(points[166898]["tag"], 5);
  EXPECT_EQ(points[166900], nlohmann::json::parse(R"({"point":166900,"tag":0,"x":null,"y":null})"));
}

TEST_F(SampleTest, DumpCsvAndStepKeepTheirRows) {
  RunResult csv = run({tool_path().string(), "dump", "--format", "csv", kGridFile}, folder_);
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
            "cell,metre,object_metre,kind,kind_name,value1,value2,value3,value4,signal_time,"
            "approach,mountain,line_speed,line_speed_kmh,gradient,gradient_per_mille,adhesion");
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 3340);
  EXPECT_NE(csv.out.find("\n39,1950,1900,1,signal,41,11,11,8,0,0,"), std::string::npos);

  RunResult stepped =
      run({tool_path().string(), "dump", "--format", "csv", "--step", "50000", kRoutePlanFile},
          folder_);
  ASSERT_EQ(stepped.status, 0) << stepped.err;
  const std::string expected_first = "point,tag,x,y\n0,2,0,0\n50000,5,";
  EXPECT_EQ(stepped.out.substr(0, expected_first.size()), expected_first);
  EXPECT_EQ(std::count(stepped.out.begin(), stepped.out.end(), '\n'), 1 + 4 + 1);
  EXPECT_NE(stepped.out.find("\n166900,0,,\n"), std::string::npos) << stepped.out;
}

TEST_F(SampleTest, DumpOfADamagedFileNamesTheFileAndTheOffset) {
  TempDir temp;
  const struct {
    std::string from, name;
    size_t keep;
    std::string expected;
  } cases[] = {
      {kStationFile, "cut.sim", 1000,
       "cut.sim: not a station file: the file ends inside station "
       "record 21, which starts at offset 998"},
      {kGridFile, "cut.dat", 1003,
       "cut.dat: not a grid file: a grid file holds a whole number of "
       "15-byte cells; this one has 1003 bytes, and the cell at "
       "offset 990 is cut short"},
      {kRoutePlanFile, "cut_linea.dat", 1001,
       "cut_linea.dat: not a route plan file: the file ends inside an element that starts at "
       "offset 998"},
  };
  for (const auto& c : cases) {
    write_file(temp.path() / c.name, read_file(folder_ / c.from).substr(0, c.keep));
    RunResult dumped = run({tool_path().string(), "dump", "--format", "json", c.name}, temp.path());
    EXPECT_EQ(dumped.status, 1) << c.name;
    EXPECT_EQ(dumped.out, "") << c.name;
    EXPECT_NE(dumped.err.find(c.expected), std::string::npos) << dumped.err;
  }
}

TEST_F(SampleTest, PreviewFromTheInstallerAndFromTheCompiledFiles) {
  TempDir temp;
  RunResult from_installer =
      run({tool_path().string(), "preview", "setup.exe", "-o", (temp.path() / "a.html").string()},
          folder_);
  ASSERT_EQ(from_installer.status, 0) << from_installer.err;
  const std::string page = read_file(temp.path() / "a.html");
  EXPECT_NE(page.find(">VENEZIA SANTA LUCIA<"), std::string::npos);
  // The signal at 4300 m names its line of the scenario text.
  EXPECT_NE(page.find(kRoute + "_" + kTrain + "-.txt:64"), std::string::npos);

  // The installed folder holds the compiled files only: no source lines.
  RunResult from_folder = run(
      {tool_path().string(), "preview", folder_.string(), "-o", (temp.path() / "b.html").string()},
      temp.path());
  ASSERT_EQ(from_folder.status, 0) << from_folder.err;
  const std::string compiled = read_file(temp.path() / "b.html");
  EXPECT_NE(compiled.find(">VENEZIA SANTA LUCIA<"), std::string::npos);
  EXPECT_EQ(compiled.find("-.txt:"), std::string::npos);
}

TEST(PreviewTest, TheLongestRouteGivesAPageOfAtMostFiveMegabytes) {
  TempDir temp;
  std::string route = "[generale]\r\nlunghezza percorso, 1000000\r\n[linea]\r\n";
  for (int p = 0; p < 1000000; p += 500)
    route += "pendenza, " + std::to_string(p) + ", " + std::to_string(p / 500 % 9 - 4) + "\r\n";
  for (int p = 1000; p < 990000; p += 3000)
    route += std::string(p % 2 ? "curvas" : "curvad") + "2, " + std::to_string(p) + ", 600\r\n";
  route += "[fine]\r\n";
  std::string scenario = "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 100\r\n";
  for (int p = 750; p < 1000000; p += 4000)
    scenario += "velocita, " + std::to_string(p) + ", " + std::to_string(100 + p % 3 * 25) + "\r\n";
  for (int i = 0; i < 78; ++i) {
    scenario += "stazione, " + std::to_string(i * 12800) +
                ", 2, 400, 0,0,1, 1,1,0, 4,1,1, 60, 8,0,0, STAZIONE " + std::to_string(i) + "\r\n";
  }
  for (int p = 1900; p < 990000; p += 1500)
    scenario += "segnale, " + std::to_string(p) + ", 2, 4,1,1, 0, 2, 1,1,1, 0\r\n";
  scenario += "[fine]\r\n";
  write_file(temp.path() / "LUNGA_linea.txt", route);
  write_file(temp.path() / "LUNGA_R1-.txt", scenario);
  RunResult previewed =
      run({tool_path().string(), "preview", "LUNGA_linea.txt", "LUNGA_R1-.txt", "-o", "lunga.html"},
          temp.path());
  ASSERT_EQ(previewed.status, 0) << previewed.err;
  const std::string page = read_file(temp.path() / "lunga.html");
  EXPECT_LE(page.size(), 5u * 1000 * 1000);
  // Every cell's values are in the page, whatever the drawing leaves out.
  EXPECT_NE(page.find("STAZIONE 77"), std::string::npos);
  const size_t gradients = page.find("\"g\":[");
  ASSERT_NE(gradients, std::string::npos);
  const std::string list = page.substr(gradients, page.find(']', gradients) - gradients);
  EXPECT_EQ(std::count(list.begin(), list.end(), ','), 20140);
}

}  // namespace
}  // namespace binario::e2e
