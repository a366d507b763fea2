// The author tool: pack's layout and refusals, list, extract, the command line.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "base/crc32.h"
#include "support.h"
#include "test_names.h"

namespace binario::e2e {
namespace {

const std::string kRoute = "ROMA TERMINI_NAPOLI";
const std::string kTrain = "R 2";
const std::string kRouteText = kRoute + "_linea.txt";
const std::string kScenarioText = kRoute + "_" + kTrain + "-.txt";

// Little-endian 32-bit length, as a record stores it.
std::string le32(uint32_t v) {
  std::string out;
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i)));
  return out;
}

uint32_t crc32_of(const std::string& bytes) {
  return crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string name_field(const std::string& name) {
  return name + std::string(100 - name.size(), '\0');
}

// A 6000 m route and a scenario with one station; `stations` replaces the station line.
const std::string kCleanRoute =
    "[generale]\r\nlunghezza percorso, 6000\r\n[linea]\r\npendenza, 0, 0\r\n[fine]\r\n";
std::string CleanScenario(const std::string& station =
                              "stazione, 1000, 2, 400, 0,0,0, 1,1,0, "
                              "4,1,1, 0, 8,0,0, ALFA\r\n") {
  return "[generale]\r\nnumero vetture, 5\r\npercentuale massa frenata, 120\r\norologio, 8 0 "
         "0\r\nvelocita, 0, 100\r\n" +
         station + "[fine]\r\n";
}

// The size column of `list`: ten places, right-aligned.
std::string size_column(const std::string& content) {
  const std::string n = std::to_string(content.size());
  return std::string(10 - n.size(), ' ') + n;
}

class ToolTest : public testing::Test {
 protected:
  ToolTest() : dir_(temp_.path()) {
    write_file(dir_ / kRouteText, "route\r\n");
    write_file(dir_ / kScenarioText, "scenario\r\n");
    write_file(dir_ / "stub", "STUB");
  }

  RunResult binario(std::vector<std::string> args) {
    args.insert(args.begin(), tool_path().string());
    return run(args, dir_);
  }

  // `binario pack` of the two texts and `extra`, with the test's stub.
  RunResult pack(const std::string& out, std::vector<std::string> extra = {}) {
    // The placeholder texts would stop the installer: packed all the same.
    std::vector<std::string> args = {"pack",    "--force", "--route",  kRoute,
                                     "--train", kTrain,    "--stub",   "stub",
                                     "-o",      out,       kRouteText, kScenarioText};
    args.insert(args.end(), extra.begin(), extra.end());
    return binario(args);
  }

  TempDir temp_;
  fs::path dir_;
};

TEST_F(ToolTest, PackLaysOutStubNamesAndRecords) {
  ASSERT_EQ(pack("out.exe").status, 0);
  const std::string package = name_field(kRoute) + name_field(kTrain) + name_field(kRouteText) +
                              le32(7) + "route\r\n" + name_field(kScenarioText) + le32(10) +
                              "scenario\r\n";
  // The seal: magic, the package's length and CRC-32, and the CRC-32 of those.
  std::string seal =
      "binseal1" + le32(static_cast<uint32_t>(package.size())) + le32(0) + le32(crc32_of(package));
  seal += le32(crc32_of(seal));
  const std::string expected = "STUB" + std::string(49975 - 4, '\0') + seal + package;
  EXPECT_EQ(read_file(dir_ / "out.exe"), expected);
  EXPECT_NE(fs::status(dir_ / "out.exe").permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST_F(ToolTest, PackStoresBaseNamesAndEmptyFiles) {
  fs::create_directory(dir_ / "sub");
  write_file(dir_ / "sub" / "vuoto.txt", "");
  ASSERT_EQ(pack("out.exe", {"sub/vuoto.txt"}).status, 0);
  const std::string installer = read_file(dir_ / "out.exe");
  EXPECT_EQ(installer.substr(installer.size() - 104), name_field("vuoto.txt") + le32(0));
}

struct Refusal {
  const char* what;
  std::vector<std::string> args;  // replace the standard pack arguments
  std::string message;            // part of the message naming the problem
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.what; }

class PackRefusalTest : public ToolTest, public testing::WithParamInterface<Refusal> {
 protected:
  PackRefusalTest() {
    write_file(dir_ / "big-stub", std::string(49999, 'S'));
    write_file(dir_ / "CON.txt", "device");
    write_file(dir_ / "a|b.txt", "pipe");
    write_file(dir_ / std::string(100, 'n'), "long name");
    write_file(dir_ / "Note.txt", "one");
    write_file(dir_ / "NOTE.TXT", "two");
    fs::create_directory(dir_ / "copia");
    write_file(dir_ / "copia" / kRouteText, "another route");
    write_file(dir_ / "IR:2_linea.txt", "");
  }
};

TEST_P(PackRefusalTest, NamesTheProblemAndWritesNothing) {
  write_file(dir_ / "out.exe", "the older installer");
  const auto before = contents(dir_);
  RunResult result = binario(GetParam().args);
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
  EXPECT_EQ(contents(dir_), before);
}

std::vector<std::string> pack_args(const std::string& route, const std::string& train,
                                   const std::string& stub, std::vector<std::string> files) {
  // The placeholder texts would stop the installer: the refusals come first.
  std::vector<std::string> args = {"pack", "--force", "--route", route, "--train",
                                   train,  "--stub",  stub,      "-o",  "out.exe"};
  args.insert(args.end(), files.begin(), files.end());
  return args;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, PackRefusalTest,
    testing::Values(
        Refusal{"stub reaching the package",
                pack_args(kRoute, kTrain, "big-stub", {kRouteText, kScenarioText}),
                "is 49999 bytes"},
        Refusal{"route name over 99 bytes",
                pack_args(std::string(100, 'R'), kTrain, "stub", {kRouteText, kScenarioText}),
                "route name \"" + std::string(100, 'R') + "\" is 100 bytes"},
        Refusal{"empty train name", pack_args(kRoute, "", "stub", {kRouteText, kScenarioText}),
                "train name is empty"},
        Refusal{"unsafe train name", pack_args("IR", "2:3", "stub", {kRouteText, kScenarioText}),
                "train name \"2:3\" contains \":\""},
        Refusal{"file named after a device",
                pack_args(kRoute, kTrain, "stub", {kRouteText, kScenarioText, "CON.txt"}),
                "\"CON.txt\" names a Windows device"},
        Refusal{"file name with a pipe",
                pack_args(kRoute, kTrain, "stub", {kRouteText, kScenarioText, "a|b.txt"}),
                "\"a|b.txt\" contains \"|\""},
        Refusal{
            "file name over 99 bytes",
            pack_args(kRoute, kTrain, "stub", {kRouteText, kScenarioText, std::string(100, 'n')}),
            "is 100 bytes"},
        Refusal{
            "two files of one name",
            pack_args(kRoute, kTrain, "stub", {kRouteText, kScenarioText, "copia/" + kRouteText}),
            "two files would be stored as \"" + kRouteText + "\""},
        Refusal{
            "two names Windows takes for one",
            pack_args(kRoute, kTrain, "stub", {kRouteText, kScenarioText, "Note.txt", "NOTE.TXT"}),
            "two files would be stored as \"NOTE.TXT\" and \"Note.txt\""},
        Refusal{"no route text", pack_args(kRoute, kTrain, "stub", {kScenarioText}),
                "do not include \"" + kRouteText + "\""},
        Refusal{"no scenario text", pack_args(kRoute, kTrain, "stub", {kRouteText}),
                "do not include \"" + kScenarioText + "\""},
        Refusal{"missing file",
                pack_args(kRoute, kTrain, "stub", {kRouteText, kScenarioText, "assente.txt"}),
                "cannot read \"assente.txt\""},
        Refusal{"missing stub", pack_args(kRoute, kTrain, "assente", {kRouteText, kScenarioText}),
                "cannot read \"assente\""},
        Refusal{"output into a missing folder",
                {"pack", "--force", "--route", kRoute, "--train", kTrain, "--stub", "stub", "-o",
                 "assente/out.exe", kRouteText, kScenarioText},
                "cannot create \"assente/out.exe\""}),
    NameFromWhat());

TEST_F(ToolTest, PackTakesTheStubBesideTheToolWindowsOneFirst) {
  // A copy of the tool in a folder of its own, with stand-in stubs beside it.
  const fs::path bin = dir_ / "bin";
  fs::create_directory(bin);
  fs::copy_file(tool_path(), bin / "binario");
  const std::vector<std::string> args = {(bin / "binario").string(),
                                         "pack",
                                         "--force",
                                         "--route",
                                         kRoute,
                                         "--train",
                                         kTrain,
                                         "-o",
                                         "out.exe",
                                         kRouteText,
                                         kScenarioText};

  RunResult none = run(args, dir_);
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("no stub beside the tool"), std::string::npos) << none.err;

  // Only the Linux stub: an installer named ".exe" is refused, one without
  // takes it, and so does one that names it.
  write_file(bin / "binario-stub",
             "\x7F"
             "ELF STUB");
  RunResult linux_only = run(args, dir_);
  EXPECT_EQ(linux_only.status, 1);
  EXPECT_NE(linux_only.err.find("only the Linux stub \"" + (bin / "binario-stub").string() +
                                "\" is installed, and \"out.exe\" is to run on Windows"),
            std::string::npos)
      << linux_only.err;
  EXPECT_FALSE(fs::exists(dir_ / "out.exe"));
  std::vector<std::string> native = args;
  native[8] = "out";
  RunResult packed_native = run(native, dir_);
  ASSERT_EQ(packed_native.status, 0) << packed_native.err;
  EXPECT_EQ(read_file(dir_ / "out").substr(0, 10), std::string("\x7F"
                                                               "ELF STUB\0",
                                                               10));
  EXPECT_NE(packed_native.err.find("pack: stub \"" + (bin / "binario-stub").string() +
                                   "\", a Linux program"),
            std::string::npos)
      << packed_native.err;
  std::vector<std::string> named = args;
  named.insert(named.begin() + 2, {"--stub", (bin / "binario-stub").string()});
  ASSERT_EQ(run(named, dir_).status, 0);
  EXPECT_EQ(read_file(dir_ / "out.exe").substr(0, 10), std::string("\x7F"
                                                                   "ELF STUB\0",
                                                                   10));

  write_file(bin / "binario-stub.exe", "MZ STUB");
  RunResult windows = run(args, dir_);
  ASSERT_EQ(windows.status, 0) << windows.err;
  EXPECT_EQ(read_file(dir_ / "out.exe").substr(0, 8), std::string("MZ STUB\0", 8));
  EXPECT_NE(windows.err.find("pack: stub \"" + (bin / "binario-stub.exe").string() +
                             "\", a Windows program"),
            std::string::npos)
      << windows.err;
}

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

TEST_F(ToolTest, PackChecksFirstAndRefusesErrorsUnlessForced) {
  write_file(dir_ / kRouteText, kCleanRoute);
  write_file(dir_ / kScenarioText,
             CleanScenario("stazione, 1025, 2, 400, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, ALFA\r\n"));
  const std::vector<std::string> args = {"pack",    "--route",  kRoute,       "--train",
                                         kTrain,    "--stub",   "stub",       "-o",
                                         "out.exe", kRouteText, kScenarioText};
  RunResult refused = binario(args);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("[code 8]"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("nothing written"), std::string::npos) << refused.err;
  EXPECT_FALSE(fs::exists(dir_ / "out.exe"));

  write_file(dir_ / kScenarioText, CleanScenario());
  RunResult packed = binario(args);
  EXPECT_EQ(packed.status, 0) << packed.err;
  EXPECT_EQ(packed.out, "out.exe: 2 files, " + std::to_string(fs::file_size(dir_ / "out.exe")) +
                            " bytes; 0 errors, 0 warnings\n");
}

TEST_F(ToolTest, PackRefusesAValueStoredOtherwiseThanWritten) {
  // The installer would not stop: it would lay a gradient of 88 per mille.
  write_file(dir_ / kRouteText,
             "[generale]\r\nlunghezza percorso, 6000\r\n[linea]\r\npendenza, "
             "0, 0\r\npendenza, 1000, 600\r\n[fine]\r\n");
  write_file(dir_ / kScenarioText, CleanScenario());
  RunResult refused = binario({"pack", "--route", kRoute, "--train", kTrain, "--stub", "stub", "-o",
                               "out.exe", kRouteText, kScenarioText});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("it would store 88 per mille"), std::string::npos) << refused.err;
  EXPECT_NE(refused.err.find("nothing written: the installer would store values otherwise than "
                             "the texts write them"),
            std::string::npos)
      << refused.err;
  EXPECT_FALSE(fs::exists(dir_ / "out.exe"));
}

TEST_F(ToolTest, PackRefusesAnOutputThatIsOneOfItsInputs) {
  write_file(dir_ / kRouteText, kCleanRoute);
  write_file(dir_ / kScenarioText, CleanScenario());
  RunResult result = binario({"pack", "--route", kRoute, "--train", kTrain, "--stub", "stub", "-o",
                              kScenarioText, kRouteText, kScenarioText});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("is one of the files to package"), std::string::npos) << result.err;
  EXPECT_EQ(read_file(dir_ / kScenarioText), CleanScenario());
}

TEST_F(ToolTest, ExtractMakesItsFolder) {
  ASSERT_EQ(pack("out.exe").status, 0);
  RunResult result = binario({"extract", "out.exe", "-C", "new/dest"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(contents(dir_ / "new" / "dest"),
            (std::map<std::string, std::string>{{kRouteText, "route\r\n"},
                                                {kScenarioText, "scenario\r\n"}}));
}

TEST_F(ToolTest, PackTakesTheStubInstalledInLibBinario) {
  // The Linux bundles' layout: the tool in bin/, the stubs in lib/binario/.
  fs::create_directories(dir_ / "usr" / "bin");
  fs::create_directories(dir_ / "usr" / "lib" / "binario");
  fs::copy_file(tool_path(), dir_ / "usr" / "bin" / "binario");
  write_file(dir_ / "usr" / "lib" / "binario" / "binario-stub", "ELF LIB");
  write_file(dir_ / "usr" / "lib" / "binario" / "binario-stub.exe", "MZ LIB");
  RunResult result = run({(dir_ / "usr" / "bin" / "binario").string(), "pack", "--force", "--route",
                          kRoute, "--train", kTrain, "-o", "out.exe", kRouteText, kScenarioText},
                         dir_);
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(read_file(dir_ / "out.exe").substr(0, 7), std::string("MZ LIB\0", 7));
}

// A folder as the only argument, as Explorer passes a folder dropped on the program.
TEST_F(ToolTest, ADroppedFolderIsCheckedThenPackedBesideItself) {
  const fs::path folder = dir_ / "mio scenario";
  fs::create_directory(folder);
  write_file(folder / kRouteText, kCleanRoute);
  std::string broken_scenario = CleanScenario();
  broken_scenario.replace(broken_scenario.find("numero vetture, 5"), 17, "numero vetture, tanta");
  write_file(folder / kScenarioText, broken_scenario);
  write_file(folder / "note.txt", "note\r\n");
  const fs::path installer = dir_ / ("installa " + kTrain + ".exe");

  RunResult broken = binario({"mio scenario"});
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find(kScenarioText + ":2:"), std::string::npos) << broken.err;
  EXPECT_NE(broken.err.find("no installer written"), std::string::npos) << broken.err;
  EXPECT_FALSE(fs::exists(installer));

  write_file(folder / kScenarioText, CleanScenario());
  // The tool as the Windows bundle lays it out, with its Windows stub beside it.
  const fs::path bin = dir_ / "bin";
  fs::create_directory(bin);
  fs::copy_file(tool_path(), bin / "binario");
  write_file(bin / "binario-stub.exe", "MZ STUB");
  RunResult dropped = run({(bin / "binario").string(), (folder / "").string()},
                          dir_);  // a trailing separator too
  ASSERT_EQ(dropped.status, 0) << dropped.err;
  EXPECT_EQ(dropped.out, installer.string() + ": 3 files, " +
                             std::to_string(fs::file_size(installer)) +
                             " bytes; 0 errors, 0 warnings\n");
  // The same installer as `pack` makes of the folder's files in name order,
  // with the stub beside the tool.
  ASSERT_EQ(binario({"pack", "--route", kRoute, "--train", kTrain, "--stub",
                     (bin / "binario-stub.exe").string(), "-o", "packed.exe",
                     "mio scenario/" + kScenarioText, "mio scenario/" + kRouteText,
                     "mio scenario/note.txt"})
                .status,
            0);
  EXPECT_EQ(read_file(installer), read_file(dir_ / "packed.exe"));
}

}  // namespace
}  // namespace binario::e2e
