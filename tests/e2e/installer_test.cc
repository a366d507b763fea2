// The real installer, packed by the real tool, run in temporary folders.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/coding.h"
#include "package/package_layout.h"
#include "support.h"
#include "test_names.h"

namespace binario::e2e {
namespace {

using namespace sample;

const std::string kWaitLine = "Attendere\n";

// A route text and a scenario text that compile: a run with them goes to its
// end, deletes them and leaves the three compiled files.
const std::string kRouteSource = "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n";
const std::string kScenarioSource = "[generale]\r\n[fine]\r\n";

std::string all_byte_values() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  return bytes;
}

// A scenario's worth of files, with the names and contents that are easy to
// get wrong: a name of 99 bytes, name bytes above 127, blanks and
// underscores, an empty file, every byte value, and a content far longer than
// any buffer.
Files sample_files() {
  std::string long_content;
  for (int i = 0; i < 40000; ++i) long_content += static_cast<char>((i * 7919) >> 3);
  return {
      {kRouteText, kRouteSource},
      {kScenarioText, kScenarioSource},
      {kRoute + "_" + kTrain + "_note.txt", "Treno per Venezia.\r\nCitt\xe0 d'arrivo\r\n"},
      {std::string(95, 'n') + ".txt", "a name of 99 bytes"},
      {"orario \xe8\xff_treno.txt", all_byte_values()},
      {"vuoto.txt", ""},
      {"lungo.bin", long_content},
  };
}

// Where each record of `installer` begins.
std::vector<size_t> record_offsets(const std::string& installer) {
  std::vector<size_t> offsets;
  size_t offset = kFirstRecordOffset;
  while (offset + kRecordHeaderSize <= installer.size()) {
    offsets.push_back(offset);
    const auto* length = reinterpret_cast<const uint8_t*>(&installer[offset + kRecordLengthOffset]);
    offset += kRecordHeaderSize + static_cast<size_t>(decode_i32(length));
  }
  return offsets;
}

// Overwrites the name field at `offset` with `name` and NULs.
void put_name(std::string* installer, size_t offset, const std::string& name) {
  std::string field(kNameFieldSize, '\0');
  field.replace(0, name.size(), name);
  installer->replace(offset, kNameFieldSize, field);
}

class InstallerTest : public testing::Test {
 protected:
  InstallerTest()
      : sources_(temp_.path() / "sorgenti"),
        folder_(temp_.path() / "Simulatore Treni"),
        elsewhere_(temp_.path() / "altrove") {
    fs::create_directories(sources_);
    fs::create_directories(folder_);
    fs::create_directories(elsewhere_);
  }

  // An installer made by `binario pack` from `files`, as its bytes.
  std::string pack(const Files& files) {
    std::vector<std::string> argv = pack_command("setup.exe", /*force=*/true);
    for (const auto& [name, content] : files) {
      write_file(sources_ / name, content);
      argv.push_back((sources_ / name).string());
    }
    RunResult packed = run(argv, temp_.path());
    EXPECT_EQ(packed.status, 0) << packed.err;
    std::string installer = read_file(temp_.path() / "setup.exe");
    fs::remove(temp_.path() / "setup.exe");
    return installer;
  }

  // Puts `installer` into the folder as `name`.
  void place(const std::string& installer, const std::string& name = "setup.exe") {
    write_file(folder_ / name, installer);
    fs::permissions(folder_ / name, fs::perms::owner_all);
  }

  // Puts `installer` into the folder as `name` and runs it from another
  // working directory.
  RunResult install(const std::string& installer, const std::string& name = "setup.exe") {
    place(installer, name);
    return run({(folder_ / name).string()}, elsewhere_);
  }

  // After a complete run the folder holds `extra`, every packaged file but
  // the two compiled texts, byte for byte, and the three compiled files
  // (whose bytes the compilers' own tests pin down).
  void expect_complete_run(const Files& files, std::map<std::string, std::string> extra) {
    std::map<std::string, std::string> actual = contents(folder_);
    for (const std::string& name : kCompiledFiles) {
      EXPECT_EQ(actual.count(name), 1u) << name << " was not written";
      actual.erase(name);
    }
    for (const auto& [name, content] : files) {
      if (name != kRouteText && name != kScenarioText) extra[name] = content;
    }
    EXPECT_EQ(actual, extra);
  }

  TempDir temp_;
  fs::path sources_;
  fs::path folder_;
  fs::path elsewhere_;
};

TEST_F(InstallerTest, WritesEveryRecordByteForByte) {
  const Files files = sample_files();
  const std::string installer = pack(files);
  RunResult result = install(installer);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, kWaitLine);
  EXPECT_EQ(result.out, "");
  expect_complete_run(files, {{"setup.exe", installer}});
  EXPECT_TRUE(contents(elsewhere_).empty());
}

TEST_F(InstallerTest, OlderLongerFilesAreReplacedWholeAndOthersKept) {
  const Files files = {
      {kRouteText, kRouteSource}, {kScenarioText, kScenarioSource}, {"note.txt", "new"}};
  const std::string installer = pack(files);
  // Older, longer texts compile only if nothing of them is left behind.
  write_file(folder_ / kRouteText, kRouteSource + std::string(5000, 'o'));
  write_file(folder_ / kScenarioText, kScenarioSource + "stazione, 0, 2, 900\r\n[fine]\r\n");
  write_file(folder_ / "note.txt", "an older note, longer than the new one");
  write_file(folder_ / kCompiledFiles[1], std::string(100000, 'x'));
  write_file(folder_ / "altro.txt", "not in the package");
  RunResult result = install(installer);
  EXPECT_EQ(result.status, 0) << result.err;
  expect_complete_run(files, {{"setup.exe", installer}, {"altro.txt", "not in the package"}});
  // 87 empty station records but for the names and header values: far below the old size.
  EXPECT_LT(read_file(folder_ / kCompiledFiles[1]).size(), 4000u);
}

TEST_F(InstallerTest, PackageWithoutRecordsWritesNothing) {
  std::string installer = pack({{kRouteText, "r"}, {kScenarioText, "s"}});
  installer.resize(kFirstRecordOffset);
  reseal(&installer);
  RunResult result = install(installer);
  // Nothing to compile: the missing route text is reported.
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, kWaitLine + " Errore n. 101\n");
  EXPECT_EQ(contents(folder_), (std::map<std::string, std::string>{{"setup.exe", installer}}));
}

TEST_F(InstallerTest, LaterRecordOfTheSameNameWins) {
  // The tool refuses duplicate names, so the second name is patched in.
  std::string installer = pack({{kRouteText, kRouteSource},
                                {kScenarioText, kScenarioSource},
                                {"doppio.txt", "first content, the longer one"},
                                {"doppio-2.txt", "second content"}});
  put_name(&installer, record_offsets(installer).at(3), "doppio.txt");
  reseal(&installer);
  RunResult result = install(installer);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(read_file(folder_ / "doppio.txt"), "second content");
  EXPECT_FALSE(fs::exists(folder_ / "doppio-2.txt"));
}

TEST_F(InstallerTest, RenamedInstallerStillFindsItself) {
  const Files files = {{kRouteText, kRouteSource}, {kScenarioText, kScenarioSource}};
  const std::string installer = pack(files);
  RunResult result = install(installer, "IR2230 Bologna-Venezia.scenario");
  EXPECT_EQ(result.status, 0) << result.err;
  expect_complete_run(files, {{"IR2230 Bologna-Venezia.scenario", installer}});
}

TEST_F(InstallerTest, WorkingDirectoryPlaysNoPart) {
  const Files files = {{kRouteText, kRouteSource}, {kScenarioText, kScenarioSource}};
  const std::string installer = pack(files);
  // A decoy installer and a decoy text in the working directory.
  write_file(elsewhere_ / "setup.exe", "not an installer");
  write_file(elsewhere_ / kRouteText, "decoy");
  const auto elsewhere_before = contents(elsewhere_);
  place(installer);
  RunResult result = run({"../Simulatore Treni/setup.exe"}, elsewhere_);
  EXPECT_EQ(result.status, 0) << result.err;
  expect_complete_run(files, {{"setup.exe", installer}});
  EXPECT_EQ(contents(elsewhere_), elsewhere_before);
}

// A packed installer spoiled on purpose, and the code it must stop with.
struct Spoiled {
  const char* what;
  std::function<void(std::string*)> spoil;
  const char* code;
  // Sealed again after the change, as a package crafted so would be: the
  // layout and name checks then refuse it on their own.
  bool resealed = false;
};

void PrintTo(const Spoiled& c, std::ostream* os) { *os << c.what; }

class SpoiledInstallerTest : public InstallerTest, public testing::WithParamInterface<Spoiled> {};

TEST_P(SpoiledInstallerTest, StopsWithItsCodeAndWritesNothing) {
  std::string installer =
      pack({{kRouteText, "route text"}, {kScenarioText, "scenario text"}, {"note.txt", "note"}});
  GetParam().spoil(&installer);
  if (GetParam().resealed) reseal(&installer);
  write_file(folder_ / kScenarioText, "older scenario");
  place(installer);
  // Everything around the installer too: an escaping name must not land.
  const auto before = contents(temp_.path());

  RunResult result = run({(folder_ / "setup.exe").string()}, elsewhere_);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            kWaitLine + " Errore n. " + GetParam().code + "\n" + kWayForward.at(GetParam().code));
  EXPECT_EQ(contents(temp_.path()), before);
}

// Offsets of the three records of the spoiled installers.
size_t record(const std::string& installer, size_t index) {
  return record_offsets(installer).at(index);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SpoiledInstallerTest,
    testing::Values(
        Spoiled{"download cut inside the last record",
                [](std::string* p) { p->resize(p->size() - 2); }, "1252"},
        Spoiled{"download cut before the records",
                [](std::string* p) { p->resize(kFirstRecordOffset - 1); }, "1252"},
        Spoiled{"stray bytes after the last record", [](std::string* p) { p->append("xyz"); },
                "1252"},
        Spoiled{"negative length",
                [](std::string* p) {
                  std::memset(&(*p)[record(*p, 1) + kRecordLengthOffset], 0xff, 4);
                },
                "1252", true},
        Spoiled{"record name without NUL",
                [](std::string* p) { put_name(p, record(*p, 2), std::string(100, 'n')); }, "1252",
                true},
        Spoiled{"empty record name", [](std::string* p) { put_name(p, record(*p, 2), ""); }, "1252",
                true},
        Spoiled{"route name area without NUL",
                [](std::string* p) { put_name(p, kRouteNameOffset, std::string(100, 'R')); },
                "1252", true},
        Spoiled{"record escaping the folder",
                [](std::string* p) { put_name(p, record(*p, 2), "../escaped.txt"); }, "1253", true},
        Spoiled{"record with a Windows path",
                [](std::string* p) { put_name(p, record(*p, 2), "..\\..\\windows\\x.txt"); },
                "1253", true},
        Spoiled{"record named after a device",
                [](std::string* p) { put_name(p, record(*p, 2), "nul.txt"); }, "1253", true},
        Spoiled{"record named as the installer's journal",
                [](std::string* p) { put_name(p, record(*p, 2), "binario-tmp-journal"); }, "1253",
                true},
        Spoiled{"route name with a separator",
                [](std::string* p) { put_name(p, kRouteNameOffset, "../BOLOGNA"); }, "1253", true},
        // Damage in transfer: the seal refuses it.
        Spoiled{"one bit flipped in a note's content",
                [](std::string* p) { (*p)[record(*p, 2) + kRecordHeaderSize] ^= 0x04; }, "1252"},
        Spoiled{"a well-formed record appended",
                [](std::string* p) {
                  p->resize(p->size() + kNameFieldSize);
                  put_name(p, p->size() - kNameFieldSize, "extra.txt");
                  p->append(std::string("\x01\0\0\0x", 5));
                },
                "1252"},
        Spoiled{"seal damaged", [](std::string* p) { (*p)[kRouteNameOffset - 3] ^= 0x10; }, "1252"},
        Spoiled{"damaged and unsafe",
                [](std::string* p) {
                  put_name(p, record(*p, 2), "../escaped.txt");
                  p->resize(p->size() - 1);
                },
                "1252"}),
    NameFromWhat());

TEST_F(InstallerTest, FileThatCannotBeWrittenGives1254AndKeepsWhatWasThere) {
  const std::string installer =
      pack({{kRouteText, kRouteSource}, {kScenarioText, kScenarioSource}, {"note.txt", "note"}});
  // A folder stands where the note should go: the run compiles, and then
  // cannot put the note in place.
  fs::create_directory(folder_ / "note.txt");
  write_file(folder_ / "note.txt" / "inside.txt", "kept");
  write_file(folder_ / kCompiledFiles[1], "older station file");
  write_file(folder_ / kScenarioText, "older scenario");
  place(installer);
  const auto before = contents(folder_);
  RunResult result = run({(folder_ / "setup.exe").string()}, elsewhere_);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, kWaitLine + " Errore n. 1254\n" + kWayForward.at("1254"));
  // Also no temporary file: the folder holds exactly what it held.
  EXPECT_EQ(contents(folder_), before);
}

TEST_F(InstallerTest, OwnFileThatCannotBeReadGives1255) {
  const std::string installer = pack({{kRouteText, "r"}, {kScenarioText, "s"}});
  RunResult result = run_from_memory(installer, elsewhere_);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, kWaitLine + " Errore n. 1255\n" + kWayForward.at("1255"));
  EXPECT_TRUE(contents(elsewhere_).empty());
}

}  // namespace
}  // namespace binario::e2e
