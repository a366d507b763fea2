// binario check puts the cause first: a route length it cannot read at its
// own line, the faults that follow from a wrong length in one error, the
// installer's own fault always listed, and a time that breaks the order
// blamed on its own station.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "diagnostics/check_run.h"

namespace binario::tool {
namespace {

std::string Route(const std::string& length, const std::string& line = "") {
  return "[generale]\r\nlunghezza percorso" + length +
         "\r\nsfondo uno, 2\r\n[linea]\r\npendenza, 0, 0\r\n" + line + "[fine]\r\n";
}

std::string Station(int position, const std::string& time, const std::string& name) {
  return "stazione, " + std::to_string(position) + ", 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, " + time +
         ", " + name + "\r\n";
}

// The train's values on lines 2 to 5, then `lines` from line 6 on.
std::string Scenario(const std::string& lines) {
  return "[generale]\r\nnumero vetture, 5\r\npercentuale massa frenata, 120\r\norologio, 8 0 "
         "0\r\nvelocita, 0, 100\r\n" +
         lines + "[fine]\r\n";
}

CheckInput Input(const std::string& route, const std::string& scenario) {
  return CheckInput{"R", "T", SourceText("R_linea.txt", route), SourceText("R_T-.txt", scenario)};
}

std::string Checked(const CheckInput& input, const CheckOptions& options = {}) {
  std::ostringstream out;
  write_text(check_texts(input, options), {&*input.route_text, &*input.scenario_text}, out);
  return out.str();
}

struct CauseCase {
  const char* what;
  std::string route;
  std::string scenario;
  std::string expected;  // standard error of `binario check`, whole
};

void PrintTo(const CauseCase& c, std::ostream* os) { *os << c.what; }

class RootCauseTest : public testing::TestWithParam<CauseCase> {};

TEST_P(RootCauseTest, ComesFirst) {
  EXPECT_EQ(Checked(Input(GetParam().route, GetParam().scenario)), GetParam().expected);
}

const std::string kTwoStations = Station(1000, "8,0,0", "ALFA") + Station(4000, "8,5,0", "BETA");

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, RootCauseTest,
    testing::Values(
    CauseCase{"route length with a decimal point", Route(", 6.000"), Scenario(kTwoStations),
     "R_linea.txt:2:21: error: '6.000' is not a whole number (value 1, route length, of 'lunghezza percorso') [code 25]\n"
     "    2 | lunghezza percorso, 6.000\n"
     "      |                     ^~~~~\n"
     "hint: write whole numbers, without a decimal or thousands separator\n"
     "the installer stops with \" Errore n. 25\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CauseCase{"route length without its comma", Route(" 6000"), Scenario(kTwoStations),
     "R_linea.txt:2:24: error: 'lunghezza percorso' takes 1 values; this line has 0 [code 25]\n"
     "    2 | lunghezza percorso 6000\n"
     "      |                        ^\n"
     "R_linea.txt:3:1: note: the installer reads 'sfondo' as value 1 (route length) and cannot read it as a number\n"
     "hint: put a comma between the keyword and its first value: 'lunghezza percorso, 6000'\n"
     "the installer stops with \" Errore n. 25\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CauseCase{"what follows from a wrong length is one error, and the installer's own is listed",
     Route(", 9,000", "pendenza, 7500, 1\r\npendenza, 8000, 0\r\n"), Scenario(kTwoStations + "aderenza, 7600, 90\r\n"),
     "R_linea.txt:2:21: warning: the comma in '9,000' ends the value: the installer reads 9 for the route length of 'lunghezza percorso' and passes over '000' [-Wnumber-separator]\n"
     "    2 | lunghezza percorso, 9,000\n"
     "      |                     ^~~~~\n"
     "hint: write 9000 without a separator\n"
     "R_linea.txt:6:11: error: position 7500 m is beyond the end of the line grid [code 15]\n"
     "    6 | pendenza, 7500, 1\n"
     "      |           ^~~~\n"
     "note: on this route (length 9 m, grid cells 0 to 140) positions run from 0 to 6900 m\n"
     "note: this follows from the route length, 9 m: 3 more lines give positions past the end of the route, not listed\n"
     "R_linea.txt:2:21: note: the route length is read here\n"
     "R_T-.txt:8:11: error: position 7600 m is beyond the end of the line grid [code 15]\n"
     "    8 | aderenza, 7600, 90\n"
     "      |           ^~~~\n"
     "note: on this route (length 9 m, grid cells 0 to 140) positions run from 0 to 6900 m\n"
     "the installer stops with \" Errore n. 15, posizione 7600 m\" and writes no compiled file\n"
     "2 errors, 1 warning\n"},
    CauseCase{"a time too late is blamed on its own station", Route(", 9000"),
     Scenario(Station(1000, "8,0,0", "ALFA") + Station(2000, "9,1,0", "BETA") +
              Station(3000, "8,55,0", "GAMMA") + Station(4000, "9,5,0", "DELTA")),
     "R_T-.txt:7:49: warning: station 'BETA' is scheduled at 9:01:00, after the station after it along the line ('GAMMA', 8:55:00) [-Wtime-order]\n"
     "    7 | stazione, 2000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 9,1,0, BETA\n"
     "      |                                                 ^~~~~\n"
     "R_T-.txt:8:1: note: the later station is here\n"
     "0 errors, 1 warning\n"},
    CauseCase{"a time too early is blamed on its own station", Route(", 9000"),
     Scenario(Station(1000, "8,0,0", "ALFA") + Station(2000, "8,20,0", "BETA") +
              Station(3000, "8,5,0", "GAMMA") + Station(4000, "8,40,0", "DELTA")),
     "R_T-.txt:8:49: warning: station 'GAMMA' is scheduled at 8:05:00, before the station before it along the line (8:20:00) [-Wtime-order]\n"
     "    8 | stazione, 3000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, GAMMA\n"
     "      |                                                 ^~~~~\n"
     "R_T-.txt:7:1: note: the earlier station is here\n"
     "0 errors, 1 warning\n"},
    CauseCase{"a first station too late is blamed on itself", Route(", 9000"),
     Scenario(Station(1000, "18,0,0", "ALFA") + Station(2000, "8,20,0", "BETA") +
              Station(3000, "8,30,0", "GAMMA")),
     "R_T-.txt:6:49: warning: station 'ALFA' is scheduled at 18:00:00, after the station after it along the line ('BETA', 8:20:00) [-Wtime-order]\n"
     "    6 | stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 18,0,0, ALFA\n"
     "      |                                                 ^~~~~~\n"
     "R_T-.txt:7:1: note: the later station is here\n"
     "0 errors, 1 warning\n"}
    ),
    [](const testing::TestParamInfo<CauseCase>& info) {
      std::string name;
      for (const char* c = info.param.what; *c != '\0' && name.size() < 60; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        if (*c == ' ') name += '_';
      }
      return name;
    });
// clang-format on

TEST(RootCauseTest, TheInstallersFaultIsListedPastTheErrorLimit) {
  // The route's lines past the grid come first in the texts, but the
  // scenario's own fault is the one the player sees.
  CheckOptions options;
  options.max_errors = 1;
  const CheckReport report =
      check_texts(Input(Route(", 9,000", "pendenza, 7500, 1\r\npendenza, 8000, 0\r\n"),
                        Scenario(kTwoStations + "aderenza, 7600, 90\r\n")),
                  options);
  ASSERT_EQ(report.shown, " Errore n. 15, posizione 7600 m");
  bool listed = false;
  for (const Diagnostic& d : report.diagnostics) {
    listed |= d.file == "R_T-.txt" && d.line == 8 && d.code == 15;
  }
  EXPECT_TRUE(listed);
}

}  // namespace
}  // namespace binario::tool
