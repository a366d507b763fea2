// The author tool's pack: layout, refusals, the stub it takes, the check
// before packing, and a folder dropped on the program.

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
