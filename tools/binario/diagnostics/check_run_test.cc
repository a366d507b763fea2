// binario check on small texts: each authoring mistake with its diagnostics
// to the letter, and the warnings held against what the compile did.

#include "diagnostics/check_run.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "diagnostics/compile_run.h"

namespace binario::tool {
namespace {

// A route of 6000 m with one gradient line; `general` and `line` go at the
// ends of its two sections.
std::string Route(const std::string& length = "6000", const std::string& general = "",
                  const std::string& line = "") {
  return "[generale]\r\nlunghezza percorso, " + length + "\r\n" + general +
         "[linea]\r\npendenza, 0, 0\r\n" + line + "[fine]\r\n";
}

// Two stations; the second's position, kind and length are `second`.
std::string Stations(const std::string& second = "4000, 2, 400",
                     const std::string& first_name = "ALFA",
                     const std::string& second_name = "BETA") {
  return "stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, " + first_name + "\r\nstazione, " +
         second + ", 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, " + second_name + "\r\n";
}

// The train's values, a speed, the stations, then `extra` from line 8 on.
std::string Scenario(const std::string& extra = "", const std::string& stations = Stations()) {
  return "[generale]\r\nnumero vetture, 5\r\npercentuale massa frenata, 120\r\norologio, 8 0 "
         "0\r\nvelocita, 0, 100\r\n" +
         stations + extra + "[fine]\r\n";
}

std::string Signal(int position) {
  return "segnale, " + std::to_string(position) + ", 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\r\n";
}

// The options of a -W flag: "no-NAME" or "error"; none when empty.
CheckOptions Options(const std::string& w) {
  CheckOptions options;
  if (w == "error") options.werror = true;
  if (w.rfind("no-", 0) == 0) options.disabled.insert(w.substr(3));
  return options;
}

CheckInput Input(const std::string& route, const std::string& scenario) {
  return CheckInput{"R", "T", SourceText("R_linea.txt", route), SourceText("R_T-.txt", scenario)};
}

struct CheckCase {
  const char* what;
  std::string route;
  std::string scenario;
  std::string w;         // -W flag without the "-W"
  std::string expected;  // standard error of `binario check`, whole
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.what; }

class AuthoringMistakeTest : public testing::TestWithParam<CheckCase> {};

TEST_P(AuthoringMistakeTest, IsReportedAtItsLineAndField) {
  const CheckInput input = Input(GetParam().route, GetParam().scenario);
  const CheckReport report = check_texts(input, Options(GetParam().w));
  std::ostringstream out;
  write_text(report, {&*input.route_text, &*input.scenario_text}, out);
  EXPECT_EQ(out.str(), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, AuthoringMistakeTest,
    testing::Values(
    CheckCase{"clean", Route(), Scenario(), "",
     "0 errors, 0 warnings\n"},
    CheckCase{"unknown keyword with a suggestion", Route(), Scenario("segnlae, 2400, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\r\n"), "",
     "R_T-.txt:8:1: warning: unknown keyword 'segnlae': the installer passes over this line [-Wunknown-keyword]\n"
     "    8 | segnlae, 2400, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\n"
     "      | ^~~~~~~\n"
     "hint: did you mean 'segnale'?\n"
     "0 errors, 1 warning\n"},
    CheckCase{"keyword in a letter case the reader does not take", Route("6000", "Sfondo uno, 2\r\n"), Scenario(), "",
     "R_linea.txt:3:1: warning: 'Sfondo uno' is not read: the reader takes 'sfondo' and 'uno' only in lower case [-Wkeyword-case]\n"
     "    3 | Sfondo uno, 2\n"
     "      | ^~~~~~~~~~\n"
     "hint: write 'sfondo uno'\n"
     "0 errors, 1 warning\n"},
    CheckCase{"more values than the keyword takes", Route("6000", "", "pendenza, 100, 1, 7\r\n"), Scenario(), "",
     "R_linea.txt:5:19: warning: 'pendenza' takes 2 values; this line has 3 [-Wextra-values]\n"
     "    5 | pendenza, 100, 1, 7\n"
     "      |                   ^\n"
     "note: the installer reads '7' as the next keyword field and passes over it\n"
     "0 errors, 1 warning\n"},
    CheckCase{"thousands separator", Route("6,000"), Scenario(), "",
     "R_linea.txt:2:21: warning: the comma in '6,000' ends the value: the installer reads 6 for the route length of 'lunghezza percorso' and passes over '000' [-Wnumber-separator]\n"
     "    2 | lunghezza percorso, 6,000\n"
     "      |                     ^~~~~\n"
     "hint: write 6000 without a separator\n"
     "R_T-.txt:6:11: warning: position 1000 m is past the end of the route (6 m) [-Wpast-end]\n"
     "    6 | stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, ALFA\n"
     "      |           ^~~~\n"
     "R_T-.txt:7:11: warning: position 4000 m is past the end of the route (6 m) [-Wpast-end]\n"
     "    7 | stazione, 4000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, BETA\n"
     "      |           ^~~~\n"
     "0 errors, 3 warnings\n"},
    CheckCase{"decimal comma", Route("6000", "", "pendenza, 1500, 8,5\r\n"), Scenario(), "",
     "R_linea.txt:5:17: warning: the comma in '8,5' ends the value: the installer reads 8 for the gradient of 'pendenza' and passes over '5' [-Wnumber-separator]\n"
     "    5 | pendenza, 1500, 8,5\n"
     "      |                 ^~~\n"
     "hint: values are whole numbers, such as 8\n"
     "0 errors, 1 warning\n"},
    CheckCase{"short line read on into the next", Route(), Scenario("segnale, 1900, 2, 4, 1, 1, 0, 2, 1, 1, 1\r\n" + Signal(2400)), "",
     "R_T-.txt:8:41: error: 'segnale' takes 11 values; this line has 10 [code 25]\n"
     "    8 | segnale, 1900, 2, 4, 1, 1, 0, 2, 1, 1, 1\n"
     "      |                                         ^\n"
     "R_T-.txt:9:1: note: the installer reads 'segnale' as value 11 (time) and cannot read it as a number\n"
     "hint: write all 11 values of 'segnale' on its line: position, left head, left aspect 1, left aspect 2, left aspect 3, repeater, right head, right aspect 1, right aspect 2, right aspect 3, time; it lacks time\n"
     "the installer stops with \" Errore n. 25\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"short slowdown line: the hint names the values it lacks", Route(), Scenario("rallentamento, 10000, 60, 500\r\n" + Signal(2400)), "",
     "R_T-.txt:8:30: error: 'rallentamento' takes 6 values; this line has 3 [code 25]\n"
     "    8 | rallentamento, 10000, 60, 500\n"
     "      |                              ^\n"
     "R_T-.txt:9:1: note: the installer reads 'segnale' as value 4 (end value) and cannot read it as a number\n"
     "hint: write all 6 values of 'rallentamento' on its line: position, speed, length, end value, pre-warning, board value; it lacks end value, pre-warning, board value\n"
     "the installer stops with \" Errore n. 25\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"semicolons instead of commas", Route(), Scenario("segnale; 1900; 2; 4; 1; 1; 0; 2; 1; 1; 1; 0\r\n" + Signal(2400)), "",
     "R_T-.txt:8:44: error: 'segnale' takes 11 values; this line has 0 [code 25]\n"
     "    8 | segnale; 1900; 2; 4; 1; 1; 0; 2; 1; 1; 1; 0\n"
     "      |                                            ^\n"
     "R_T-.txt:9:1: note: the installer reads 'segnale' as value 1 (position) and cannot read it as a number\n"
     "hint: values are separated by commas, not semicolons\n"
     "the installer stops with \" Errore n. 25\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"decimal point", Route("6000", "", "pendenza, 1500, 8.5\r\n"), Scenario(), "",
     "R_linea.txt:5:17: error: '8.5' is not a whole number (value 2, gradient, of 'pendenza') [code 25]\n"
     "    5 | pendenza, 1500, 8.5\n"
     "      |                 ^~~\n"
     "hint: write whole numbers, without a decimal or thousands separator\n"
     "the installer stops with \" Errore n. 25\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"value too large for its field", Route(), Scenario("", Stations("4000, 300, 400")), "",
     "R_T-.txt:7:17: error: 300 does not fit value 2 (kind) of 'stazione': it takes 0 to 255 [code 25]\n"
     "    7 | stazione, 4000, 300, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, BETA\n"
     "      |                 ^~~\n"
     "the installer stops with \" Errore n. 25\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"route position beyond the grid, and no fault that follows from it", Route("6000", "", "pendenza, 99000, 0\r\n"), Scenario(Signal(2400)), "",
     "R_linea.txt:5:11: error: position 99000 m is beyond the end of the line grid [code 15]\n"
     "    5 | pendenza, 99000, 0\n"
     "      |           ^~~~~\n"
     "note: on this route (length 6000 m, grid cells 0 to 260) positions run from 0 to 12900 m\n"
     "the installer stops with \" Errore n. 15, posizione 2400 m\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"station position off the 50 m step", Route(), Scenario("", Stations("4025, 2, 400")), "",
     "R_T-.txt:7:11: error: station position 4025 m is not a multiple of 50 [code 8]\n"
     "    7 | stazione, 4025, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, BETA\n"
     "      |           ^~~~\n"
     "hint: the nearest multiples of 50 are 4000 and 4050\n"
     "the installer stops with \" Errore n. 8, posizione 4025 m\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"station length off the 100 m step", Route(), Scenario("", Stations("4000, 2, 450")), "",
     "R_T-.txt:7:20: error: station length 450 m is not a multiple of 100 [code 9]\n"
     "    7 | stazione, 4000, 2, 450, 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, BETA\n"
     "      |                    ^~~\n"
     "hint: the nearest multiples of 100 are 400 and 500\n"
     "the installer stops with \" Errore n. 9, posizione 4000 m\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"stations too close name both lines", Route(), Scenario("", Stations("1600, 2, 400")), "",
     "R_T-.txt:7:11: error: the station at 1600 m starts at 1400 m, less than 350 m after the end of the previous station [code 22]\n"
     "    7 | stazione, 1600, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, BETA\n"
     "      |           ^~~~\n"
     "R_T-.txt:6:11: note: the previous station's area ends at 1200 m\n"
     "the installer stops with \" Errore n. 22, posizione 1600 m\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"signal on a taken cell names the other object", Route(), Scenario(Signal(2400) + Signal(2410)), "",
     "R_T-.txt:9:10: error: the signal at 2410 m falls on cell 49, which is already taken [code 16]\n"
     "    9 | segnale, 2410, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\n"
     "      |          ^~~~\n"
     "R_T-.txt:8:1: note: cell 49 is taken by the signal at 2400 m on this line\n"
     "hint: move one of them to another 50 m cell\n"
     "the installer stops with \" Errore n. 16, posizione 2410 m\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"slowdown start on a signal", Route(), Scenario(Signal(3000) + "rallentamento, 3000, 60, 400, 1, 0, 0\r\n"), "",
     "R_T-.txt:9:16: error: the start of the slowdown at 3000 m falls on a cell that is already taken [code 18]\n"
     "    9 | rallentamento, 3000, 60, 400, 1, 0, 0\n"
     "      |                ^~~~\n"
     "R_T-.txt:8:1: note: cell 61 is taken by the signal at 3000 m on this line\n"
     "hint: move one of them to another 50 m cell\n"
     "the installer stops with \" Errore n. 18, posizione 3000 m\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"code point on a station stop", Route(), Scenario("abbattimento, 1150, 1\r\n"), "",
     "R_T-.txt:8:15: error: the code point at 1150 m falls on cell 23, which is already taken [code 7]\n"
     "    8 | abbattimento, 1150, 1\n"
     "      |               ^~~~\n"
     "R_T-.txt:6:1: note: cell 23 is taken by the station's stop marker at 1000 m on this line\n"
     "hint: move one of them to another 50 m cell\n"
     "the installer stops with \" Errore n. 7, posizione 1150 m\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"progressive off the 50 m step", Route("6000", "progressiva chilometrica uno, 125, 1000, 0\r\n"), Scenario(), "",
     "R_linea.txt:3:31: error: the kilometric progressive's position 125 is not a multiple of 50 [code 2]\n"
     "    3 | progressiva chilometrica uno, 125, 1000, 0\n"
     "      |                               ^~~\n"
     "hint: the nearest multiples of 50 are 100 and 150\n"
     "the installer stops with \" Errore n. 2\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"no free cell for the code points before a slowdown", Route(), Scenario("abbattimento, 4700, 1\r\nabbattimento, 4750, 1\r\nabbattimento, 4800, 1\r\n"
               "rallentamento, 5000, 60, 400, 1, 0, 0\r\n",
               Stations("2000, 2, 400")), "",
     "R_T-.txt:11:16: error: no free cell for a code point in front of the slowdown starting at cell 101 [code 12]\n"
     "   11 | rallentamento, 5000, 60, 400, 1, 0, 0\n"
     "      |                ^~~~\n"
     "R_T-.txt:10:1: note: cell 96 is taken by the code point at 4800 m on this line\n"
     "R_T-.txt:9:1: note: cell 95 is taken by the code point at 4750 m on this line\n"
     "R_T-.txt:8:1: note: cell 94 is taken by the code point at 4700 m on this line\n"
     "hint: move the slowdown, or the objects in the way, by a few cells\n"
     "the installer stops with \" Errore n. 12, posizione 5050 m\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"object in the header cell", Route(), Scenario(Signal(0)), "",
     "R_T-.txt:8:10: error: the signal at 0 m falls on grid cell 1, at the very start of the line, which the installer keeps for its header stamp [code 1250]\n"
     "    8 | segnale, 0, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\n"
     "      |          ^\n"
     "hint: move it further along the line, out of grid cell 1\n"
     "the installer stops with \" Errore n. 1250\" and writes no compiled file\n"
     "1 error, 0 warnings\n"},
    CheckCase{"every error in one pass", Route(), Scenario(Signal(2400) + Signal(2410) + Signal(9000), Stations("4025, 2, 400")), "",
     "R_T-.txt:7:11: error: station position 4025 m is not a multiple of 50 [code 8]\n"
     "    7 | stazione, 4025, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, BETA\n"
     "      |           ^~~~\n"
     "hint: the nearest multiples of 50 are 4000 and 4050\n"
     "R_T-.txt:9:10: error: the signal at 2410 m falls on cell 49, which is already taken [code 16]\n"
     "    9 | segnale, 2410, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\n"
     "      |          ^~~~\n"
     "R_T-.txt:8:1: note: cell 49 is taken by the signal at 2400 m on this line\n"
     "hint: move one of them to another 50 m cell\n"
     "R_T-.txt:10:10: warning: position 9000 m is past the end of the route (6000 m) [-Wpast-end]\n"
     "   10 | segnale, 9000, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\n"
     "      |          ^~~~\n"
     "the installer stops with \" Errore n. 8, posizione 4025 m\" and writes no compiled file\n"
     "2 errors, 1 warning\n"},
    CheckCase{"tab and bytes outside the character set in a name", Route(), Scenario("", Stations("4000, 2, 400", "AL\x81" "FA", "BE\tTA")), "",
     "R_T-.txt:6:58: warning: byte 0x81 in the name is outside the simulator's character set (Windows-1252) [-Wcharset]\n"
     "    6 | stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, AL\xEF\xBF\xBD" "FA\n"
     "      |                                                          ^\n"
     "R_T-.txt:7:58: warning: a tab is not a blank to the reader: it stays in the name [-Wtab]\n"
     "    7 | stazione, 4000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 8,5,0, BE\tTA\n"
     "      |                                                          ^\n"
     "hint: use spaces\n"
     "0 errors, 2 warnings\n"},
    CheckCase{"UTF-8 in a board text", Route("6000", "", "cartello_indicatore, 2000, \"Citt\xC3\xA0\"\r\n"), Scenario(), "",
     "R_linea.txt:5:28: warning: the board text 'Citt\xC3\x83\xC2\xA0' holds UTF-8 bytes; the simulator shows them as they stand here [-Wutf8]\n"
     "    5 | cartello_indicatore, 2000, \"Citt\xC3\x83\xC2\xA0\"\n"
     "      |                            ^~~~~~~~\n"
     "hint: save the file as Windows-1252 (ANSI)\n"
     "0 errors, 1 warning\n"},
    CheckCase{"object past the end of the route", Route(), Scenario(Signal(6500)), "",
     "R_T-.txt:8:10: warning: position 6500 m is past the end of the route (6000 m) [-Wpast-end]\n"
     "    8 | segnale, 6500, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\n"
     "      |          ^~~~\n"
     "0 errors, 1 warning\n"},
    CheckCase{"scenario without a general section", Route(), std::string("[stazioni]\r\n") + Stations() + "[fine]\r\n", "",
     "R_T-.txt: warning: the scenario text has no '[generale]' field: the installer reads none of it [-Wempty-section]\n"
     "hint: start the scenario's values with a line '[generale]'\n"
     "0 errors, 1 warning\n"},
    CheckCase{"no stations and no train values", Route(), "[generale]\r\nvelocita, 0, 100\r\n[fine]\r\n", "",
     "R_T-.txt: warning: no station lines: the service has no stations [-Wempty-section]\n"
     "R_T-.txt: warning: no 'numero vetture' line: the train has 0 cars [-Wempty-section]\n"
     "R_T-.txt: warning: no 'percentuale massa frenata' line: the braked mass is 0 % [-Wempty-section]\n"
     "R_T-.txt: warning: no 'orologio' line: the clock starts at 0:00:00 [-Wempty-section]\n"
     "0 errors, 4 warnings\n"},
    CheckCase{"times that go backwards and a station listed twice", Route(), Scenario("", Stations() + "stazione, 8000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 7,50,0, Alfa\r\n"), "",
     "R_T-.txt:8:11: warning: position 8000 m is past the end of the route (6000 m) [-Wpast-end]\n"
     "    8 | stazione, 8000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 7,50,0, Alfa\n"
     "      |           ^~~~\n"
     "R_T-.txt:8:49: warning: station 'Alfa' is scheduled at 7:50:00, before the station before it along the line (8:05:00) [-Wtime-order]\n"
     "    8 | stazione, 8000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 7,50,0, Alfa\n"
     "      |                                                 ^~~~~~\n"
     "R_T-.txt:7:1: note: the earlier station is here\n"
     "R_T-.txt:8:57: warning: station 'Alfa' is listed twice [-Wduplicate-station]\n"
     "    8 | stazione, 8000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 1, 7,50,0, Alfa\n"
     "      |                                                         ^~~~\n"
     "R_T-.txt:6:56: note: it is first listed here\n"
     "0 errors, 3 warnings\n"},
    CheckCase{"a warning turned off", Route("6000", "", "pendenza, 100, 1, 7\r\n"), Scenario(), "no-extra-values",
     "0 errors, 0 warnings\n"},
    CheckCase{"warnings as errors", Route("6000", "", "pendenza, 100, 1, 7\r\n"), Scenario(), "error",
     "R_linea.txt:5:19: error: 'pendenza' takes 2 values; this line has 3 [-Werror=extra-values]\n"
     "    5 | pendenza, 100, 1, 7\n"
     "      |                   ^\n"
     "note: the installer reads '7' as the next keyword field and passes over it\n"
     "1 error, 0 warnings\n"}
    ),
    [](const testing::TestParamInfo<CheckCase>& info) {
      std::string name;
      for (const char* c = info.param.what; *c != '\0'; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        if (*c == ' ') name += '_';
      }
      return name;
    });
// clang-format on

CompileRun Compile(const std::string& route, const std::string& scenario) {
  const CheckInput input = Input(route, scenario);
  return compile_texts("R", "T", &*input.route_text, &*input.scenario_text);
}

// What each warning says the installer does, it does.
TEST(WarningTest, SeparatorRouteLengthIsWhatTheInstallerReads) {
  const CompileRun run = Compile(Route("6,000"), Scenario());
  EXPECT_EQ(run.first.fault, Fault::kNone);
  EXPECT_EQ(run.route_length, 6);
}

TEST(WarningTest, UnknownKeywordLineIsPassedOver) {
  // Spelt right, a signal at 0 m takes the header cell and stops the
  // installer; misspelt, the installer never lays it.
  EXPECT_EQ(Compile(Route(), Scenario(Signal(0))).first.fault, Fault::kHeaderStampTaken);
  std::string misspelt = Signal(0);
  misspelt.replace(0, 7, "segnlae");
  EXPECT_EQ(Compile(Route(), Scenario(misspelt)).shown, "");
}

TEST(WarningTest, ExtraValueIsPassedOverAndKeywordCaseIsNotRead) {
  EXPECT_EQ(Compile(Route("6000", "", "pendenza, 100, 1, 7\r\n"), Scenario()).shown, "");
  // The signal repetition's start is not a multiple of 50: read in lower
  // case it stops the installer, in capitals it is never read.
  EXPECT_EQ(
      Compile(Route("6000", "ripetizione segnali 4 codici, 75, 0\r\n"), Scenario()).first.fault,
      Fault::kRepetitionStart);
  EXPECT_EQ(Compile(Route("6000", "Ripetizione segnali 4 codici, 75, 0\r\n"), Scenario()).shown,
            "");
}

TEST(WarningTest, ObjectPastTheEndOfTheRouteCompiles) {
  EXPECT_EQ(Compile(Route(), Scenario(Signal(6500))).shown, "");
}

TEST(CheckTest, MaxErrorsStopsTheSearch) {
  CheckOptions options;
  options.max_errors = 1;
  const CheckReport report = check_texts(
      Input(Route(), Scenario(Signal(2400) + Signal(2410), Stations("4025, 2, 400"))), options);
  EXPECT_EQ(report.errors(), 1);
  EXPECT_EQ(report.diagnostics[0].code, 8);
}

TEST(CheckTest, JsonHoldsEveryDiagnosticAndTheInstallersMessage) {
  const CheckReport report =
      check_texts(Input(Route(), Scenario(Signal(2400) + Signal(2410) + "segnlae, 3000\r\n")), {});
  std::ostringstream out;
  write_json(report, out);
  const nlohmann::json doc = nlohmann::json::parse(out.str());
  ASSERT_EQ(doc["diagnostics"].size(), 2u);
  const nlohmann::json& error = doc["diagnostics"][0];
  EXPECT_EQ(error["file"], "R_T-.txt");
  EXPECT_EQ(error["line"], 9);
  EXPECT_EQ(error["column"], 10);
  EXPECT_EQ(error["severity"], "error");
  EXPECT_EQ(error["code"], 16);
  EXPECT_EQ(error["notes"][0]["line"], 8);
  EXPECT_EQ(error["hints"].size(), 1u);
  const nlohmann::json& warning = doc["diagnostics"][1];
  EXPECT_EQ(warning["severity"], "warning");
  EXPECT_EQ(warning["warning"], "unknown-keyword");
  EXPECT_EQ(warning["hints"][0], "did you mean 'segnale'?");
  EXPECT_EQ(doc["installer_message"], " Errore n. 16, posizione 2410 m");
  EXPECT_EQ(doc["errors"], 1);
  EXPECT_EQ(doc["warnings"], 1);
}

TEST(CheckTest, SampleScenarioIsClean) {
  // The texts the examples folder ships compile without a fault or a warning.
  const CheckReport report = check_texts(Input(Route(), Scenario()), CheckOptions());
  EXPECT_TRUE(report.diagnostics.empty());
  EXPECT_EQ(report.shown, "");
}

}  // namespace
}  // namespace binario::tool
