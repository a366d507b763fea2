// The author tool's check on installers, texts and folders: what it reports
// and its exit status.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "test_names.h"
#include "tool_fixture.h"

namespace binario::e2e {
namespace {

// What `binario check` says of an installer whose texts hold `route` and `scenario`.
struct CheckCase {
  const char* what;
  std::string route;
  std::string scenario;
  std::vector<std::string> expected;  // lines, or parts of lines, of the report
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.what; }

class CheckTest : public ToolTest, public testing::WithParamInterface<CheckCase> {};

TEST_P(CheckTest, ReportsTheFirstFaultWithItsFileAndLine) {
  write_file(dir_ / kRouteText, GetParam().route);
  write_file(dir_ / kScenarioText, GetParam().scenario);
  ASSERT_EQ(pack("out.exe").status, 0);
  RunResult result = binario({"check", "out.exe"});
  EXPECT_EQ(result.status, 1) << result.out << result.err;
  for (const std::string& expected : GetParam().expected) {
    EXPECT_NE(result.err.find(expected), std::string::npos) << expected << "\n" << result.err;
  }
  // Checking leaves nothing behind beside the installer.
  EXPECT_EQ(contents(dir_).size(), 4u);
}

const std::string kGoodRoute = "[generale]\r\nlunghezza percorso, 5000\r\n[fine]\r\n";

INSTANTIATE_TEST_SUITE_P(
    Faults, CheckTest,
    testing::Values(
        CheckCase{
            "station off the 50 m step",
            kGoodRoute,
            "[generale]\r\n[stazioni]\r\nstazione, 125, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, "
            "A\r\n[fine]\r\n",
            {kScenarioText +
                 ":3:11: error: station position 125 m is not a multiple of 50 [code 8]",
             "    3 | stazione, 125, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, A\n"
             "      |           ^~~\n",
             "the installer stops with \" Errore n. 8, posizione 125 m\""}},
        CheckCase{"route length out of range",
                  "[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n",
                  "[generale]\r\n[fine]\r\n",
                  {kRouteText + ":2:21: error: route length 1000001 m is out of range: it runs "
                                "from 0 to 1000000 m [code 1]"}},
        CheckCase{"signal in the header cell",
                  kGoodRoute,
                  "[generale]\r\nsegnale, 0, 2, 4, 1, 1, 0, 2, 1, 1, 1, 0\r\n[fine]\r\n",
                  {"error: the signal at 0 m falls on grid cell 1", "[code 1250]",
                   "\" Errore n. 1250\""}}),
    NameFromWhat());

TEST_F(ToolTest, CheckTakesTheTextsOrTheFolderThatHoldsThem) {
  write_file(dir_ / kRouteText, kCleanRoute);
  write_file(dir_ / kScenarioText, CleanScenario());
  fs::create_directory(dir_ / "texts");
  write_file(dir_ / "texts" / kRouteText, kCleanRoute);
  write_file(dir_ / "texts" / kScenarioText, CleanScenario());
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"check", kRouteText, kScenarioText},
        std::vector<std::string>{"check", "texts"}}) {
    RunResult result = binario(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "0 errors, 0 warnings\n");
    EXPECT_EQ(result.out,
              "route \"" + kRoute + "\", train \"" + kTrain + "\": compiles without a fault\n");
  }
}

TEST_F(ToolTest, CheckExitStatusFollowsErrorsWarningsAndTheCommandLine) {
  write_file(dir_ / kRouteText, kCleanRoute);
  const std::string extra_value =
      "stazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, ALFA, 7\r\n";
  write_file(dir_ / kScenarioText, CleanScenario(extra_value));
  EXPECT_EQ(binario({"check", kRouteText, kScenarioText}).status, 0);
  RunResult werror = binario({"check", "--werror", kRouteText, kScenarioText});
  EXPECT_EQ(werror.status, 1);
  EXPECT_NE(werror.err.find("[-Werror=extra-values]"), std::string::npos) << werror.err;
  RunResult off = binario({"check", "-Wno-extra-values", "-Werror", kRouteText, kScenarioText});
  EXPECT_EQ(off.status, 0) << off.err;
  EXPECT_EQ(off.err, "0 errors, 0 warnings\n");
  RunResult unknown = binario({"check", "-Wno-such-thing", kRouteText, kScenarioText});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown warning \"-Wno-such-thing\""), std::string::npos);

  write_file(dir_ / kScenarioText,
             CleanScenario("stazione, 1025, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, ALFA\r\n"));
  RunResult error = binario({"check", kRouteText, kScenarioText});
  EXPECT_EQ(error.status, 1);
  EXPECT_EQ(
      error.err.substr(0, error.err.find('\n')),
      kScenarioText + ":6:11: error: station position 1025 m is not a multiple of 50 [code 8]");
  EXPECT_EQ(error.out, "");

  RunResult json = binario({"check", "--format", "json", kRouteText, kScenarioText});
  EXPECT_EQ(json.status, 1);
  const nlohmann::json doc = nlohmann::json::parse(json.out);
  EXPECT_EQ(doc["diagnostics"][0]["code"], 8);
  EXPECT_EQ(doc["diagnostics"][0]["line"], 6);
  EXPECT_EQ(doc["installer_message"], " Errore n. 8, posizione 1025 m");
}

TEST_F(ToolTest, CheckAsksForTheTrainWhenTheFolderHoldsTwo) {
  fs::create_directory(dir_ / "texts");
  write_file(dir_ / "texts" / kRouteText, kCleanRoute);
  write_file(dir_ / "texts" / kScenarioText, CleanScenario());
  write_file(dir_ / "texts" / (kRoute + "_R 3-.txt"), CleanScenario());
  RunResult ambiguous = binario({"check", "texts"});
  EXPECT_EQ(ambiguous.status, 2);
  EXPECT_NE(ambiguous.err.find("name the train with --train"), std::string::npos) << ambiguous.err;
  EXPECT_EQ(binario({"check", "--train", "R 3", "texts"}).status, 0);
}

}  // namespace
}  // namespace binario::e2e
