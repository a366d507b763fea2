// The compile driver on the real file system: a folder as the installer
// leaves it after unpacking, compiled into the three binary files.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/compile_driver.h"
#include "base/coding.h"
#include "platform/disk.h"
#include "platform/scratch_folder.h"
#include "run_report.h"
#include "text_lines.h"

namespace binario {
namespace {

namespace fs = std::filesystem;

const std::string kRoute = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
const std::string kTrain = "IR2230";

const std::string kRouteText = lines({
    "Linea Bologna - Venezia",
    "[generale]",
    "lunghezza percorso,   159900",
    "progressiva chilometrica uno,   122900,  106500, 0",
    "sfondo uno, 1",
    "sfondo due, 2",
    "sfondo tre, 3",
    "ripetizione segnali 4 codici,   3450,   9000",
    "[pendenze]",
    "pendenza,      0,   0",
    "pendenza,    350,  -2",
    "pendenza,    750,   0",
    "pendenza,  20000,   5",
    "[curve]",
    "curvad3,   1000,   150",
    "curvas2,  50000,  1000",
    "[montagne]",
    "montagna, 107100, 107750, 11",
    "[cartelli]",
    "indicatori_vmax,    500,  95, 110, 115, 2,  95, 110, 115, 1",
    "cartello_indicatore,  21400, (PONTE SUL)(FIUME PO )(m 428    )",
    "-- fine della linea --",
    "[fine]",
});

std::string read_all(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_all(const fs::path& p, const std::string& content) {
  std::ofstream(p, std::ios::binary) << content;
}

const uint8_t* at(const std::string& s, size_t offset) {
  return reinterpret_cast<const uint8_t*>(s.data() + offset);
}

class CompileDriverDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(scratch.path().empty());
    folder = scratch.path();
    state.cartella = Text(folder.string());
    state.nome_percorso = Text(kRoute);
    state.nome_treno = Text(kTrain);
    write_all(scenario_text(), "[generale]\r\n");
    write_all(note(), "nota del treno\r\n");
  }

  fs::path route_text_path() const { return folder / (kRoute + "_linea.txt"); }
  fs::path scenario_text() const { return folder / (kRoute + "_" + kTrain + "-.txt"); }
  fs::path note() const { return folder / (kRoute + "_" + kTrain + "_note.txt"); }
  fs::path plan_file() const { return folder / (kRoute + "_linea.dat"); }
  fs::path station_file() const { return folder / (kRoute + "_" + kTrain + ".sim"); }
  fs::path grid_file() const { return folder / (kRoute + "_" + kTrain + ".dat"); }

  ScratchFolder scratch{"binario-driver"};
  fs::path folder;
  CompileState state;
};

TEST_F(CompileDriverDiskTest, RouteTextCompilesIntoTheThreeFiles) {
  write_all(route_text_path(), kRouteText);
  ASSERT_EQ(run_report(memorizza_percorso(state, real_disk(), true)), "");

  EXPECT_FALSE(fs::exists(route_text_path()));
  EXPECT_FALSE(fs::exists(scenario_text()));
  EXPECT_EQ(read_all(note()), "nota del treno\r\n");

  // Grid: 3339 cells of 15 bytes.
  const std::string grid = read_all(grid_file());
  ASSERT_EQ(grid.size(), 50085u);
  EXPECT_EQ(decode_i16(at(grid, 16)), 5121);
  EXPECT_EQ(decode_i16(at(grid, 18)), 2348);
  auto cell = [&](int32_t n, int field_offset) {
    return static_cast<uint8_t>(grid[15 * n + field_offset]);
  };
  const int kGradient = 13, kMountain = 11;
  EXPECT_EQ(cell(6, kGradient), 100);
  EXPECT_EQ(cell(7, kGradient), 98);
  EXPECT_EQ(cell(399, kGradient), 100);
  EXPECT_EQ(cell(400, kGradient), 105);
  EXPECT_EQ(cell(3335, kGradient), 105);
  EXPECT_EQ(cell(3336, kGradient), 0);
  EXPECT_EQ(cell(2141, kMountain), 0);
  EXPECT_EQ(cell(2142, kMountain), 1);
  EXPECT_EQ(cell(2154, kMountain), 1);
  EXPECT_EQ(cell(2145, 0), 11);  // mountain marker
  // Speed-indicator board in cell 11, location board in cell 429.
  EXPECT_EQ(cell(11, 0), 6);
  EXPECT_EQ(decode_i16(at(grid, 15 * 11 + 1)), 1919);
  EXPECT_EQ(decode_i16(at(grid, 15 * 11 + 3)), 2222);
  EXPECT_EQ(decode_i16(at(grid, 15 * 11 + 5)), 2323);
  EXPECT_EQ(decode_i16(at(grid, 15 * 11 + 7)), 21);
  EXPECT_EQ(cell(429, 0), 14);
  EXPECT_EQ(decode_i16(at(grid, 15 * 429 + 1)), 80);

  // Station file: 87 records of 34 bytes plus their names.
  const std::string board = "(PONTE SUL)(FIUME PO )(m 428    )";
  const std::string sim = read_all(station_file());
  ASSERT_EQ(sim.size(), 2958u + board.size() + kRoute.size() + kTrain.size());
  std::vector<size_t> record(88);
  for (size_t r = 0, offset = 0; r <= 87; ++r) {
    record[r] = offset;
    if (r < 87) offset += 34 + decode_u16(at(sim, offset + 14));
  }
  ASSERT_EQ(record[87], sim.size());
  EXPECT_EQ(sim.substr(record[80] + 16, board.size()), board);
  EXPECT_EQ(decode_i32(at(sim, record[81] + 1)), 122900);
  EXPECT_EQ(decode_i32(at(sim, record[81] + 5)), 106500);
  EXPECT_EQ(decode_i32(at(sim, record[84] + 5)), 159900);
  const size_t r85 = record[85];
  EXPECT_EQ(decode_i32(at(sim, r85 + 1)), 1);
  EXPECT_EQ(decode_i32(at(sim, r85 + 5)), 3);
  EXPECT_EQ(decode_i32(at(sim, r85 + 9)), 2);
  EXPECT_EQ(sim.substr(r85 + 16, kRoute.size()), kRoute);
  EXPECT_EQ(decode_i16(at(sim, r85 + 16 + kRoute.size())), 610);
  EXPECT_EQ(decode_i32(at(sim, r85 + 30 + kRoute.size())), 32241);
  EXPECT_EQ(sim.substr(record[86] + 16, kTrain.size()), kTrain);
  EXPECT_EQ(decode_i32(at(sim, record[86] + 9)), 4);

  // Route plan: x of points 0 to T, then y; T = 166900.
  const size_t t = 166900;
  const std::string plan = read_all(plan_file());
  ASSERT_EQ(plan.size(), 3337964u);
  const std::string x_start("\x02\x00\x00\x00\x02\x00\x00\x00", 8);
  const std::string y_start("\x02\x00\x00\x00\x02\x00\x01\x00", 8);
  const size_t y_part = 10 * t - 18;
  EXPECT_EQ(plan.substr(0, 8), x_start);
  EXPECT_EQ(plan.substr(y_part, 8), y_start);
  // Every stepped point against the written formulas, recomputed here.
  std::vector<double> x{0, 0}, y{0, 1};
  for (size_t j = 2; j <= t - 2; ++j) {
    double k = 0;
    if (j >= 1001 && j <= 1150) k = 0.0004;
    if (j >= 50001 && j <= 51000) k = -0.0002;
    double dx = x[j - 1] - x[j - 2];
    double dy = y[j - 1] - y[j - 2];
    if (k == 0) {
      x.push_back(x[j - 1] + dx);
      y.push_back(y[j - 1] + dy);
    } else {
      x.push_back(x[j - 1] + (dy * k + dx));
      y.push_back(y[j - 1] + (dy - dx * k));
    }
    size_t offset = 8 + 10 * (j - 2);
    ASSERT_EQ(decode_u16(at(plan, offset)), 5) << j;
    ASSERT_EQ(decode_f64(at(plan, offset + 2)), x[j]) << "x of point " << j;
    ASSERT_EQ(decode_u16(at(plan, y_part + offset)), 5) << j;
    ASSERT_EQ(decode_f64(at(plan, y_part + offset + 2)), y[j]) << "y of point " << j;
  }
  EXPECT_GT(x[1150], 0.0);
  EXPECT_EQ(plan.substr(y_part - 4, 4), std::string(4, '\0'));
  EXPECT_EQ(plan.substr(plan.size() - 4), std::string(4, '\0'));
}

TEST_F(CompileDriverDiskTest, FaultyRouteTextsWriteNoOutput) {
  struct Case {
    std::string route;
    const char* report;
  };
  const Case cases[] = {
      {lines({"[generale]", "lunghezza percorso, 1000001", "[fine]"}), "1"},
      {lines({"[generale]", "lunghezza percorso, 5000", "[linea]",
              "indicatori_vmax, 500, 1, 1, 1, 0, 1, 1, 1, 0",
              "indicatori_vmax, 500, 1, 1, 1, 0, 1, 1, 1, 0", "[fine]"}),
       "21, posizione 500 m"},
      {lines({"[generale]", "lunghezza percorso, 5000", "[linea]", "pendenza, 11950, 1", "[fine]"}),
       "15, posizione 11950 m"},
  };
  for (const Case& c : cases) {
    CompileState s;
    s.cartella = state.cartella;
    s.nome_percorso = state.nome_percorso;
    s.nome_treno = state.nome_treno;
    write_all(scenario_text(), "[generale]\r\n");
    write_all(route_text_path(), c.route);
    EXPECT_EQ(run_report(memorizza_percorso(s, real_disk(), true)), c.report);
    EXPECT_FALSE(fs::exists(route_text_path())) << c.report;
    EXPECT_FALSE(fs::exists(plan_file())) << c.report;
    EXPECT_FALSE(fs::exists(station_file())) << c.report;
    EXPECT_FALSE(fs::exists(grid_file())) << c.report;
    EXPECT_TRUE(fs::exists(note())) << c.report;
  }
}

TEST_F(CompileDriverDiskTest, OutputThatCannotBeWrittenIsReported) {
  write_all(route_text_path(), kRouteText);
  fs::create_directory(grid_file());  // a folder where the grid file belongs
  EXPECT_EQ(run_report(memorizza_percorso(state, real_disk(), true)), "1254");
  EXPECT_TRUE(fs::is_directory(grid_file()));
  // No temporary file is left beside it.
  for (const auto& entry : fs::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().filename().string().find("tmp"), std::string::npos) << entry.path();
  }
}

}  // namespace
}  // namespace binario
