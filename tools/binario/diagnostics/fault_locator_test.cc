// Where check places the installer's faults that other tests do not reach:
// each at its line and field, by where the reader stopped.

#include "diagnostics/fault_locator.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "diagnostics/check_run.h"

namespace binario::tool {
namespace {

const char kStation[] = ", 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, ALFA\r\n";

// A route of `length` metres; `line` goes into its line section.
std::string Route(const std::string& length = "6000", const std::string& line = "") {
  return "[generale]\r\nlunghezza percorso, " + length + "\r\n[linea]\r\npendenza, 0, 0\r\n" +
         line + "[fine]\r\n";
}

// A scenario with one station at 1000 m; `extra` goes on line 5.
std::string Scenario(const std::string& extra = "") {
  return "[generale]\r\nnumero vetture, 5\r\nvelocita, 0, 100\r\nstazione, 1000" +
         std::string(kStation) + extra + "[fine]\r\n";
}

std::string ManyStations(int n) {
  std::string lines;
  for (int i = 1; i <= n; ++i) lines += "stazione, " + std::to_string(i * 1000) + kStation;
  return "[generale]\r\n" + lines;
}

struct PlaceCase {
  const char* what;
  std::optional<std::string> route;
  std::optional<std::string> scenario;
  std::string expected;  // "FILE:LINE:COLUMN: MESSAGE" of the first error
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.what; }

class FaultPlaceTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(FaultPlaceTest, FirstErrorIsAtItsField) {
  CheckInput input{"R", "T", std::nullopt, std::nullopt};
  if (GetParam().route) input.route_text = SourceText("R_linea.txt", *GetParam().route);
  if (GetParam().scenario) input.scenario_text = SourceText("R_T-.txt", *GetParam().scenario);
  const CheckReport report = check_texts(input, CheckOptions{});
  std::string first;
  for (const Diagnostic& d : report.diagnostics) {
    if (d.severity != Severity::kError) continue;
    first =
        d.file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": " + d.message;
    break;
  }
  EXPECT_EQ(first, GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, FaultPlaceTest,
    testing::Values(
    PlaceCase{"speed the installer cannot store", Route(), Scenario("velocita, 2000, 7000\r\n"),
     "R_T-.txt:5:17: speed 7000 km/h does not fit: the installer stores a fifth of it in one byte (0 to 1277 km/h)"},
    PlaceCase{"signal before the start of the line", Route(), Scenario("segnale, -500, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\r\n"),
     "R_T-.txt:5:10: position -500 m is before the start of the line"},
    PlaceCase{"station whose stop falls past the grid", Route(), Scenario("stazione, 12000, 7, 6000, 0,0,0, 1,1,0, 4,1,1, 0, 9,0,0, BETA\r\n"),
     "R_T-.txt:5:11: the station at 12000 m cannot be laid: its stop falls past the end of the line grid, or its time does not fit"},
    PlaceCase{"speed-indicator board over 16 bits", Route("6000", "indicatori_vmax, 1000, 5000, 0, 0, 0, 0, 0, 0, 0\r\n"), Scenario(),
     "R_linea.txt:5:18: the speed-indicator board's speeds or stripe counts do not fit the installer's 16-bit values"},
    PlaceCase{"curve without a class digit", Route("6000", "curvax, 1000, 200\r\n"), Scenario(),
     "R_linea.txt:5:1: the curve keyword 'curvax' has no class digit 1 to 6, or the route plan passes 1000000 points"},
    PlaceCase{"route without a length line", std::string("[generale]\r\nsfondo uno, 1\r\n[linea]\r\npendenza, 0, 0\r\n[fine]\r\n"), Scenario(),
     "R_linea.txt:0:0: the route text has no 'lunghezza percorso' line in its [generale] section, so the line has no length"},
    PlaceCase{"scenario text missing", Route(), std::nullopt,
     "R_T-.txt:0:0: the scenario text is missing"},
    PlaceCase{"too many stations", Route("100000"), ManyStations(85),
     "R_T-.txt:80:1: too many stations: stations and the 0 location boards share 80 records"}
    ));
// clang-format on

}  // namespace
}  // namespace binario::tool
