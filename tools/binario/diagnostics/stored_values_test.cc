// binario check on values the installer stores otherwise than written, or
// that no real line or train has: each diagnostic to the letter, and held
// against what the compile in memory really stored.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "diagnostics/check_run.h"
#include "diagnostics/compile_run.h"

namespace binario::tool {
namespace {

// A route of 6000 m; `line` goes at the end of its line section.
std::string Route(const std::string& line = "", const std::string& length = "6000") {
  return "[generale]\r\nlunghezza percorso, " + length + "\r\n[linea]\r\npendenza, 0, 0\r\n" +
         line + "[fine]\r\n";
}

// The train's values (line 2 to 5) and two stations, then `extra` from line 8 on.
std::string Scenario(const std::string& extra = "", const std::string& general =
                                                        "numero vetture, 5\r\npercentuale massa "
                                                        "frenata, 120\r\norologio, 8 0 0\r\n") {
  return "[generale]\r\n" + general +
         "velocita, 0, 100\r\n"
         "stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, ALFA\r\n"
         "stazione, 4000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, BETA\r\n" +
         extra + "[fine]\r\n";
}

using Stored = std::function<int64_t(const CompileState&)>;

Stored Gradient(int32_t cell) {
  return [cell](const CompileState& s) { return s.griglia[cell].gradient - 100; };
}

struct StoredCase {
  const char* what;
  std::string route;
  std::string scenario;
  std::string expected;  // standard error of `binario check`, whole
  Stored stored;         // what the compile stored for the value in question
  int64_t value;         // the stored value the diagnostic names
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.what; }

class StoredOtherwiseTest : public testing::TestWithParam<StoredCase> {};

TEST_P(StoredOtherwiseTest, IsReportedWithWhatTheInstallerStores) {
  const StoredCase& c = GetParam();
  const CheckInput input{"R", "T", SourceText("R_linea.txt", c.route),
                         SourceText("R_T-.txt", c.scenario)};
  std::ostringstream out;
  write_text(check_texts(input, {}), {&*input.route_text, &*input.scenario_text}, out);
  EXPECT_EQ(out.str(), c.expected);
  const auto state = compiled_state("R", "T", &*input.route_text, &*input.scenario_text);
  EXPECT_EQ(state->fault(), Fault::kNone);
  EXPECT_EQ(c.stored(*state), c.value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, StoredOtherwiseTest,
    testing::Values(
    StoredCase{"gradient past its byte", Route("pendenza, 1500, 600\r\n"), Scenario(),
     "R_linea.txt:5:17: error: gradient 600 per mille of 'pendenza' is outside the range the installer stores, -100 to 155: it would store 88 per mille\n"
     "    5 | pendenza, 1500, 600\n"
     "      |                 ^~~\n"
     "hint: write a value from -100 to 155\n"
     "1 error, 0 warnings\n",
     Gradient(40), 88},
    StoredCase{"slowdown speed past 16 bits", Route(), Scenario("rallentamento, 3000, 52000, 400, 1, 0, 0\r\n"),
     "R_T-.txt:8:22: error: speed 52000 km/h of 'rallentamento' is outside the range the installer stores, -32768 to 32767: it would store -13536 km/h\n"
     "    8 | rallentamento, 3000, 52000, 400, 1, 0, 0\n"
     "      |                      ^~~~~\n"
     "hint: write a value from -32768 to 32767\n"
     "1 error, 0 warnings\n",
     [](const CompileState& s) { return s.griglia[61].value1; }, -13536},
    StoredCase{"two gradient lines swapped", Route("pendenza, 2000, 5\r\npendenza, 1000, -3\r\n"), Scenario(),
     "R_linea.txt:6:11: warning: 'pendenza' at 1000 m goes back from the line before it (2000 m, line 5): lines run in the order of the line [-Wposition-order]\n"
     "    6 | pendenza, 1000, -3\n"
     "      |           ^~~~\n"
     "R_linea.txt:5:11: note: the line before it is here\n"
     "0 errors, 1 warning\n",
     Gradient(30), 0},
    StoredCase{"mountain that ends before its start", Route("montagna, 3000, 2000, 1\r\n"), Scenario(),
     "R_linea.txt:5:17: warning: the mountain stretch ends at 2000 m, not after its start at 3000 m: the installer lays no mountain [-Wstretch-end]\n"
     "    5 | montagna, 3000, 2000, 1\n"
     "      |                 ^~~~\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return s.griglia[50].mountain; }, 0},
    StoredCase{"gradient split over two lines", Route("pendenza, 1500,\r\n-2\r\n"), Scenario(),
     "R_linea.txt:5:16: warning: value 2 (gradient) of 'pendenza' is empty: the installer reads 0 [-Wempty-value]\n"
     "    5 | pendenza, 1500,\n"
     "      |                ^\n"
     "R_linea.txt:6:1: note: the installer passes over '-2' for its dash, as a comment\n"
     "hint: write every value of 'pendenza' on its own line\n"
     "0 errors, 1 warning\n",
     Gradient(40), 0},
    StoredCase{"no cars", Route(), Scenario("", "numero vetture, 0\r\npercentuale massa frenata, 120\r\norologio, 8 0 0\r\n"),
     "R_T-.txt:2:17: warning: cars 0 of 'numero vetture': a train has at least one car [-Wimplausible]\n"
     "    2 | numero vetture, 0\n"
     "      |                 ^\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return s.stazioni[kServiceRecord].position; }, 0},
    StoredCase{"braked mass far over 100 %", Route(), Scenario("", "numero vetture, 5\r\npercentuale massa frenata, 1250\r\norologio, 8 0 0\r\n"),
     "R_T-.txt:3:28: warning: braked mass 1250 % of 'percentuale massa frenata': no train brakes with far more than 100 % of its mass [-Wimplausible]\n"
     "    3 | percentuale massa frenata, 1250\n"
     "      |                            ^~~~\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return s.stazioni[kServiceRecord].area_start; }, 1250},
    StoredCase{"clock at no time of day", Route(), Scenario("", "numero vetture, 5\r\npercentuale massa frenata, 120\r\norologio, 10 75 0\r\n"),
     "R_T-.txt:4:11: warning: the clock 10:75:00 is no time of day: minutes run from 0 to 59 [-Wtime-of-day]\n"
     "    4 | orologio, 10 75 0\n"
     "      |           ^~~~~~~\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return s.stazioni[kTrainRecord].group2_b; }, 75},
    StoredCase{"adhesion over 100", Route(), Scenario("aderenza, 0, 250\r\n"),
     "R_T-.txt:8:14: warning: adhesion 250 of 'aderenza': adhesion runs from 0 to 100 [-Wimplausible]\n"
     "    8 | aderenza, 0, 250\n"
     "      |              ^~~\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return s.griglia[10].adhesion; }, 250},
    StoredCase{"adhesion past its byte", Route(), Scenario("aderenza, 0, 300\r\n"),
     "R_T-.txt:8:14: error: adhesion 300 of 'aderenza' is outside the range the installer stores, 0 to 255: it would store 44\n"
     "    8 | aderenza, 0, 300\n"
     "      |              ^~~\n"
     "hint: write a value from 0 to 255\n"
     "1 error, 0 warnings\n",
     [](const CompileState& s) { return s.griglia[10].adhesion; }, 44},
    StoredCase{"line speed off the 5 km/h step", Route(), Scenario("velocita, 2000, 112\r\n"),
     "R_T-.txt:8:17: warning: speed 112 km/h of 'velocita' is stored as 110 km/h: line speeds are kept in steps of 5 km/h [-Wstored-value]\n"
     "    8 | velocita, 2000, 112\n"
     "      |                 ^~~\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return s.griglia[50].line_speed * 5; }, 110},
    StoredCase{"board's right-hand speed off the 5 km/h step", Route("indicatori_vmax, 2000, 95, 110, 115, 0, 97, 110, 115, 0\r\n"), Scenario(),
     "R_linea.txt:5:41: warning: right speed A 97 km/h of 'indicatori_vmax' is stored as 95 km/h: the right-hand speeds of a board are kept in steps of 5 km/h [-Wstored-value]\n"
     "    5 | indicatori_vmax, 2000, 95, 110, 115, 0, 97, 110, 115, 0\n"
     "      |                                         ^~\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return (s.griglia[41].value1 - 20 * 95) * 5; }, 95},
    StoredCase{"signal time kept as 101", Route(), Scenario("segnale, 2400, 2, 4, 1, 1, 0, 2, 1, 1, 1, 30\r\n"),
     "R_T-.txt:8:43: warning: time 30 of 'segnale' is stored as 101: times from 1 to 100 are kept as 101 [-Wstored-value]\n"
     "    8 | segnale, 2400, 2, 4, 1, 1, 0, 2, 1, 1, 1, 30\n"
     "      |                                           ^~\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return s.griglia[49].signal_time; }, 101},
    StoredCase{"station time at no time of day", Route(),
     "[generale]\r\nnumero vetture, 5\r\npercentuale massa frenata, 120\r\norologio, 8 0 0\r\nvelocita, 0, 100\r\n"
     "stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, ALFA\r\n"
     "stazione, 4000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,75,0, BETA\r\n[fine]\r\n",
     "R_T-.txt:7:49: warning: the time 8:75:00 is no time of day: minutes run from 0 to 59; the installer stores 9:15:00 [-Wtime-of-day]\n"
     "    7 | stazione, 4000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,75,0, BETA\n"
     "      |                                                 ^~~~~~\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return s.stazioni[2].scheduled_time; }, 9 * 3600 + 15 * 60},
    StoredCase{"route far longer than its last station", Route("", "60000"), Scenario(),
     "R_linea.txt:2:21: warning: the route is 60000 m long, 56000 m past its last station 'BETA' at 4000 m [-Wroute-length]\n"
     "    2 | lunghezza percorso, 60000\n"
     "      |                     ^~~~~\n"
     "R_T-.txt:7:11: note: the last station is here\n"
     "hint: the route length is the position of the end of the line, in metres\n"
     "0 errors, 1 warning\n",
     [](const CompileState& s) { return s.stazioni[kServiceRecord].area_end; }, 60000},
    StoredCase{"empty scenario text", Route(), "",
     "R_T-.txt: error: the scenario text is empty: the installer would install a service with no station, no signal and no timetable\n"
     "hint: write the service's lines after a line '[generale]'\n"
     "1 error, 0 warnings\n",
     [](const CompileState& s) { return s.stazioni[1].area_end; }, 0}
    ),
    [](const testing::TestParamInfo<StoredCase>& info) {
      std::string name;
      for (const char* c = info.param.what; *c != '\0'; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        if (*c == ' ') name += '_';
      }
      return name;
    });
// clang-format on

}  // namespace
}  // namespace binario::tool
