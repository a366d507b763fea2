// The author tool: list, extract, the command line.

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

TEST_F(ToolTest, ListShowsNamesFilesAndTheCheck) {
  write_file(dir_ / kRouteText, kCleanRoute);
  write_file(dir_ / kScenarioText, CleanScenario());
  write_file(dir_ / "nota \xe8.txt", "12345");
  ASSERT_EQ(pack("out.exe", {"nota \xe8.txt"}).status, 0);
  RunResult result = binario({"list", "out.exe"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string package = read_file(dir_ / "out.exe").substr(49999);
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(crc32_of(package)));
  EXPECT_EQ(result.out, "route: \"" + kRoute + "\"\n" + "train: \"" + kTrain + "\"\n" +
                            "files: 3\n" + size_column(kCleanRoute) + "  \"" + kRouteText + "\"\n" +
                            size_column(CleanScenario()) + "  \"" + kScenarioText + "\"\n" +
                            "         5  \"nota \xc3\xa8.txt\"\n" + "seal: intact (" +
                            std::to_string(package.size()) + " bytes of package, CRC-32 " + crc +
                            ")\n" + "package: sound\n" +
                            "compile: the route text and the scenario text are there (binario "
                            "check compiles them)\n");
}

TEST_F(ToolTest, ListSaysTheInstallerWouldStop) {
  // The placeholder texts have no '[generale]': the installer stops on them.
  ASSERT_EQ(pack("out.exe").status, 0);
  RunResult result = binario({"list", "out.exe"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("package: sound\ncompile: the installer would stop with \" Errore n. "
                            "102\" (binario check shows where)\n"),
            std::string::npos)
      << result.out;
}

TEST_F(ToolTest, ListNamesTheDamageAndFails) {
  ASSERT_EQ(pack("out.exe").status, 0);
  std::string installer = read_file(dir_ / "out.exe");
  installer.resize(installer.size() - 1);
  write_file(dir_ / "out.exe", installer);
  RunResult result = binario({"list", "out.exe"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("files: 1\n         7  \"" + kRouteText + "\"\n"), std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("seal: broken: the package's length differs from the sealed one\n"
                            "package: damaged (the installer stops with \" Errore n. 1252\"): "
                            "the seal says the package ends at offset 50424; it ends at offset "
                            "50423: 1 byte is missing (a download cut short)\n"),
            std::string::npos)
      << result.out;
}

TEST_F(ToolTest, ListNamesAnUnsafeNameShowingControlBytes) {
  ASSERT_EQ(pack("out.exe").status, 0);
  std::string installer = read_file(dir_ / "out.exe");
  installer.replace(50199, 6, std::string("a\tb/..", 6));
  reseal(&installer);
  write_file(dir_ / "out.exe", installer);
  RunResult result = binario({"list", "out.exe"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.out.find("package: unsafe name (the installer stops with \" Errore n. 1253\"): "
                            "record 1 at offset 50199 \"a\\x09b/.."),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("contains the control byte \\x09"), std::string::npos) << result.out;
}

TEST_F(ToolTest, ExtractUnpacksIntoTheFolderWithoutCompiling) {
  ASSERT_EQ(pack("out.exe").status, 0);
  fs::create_directory(dir_ / "dest");
  write_file(dir_ / "dest" / kRouteText, "an older, longer route text");
  RunResult result = binario({"extract", "out.exe", "-C", "dest"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(contents(dir_ / "dest"),
            (std::map<std::string, std::string>{{kRouteText, "route\r\n"},
                                                {kScenarioText, "scenario\r\n"}}));
  EXPECT_EQ(result.out.rfind("seal: intact (", 0), 0u) << result.out;
  EXPECT_NE(result.out.find("\n2 files unpacked into \"dest\"\n"), std::string::npos) << result.out;
}

// A flipped bit that the seal alone notices: refused, and unpacked all the
// same with --force, saying so.
TEST_F(ToolTest, ExtractForcedPastABrokenSeal) {
  ASSERT_EQ(pack("out.exe").status, 0);
  std::string installer = read_file(dir_ / "out.exe");
  installer[installer.size() - 3] ^= 0x20;  // "scenario\r\n": 'o' becomes 'O'
  write_file(dir_ / "out.exe", installer);
  fs::create_directory(dir_ / "dest");
  RunResult refused = binario({"extract", "out.exe", "-C", "dest"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("differ from those that were sealed"), std::string::npos)
      << refused.err;
  EXPECT_TRUE(contents(dir_ / "dest").empty());
  RunResult forced = binario({"extract", "--force", "out.exe", "-C", "dest"});
  EXPECT_EQ(forced.status, 0) << forced.err;
  EXPECT_NE(forced.err.find("all the same (--force)"), std::string::npos) << forced.err;
  EXPECT_EQ(contents(dir_ / "dest").at(kScenarioText), "scenariO\r\n");
}

TEST_F(ToolTest, ExtractRefusesADamagedPackage) {
  ASSERT_EQ(pack("out.exe").status, 0);
  std::string installer = read_file(dir_ / "out.exe");
  write_file(dir_ / "out.exe", installer + "junk");
  fs::create_directory(dir_ / "dest");
  RunResult result = binario({"extract", "out.exe", "-C", "dest"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("damaged"), std::string::npos) << result.err;
  EXPECT_TRUE(contents(dir_ / "dest").empty());
}

TEST_F(ToolTest, ExtractNamesTheFileItCannotWrite) {
  ASSERT_EQ(pack("out.exe").status, 0);
  fs::create_directories(dir_ / "dest" / kScenarioText);
  RunResult result = binario({"extract", "out.exe", "-C", "dest"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("cannot write \"" + kScenarioText + "\""), std::string::npos)
      << result.err;
  EXPECT_EQ(contents(dir_ / "dest"), (std::map<std::string, std::string>{
                                         {kRouteText, "route\r\n"}, {kScenarioText, "<folder>"}}));
}

struct CommandLine {
  std::vector<std::string> args;
  int status;
  std::string output;  // part of standard output (status 0) or standard error
};

void PrintTo(const CommandLine& c, std::ostream* os) {
  for (const std::string& arg : c.args) *os << arg << ' ';
}

class CommandLineTest : public ToolTest, public testing::WithParamInterface<CommandLine> {};

TEST_P(CommandLineTest, HelpVersionAndUsageErrors) {
  RunResult result = binario(GetParam().args);
  EXPECT_EQ(result.status, GetParam().status);
  const std::string& shown = GetParam().status == 0 ? result.out : result.err;
  EXPECT_NE(shown.find(GetParam().output), std::string::npos) << result.out << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineTest,
    testing::Values(CommandLine{{"--help"}, 0, "Usage: binario [OPTIONS] SUBCOMMAND"},
                    CommandLine{{"--version"}, 0, "binario 0."},
                    CommandLine{{"pack", "--help"}, 0, "Usage: binario pack"},
                    CommandLine{{"list", "--help"}, 0, "Usage: binario list"},
                    CommandLine{{"extract", "--help"}, 0, "-C,--directory DIR"},
                    CommandLine{{}, 2, "A subcommand is required"},
                    CommandLine{{"unpack"}, 2, "unknown command \"unpack\""},
                    CommandLine{{"pack", "--train", "T", "-o", "x", "f"}, 2, "--route is required"},
                    CommandLine{{"pack", "--route", "R", "--train", "T", "f"}, 2, "--output"},
                    CommandLine{{"pack", "--route", "R", "--train", "T", "-o", "x"}, 2, "FILE"},
                    CommandLine{{"list"}, 2, "INSTALLER"},
                    CommandLine{{"extract", "out.exe", "--bogus"}, 2, "--bogus"}));

TEST_F(ToolTest, ExtractMakesItsFolder) {
  ASSERT_EQ(pack("out.exe").status, 0);
  RunResult result = binario({"extract", "out.exe", "-C", "new/dest"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(contents(dir_ / "new" / "dest"),
            (std::map<std::string, std::string>{{kRouteText, "route\r\n"},
                                                {kScenarioText, "scenario\r\n"}}));
}

}  // namespace
}  // namespace binario::e2e
