// Hand-made packages through the real installer: a slowdown with its
// warning board and pre-warning cells, the code points the grid pass derives
// around it, the scenario's own code points, and faults that stop the run.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "compiled/compiled_files.h"
#include "support.h"
#include "test_names.h"

namespace binario::e2e {
namespace {

const std::string kRoute = "LINEA DI PROVA";
const std::string kTrain = "R 7";
const std::string kRouteText = kRoute + "_linea.txt";
const std::string kScenarioText = kRoute + "_" + kTrain + "-.txt";
const std::string kGridFile = kRoute + "_" + kTrain + ".dat";

// 30000 m of line: cells 0 to 740.
const std::string kRouteSource =
    "[generale]\r\n"
    "lunghezza percorso, 30000\r\n"
    "[fine]\r\n";

std::string scenario(const std::string& lines) {
  return "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 100\r\n" + lines + "[fine]\r\n";
}

// A station at 1000 m, a slowdown at 10000 m for 500 m at 60 km/h with its
// pre-warning cells, a signal 20 cells before the slowdown's warning board and
// one just after its end, and a code point and a code-cut point.
const std::string kSlowdownLines =
    "stazione, 1000, 2, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 0, 0, 0, PROVA\r\n"
    "rallentamento, 10000, 60, 500, 1, 1, 0\r\n"
    "segnale, 8450, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\r\n"
    "segnale, 10700, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\r\n"
    "abbattimento, 20000, 180\r\n"
    "abbattimento, 20500, 0\r\n";

class HandmadeTest : public testing::Test {
 protected:
  HandmadeTest() : folder_(temp_.path() / "scenari") { fs::create_directories(folder_); }

  RunResult install(const std::string& scenario_source) {
    write_file(temp_.path() / kRouteText, kRouteSource);
    write_file(temp_.path() / kScenarioText, scenario_source);
    RunResult packed = run(
        {tool_path().string(), "pack", "--force", "--route", kRoute, "--train", kTrain, "--stub",
         stub_path().string(), "-o", (folder_ / "setup.exe").string(), kRouteText, kScenarioText},
        temp_.path());
    EXPECT_EQ(packed.status, 0) << packed.err;
    return run({(folder_ / "setup.exe").string()}, temp_.path());
  }

  TempDir temp_;
  fs::path folder_;
};

// What an occupied cell holds: its kind, first and third values.
struct Occupied {
  int kind;
  int value1;
  int value3;
  bool operator==(const Occupied&) const = default;
};

void PrintTo(const Occupied& o, std::ostream* os) {
  *os << "{kind " << o.kind << ", value1 " << o.value1 << ", value3 " << o.value3 << "}";
}

TEST_F(HandmadeTest, SlowdownGetsItsBoardsAndTheDerivedCodePoints) {
  RunResult result = install(scenario(kSlowdownLines));
  ASSERT_EQ(result.status, 0) << result.err;

  const std::string file = read_file(folder_ / kGridFile);
  ASSERT_EQ(file.size(), 741u * 15);
  std::vector<GridCell> cells;
  std::string error;
  ASSERT_TRUE(tool::decode_grid_file(Bytes(file.begin(), file.end()), &cells, &error)) << error;

  std::map<int, Occupied> occupied;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].kind != 0)
      occupied[static_cast<int>(i)] = {cells[i].kind, cells[i].value1, cells[i].value3};
  }
  const std::map<int, Occupied> expected = {
      {23, {10, 1, 0}},     // the station's stop marker
      {169, {12, 180, 0}},  // code point in front of the signal before the warning board
      {170, {1, 41, 11}},   // signal at 8450 m
      {173, {5, 4, 0}},     // pre-warning cells, nearest the board first
      {174, {5, 3, 0}},    {175, {5, 2, 0}},    {176, {5, 1, 0}},
      {177, {4, 60, 0}},    // warning board 1200 m before the start
      {183, {12, 180, 0}},  // far, middle and near groups before the start
      {190, {12, 180, 0}}, {196, {12, 180, 0}}, {201, {3, 60, 1}},  // slowdown start
      {209, {12, 180, 0}},                                          // 8 cells inside the slowdown
      {211, {2, 60, 1}},                                            // slowdown end
      {214, {12, 180, 0}},  // in front of the first signal after the end
      {215, {1, 41, 11}},   // signal at 10700 m
      {400, {12, 180, 0}},  // the scenario's code point at 20000 m
      {410, {13, 0, 0}},    // its code-cut point at 20500 m
  };
  EXPECT_EQ(occupied, expected);
  EXPECT_EQ(cells[1].value1, 5121);  // the header cell holds only its stamp and code
  // Approach marks of the station and of the signal before the board.
  EXPECT_EQ((std::vector<int>{cells[19].approach, cells[20].approach, cells[21].approach,
                              cells[22].approach}),
            (std::vector<int>{84, 83, 82, 81}));
  EXPECT_EQ((std::vector<int>{cells[162].approach, cells[164].approach, cells[166].approach,
                              cells[168].approach}),
            (std::vector<int>{84, 83, 82, 81}));
  for (int i = 0; i <= 737; ++i) ASSERT_EQ(cells[i].line_speed, 20) << "cell " << i;
}

// A scenario that stops the run, and what the player sees.
struct Fault {
  const char* what;
  std::string lines;
  const char* message;
};

void PrintTo(const Fault& f, std::ostream* os) { *os << f.what; }

class HandmadeFaultTest : public HandmadeTest, public testing::WithParamInterface<Fault> {};

TEST_P(HandmadeFaultTest, ShowsTheCodeAndWritesNoCompiledFile) {
  RunResult result = install(scenario(GetParam().lines));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, std::string("Attendere\n") + GetParam().message + "\n");
  // Both texts were read, and deleted; nothing was compiled into the folder.
  EXPECT_EQ(contents(folder_).size(), 1u) << "only the installer stays";
}

INSTANTIATE_TEST_SUITE_P(
    Codes, HandmadeFaultTest,
    testing::Values(
        Fault{"signal_on_the_slowdown_start",
              kSlowdownLines + "segnale, 10000, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0\r\n",
              " Errore n. 16, posizione 10000 m"},
        Fault{"signal_beyond_the_grid", "segnale, 36950, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0\r\n",
              " Errore n. 15, posizione 36950 m"},
        Fault{"slowdown_start_on_a_signal",
              "segnale, 5000, 1, 1, 1, 1, 0, 1, 1, 1, 1, 0\r\nrallentamento, 5000, 60, 500, 1, 0, "
              "0\r\n",
              " Errore n. 18, posizione 5000 m"},
        Fault{"no_free_cell_before_the_slowdown",
              "abbattimento, 4700, 1\r\nabbattimento, 4750, 1\r\nabbattimento, 4800, 1\r\n"
              "rallentamento, 5000, 120, 500, 1, 0, 0\r\n",
              " Errore n. 12, posizione 5050 m"},
        Fault{"signal_in_the_header_cell", "segnale, 0, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\r\n",
              " Errore n. 1250"}),
    NameFromWhat());

}  // namespace
}  // namespace binario::e2e
