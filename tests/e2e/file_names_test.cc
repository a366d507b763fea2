// binario check and a dropped folder on the texts' file names: a near miss
// is named with the name it needs, and no advice is given that cannot help.

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "support.h"

namespace binario::e2e {
namespace {

const std::string kRoute = "ROMA TERMINI_NAPOLI";
const std::string kTrain = "R 2";
const std::string kRouteText = kRoute + "_linea.txt";
const std::string kScenarioText = kRoute + "_" + kTrain + "-.txt";
const std::string kCleanRoute =
    "[generale]\r\nlunghezza percorso, 6000\r\n[linea]\r\npendenza, 0, 0\r\n[fine]\r\n";

std::string CleanScenario() {
  return "[generale]\r\nnumero vetture, 5\r\npercentuale massa frenata, 120\r\norologio, 8 0 "
         "0\r\nvelocita, 0, 100\r\nstazione, 1000, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, "
         "ALFA\r\n[fine]\r\n";
}

class FolderTest : public testing::Test {
 protected:
  FolderTest() : dir_(temp_.path()) {}

  RunResult binario(std::vector<std::string> args) {
    args.insert(args.begin(), tool_path().string());
    return run(args, dir_);
  }

  TempDir temp_;
  fs::path dir_;
};

// A text under a name one slip away from its own is named, with its own.
struct NearMiss {
  const char* what;
  std::string route_file;
  std::string scenario_file;
  std::string hint;
  std::vector<std::string> options;  // what the names leave open
};

class NearMissTest : public FolderTest, public testing::WithParamInterface<NearMiss> {};

TEST_P(NearMissTest, IsNamedWithTheNameItNeeds) {
  fs::create_directory(dir_ / "texts");
  write_file(dir_ / "texts" / GetParam().route_file, kCleanRoute);
  write_file(dir_ / "texts" / GetParam().scenario_file, CleanScenario());
  write_file(dir_ / "texts" / (kRoute + "_" + kTrain + "_note.txt"), "note\r\n");
  std::vector<std::string> args = {"check", "texts"};
  args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
  RunResult result = binario(args);
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("hint: " + GetParam().hint + "\n"), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("--train"), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, NearMissTest,
    testing::Values(NearMiss{"scenario text without its dash",
                             kRouteText,
                             kRoute + "_" + kTrain + ".txt",
                             "the folder holds \"" + kRoute + "_" + kTrain +
                                 ".txt\": did you mean \"" + kScenarioText + "\"?",
                             {}},
                    NearMiss{"route text in capitals",
                             kRoute + "_Linea.txt",
                             kScenarioText,
                             "the folder holds \"" + kRoute + "_Linea.txt\": did you mean \"" +
                                 kRouteText + "\"?",
                             {}},
                    NearMiss{
                        "route text of another route",
                        "ROMA_linea.txt",
                        kScenarioText,
                        "the folder holds \"ROMA_linea.txt\": did you mean \"" + kRouteText + "\"?",
                        {"--route", kRoute}}),
    [](const testing::TestParamInfo<NearMiss>& info) {
      std::string name;
      for (const char* c = info.param.what; *c != '\0'; ++c) name += std::isalnum(*c) ? *c : '_';
      return name;
    });

TEST_F(FolderTest, ADroppedFolderWithTwoScenariosNamesNoOption) {
  const fs::path folder = dir_ / "due";
  fs::create_directory(folder);
  write_file(folder / kRouteText, kCleanRoute);
  write_file(folder / kScenarioText, CleanScenario());
  write_file(folder / (kRoute + "_R 3-.txt"), CleanScenario());
  RunResult result = binario({"due"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("keep one scenario in the folder"), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("--train"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace binario::e2e
