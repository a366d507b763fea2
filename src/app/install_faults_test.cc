// The whole run over the in-memory disk with the sample package: every disk
// operation failing in turn, the disk dying at each one, cuts of the
// installer, junk after it, and a disk that fills up. A run that ends in an
// error leaves the folder as it was.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/main_sequence.h"
#include "memory_disk.h"
#include "package/package.h"
#include "package/package_layout.h"
#include "package/package_writer.h"
#include "package/seal.h"
#include "platform/replace_file.h"
#include "run_report.h"
#include "sample_installer.h"

namespace binario {
namespace {

const std::string kFolder = "/giochi/treni";
const std::string kInstaller = kFolder + "/setup.exe";
const std::string& kRoute = kSampleRoute;
const std::string& kTrain = kSampleTrain;

// The sample installer as its bytes.
const std::string& sample_installer() {
  static const std::string image = [] {
    const Bytes bytes = sample_installer_image();
    return std::string(bytes.begin(), bytes.end());
  }();
  return image;
}

// A folder with an earlier installation in it: older compiled files, an
// older note and leftover texts, so that every file the run writes replaces one.
MemoryDisk earlier_installation(const std::string& installer) {
  MemoryDisk disk;
  disk.put(kInstaller, installer);
  for (const char* suffix : {"_linea.dat", "_linea.txt"})
    disk.put(kFolder + "/" + kRoute + suffix, "old");
  for (const char* suffix : {".sim", ".dat", "-.txt", "_note.txt"}) {
    disk.put(kFolder + "/" + kRoute + "_" + kTrain + suffix, "older version");
  }
  disk.put(kFolder + "/altro.txt", "not the installer's");
  return disk;
}

using Folder = std::map<std::string, std::string>;

// Equal folders; otherwise the names whose presence or bytes differ (the
// bytes themselves are too long to show).
testing::AssertionResult same_folder(const Folder& actual, const Folder& expected) {
  std::string differ;
  for (const auto& [name, content] : actual) {
    auto it = expected.find(name);
    if (it == expected.end())
      differ += " +" + name;
    else if (it->second != content)
      differ += " ~" + name;
  }
  for (const auto& [name, content] : expected) {
    if (actual.count(name) == 0) differ += " -" + name;
  }
  if (differ.empty()) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "folder differs:" << differ;
}

std::string run(MemoryDisk& disk) { return run_report(installa(disk, Text(kInstaller))); }

TEST(InstallFaultTest, EveryFailedDiskOperationEndsWithItsCodeAndLeavesTheFolderAsItWas) {
  MemoryDisk clean = earlier_installation(sample_installer());
  ASSERT_EQ(run(clean), "");
  const std::map<std::string, std::string> complete = clean.files;
  ASSERT_EQ(clean.temporaries(), 0u);
  const int total = clean.operations;
  ASSERT_GT(total, 20);

  std::map<std::string, int> outcomes;
  for (int k = 1; k <= total; ++k) {
    SCOPED_TRACE("failing operation " + std::to_string(k));
    MemoryDisk disk = earlier_installation(sample_installer());
    const auto before = disk.files;
    disk.fail_at = k;
    const std::string code = run(disk);
    ++outcomes[code];
    EXPECT_EQ(disk.temporaries(), 0u);
    if (code.empty()) {
      // Only a deletion that succeeds when tried again leaves a complete run.
      EXPECT_TRUE(same_folder(disk.files, complete));
    } else {
      EXPECT_TRUE(code == "1254" || code == "1255") << code;
      EXPECT_TRUE(same_folder(disk.files, before));
    }
  }
  // The installer's own read fails once; the texts' reads, writes and renames
  // are the folder's fault, never the text's.
  EXPECT_EQ(outcomes["1255"], 1);
  EXPECT_EQ(outcomes["25"], 0);
  EXPECT_GT(outcomes["1254"], 10);
}

TEST(InstallFaultTest, EachKindOfFailureGivesItsCode) {
  struct Case {
    MemoryDisk::Op op;
    int n;
    const char* code;
  };
  const Case cases[] = {
      {MemoryDisk::Op::kRead, 1, "1255"},    // the installer itself
      {MemoryDisk::Op::kRead, 2, "1254"},    // the route text, staged and not read back
      {MemoryDisk::Op::kRead, 3, "1254"},    // the scenario text
      {MemoryDisk::Op::kOpen, 1, "1254"},    // the first extracted file
      {MemoryDisk::Op::kWrite, 4, "1254"},   // an extra file
      {MemoryDisk::Op::kWrite, 8, "1254"},   // the grid file
      {MemoryDisk::Op::kRename, 1, "1254"},  // giving the commit's journal its name
      {MemoryDisk::Op::kRename, 9, "1254"},  // putting a staged file in place
      {MemoryDisk::Op::kSync, 1, "1254"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.op)) + " #" + std::to_string(c.n));
    MemoryDisk disk = earlier_installation(sample_installer());
    const auto before = disk.files;
    disk.fail_nth[c.op] = c.n;
    EXPECT_EQ(run(disk), c.code);
    EXPECT_TRUE(same_folder(disk.files, before));
  }
}

TEST(InstallFaultTest, FullDiskEndsWith1254AndLeavesTheFolderAsItWas) {
  MemoryDisk clean = earlier_installation(sample_installer());
  ASSERT_EQ(run(clean), "");
  size_t complete_size = 0;
  for (const auto& [name, content] : clean.files) complete_size += content.size();
  // Room for the installer and a few files, then for all but the last file.
  const size_t installer = sample_installer().size();
  for (size_t capacity : {installer + 20000, complete_size - 1000}) {
    SCOPED_TRACE(capacity);
    MemoryDisk disk = earlier_installation(sample_installer());
    const auto before = disk.files;
    disk.capacity = capacity;
    EXPECT_EQ(run(disk), "1254");
    EXPECT_TRUE(same_folder(disk.files, before));
  }
}

// The sample's five files, with a route of 3 km and a scenario of no
// station: the same renames as the sample's run for a fraction of its
// compiling, sealed as `binario pack` seals.
const std::string& sealed_installer() {
  static const std::string image = [] {
    const std::string texts[] = {
        "[generale]\r\nlunghezza percorso, 3000\r\n[linea]\r\npendenza, 0, 2\r\n[fine]\r\n",
        "[generale]\r\n[fine]\r\n", "Treno per Venezia.\r\n", "rallentamenti\r\n", "scheda\r\n"};
    Bytes bytes;
    EXPECT_TRUE(begin_installer(Bytes{'M', 'Z'}, kRoute, kTrain, &bytes));
    for (size_t i = 0; i < kSampleFiles.size(); ++i) {
      EXPECT_TRUE(append_record(kSampleFiles[i], reinterpret_cast<const uint8_t*>(texts[i].data()),
                                texts[i].size(), &bytes));
    }
    put_seal(&bytes);
    return std::string(bytes.begin(), bytes.end());
  }();
  return image;
}

Folder without_temporaries(const Folder& folder) {
  Folder kept;
  for (const auto& [name, content] : folder) {
    if (!is_temporary_name(name)) kept[name] = content;
  }
  return kept;
}

const std::string kJournal = kFolder + "/binario-tmp-journal";

// The disk dies at each operation of a run over an earlier installation, as
// when the process is killed or the power is cut. Without a journal the
// folder holds one whole version; with one, the next run finishes the
// commit. Either way the next run, or one after a second death, leaves a
// complete installation and no temporary file.
TEST(InstallCrashTest, ARunThatDiesAnywhereIsFinishedByTheNextOne) {
  MemoryDisk clean = earlier_installation(sealed_installer());
  ASSERT_EQ(run(clean), "");
  const Folder complete = clean.files;
  const Folder earlier = earlier_installation(sealed_installer()).files;
  const int total = clean.operations;
  int journals = 0;
  for (int k = 1; k <= total; ++k) {
    SCOPED_TRACE("dies at operation " + std::to_string(k));
    MemoryDisk disk = earlier_installation(sealed_installer());
    disk.dies_at = k;
    run(disk);
    if (disk.has(kJournal)) {
      ++journals;
    } else {
      const Folder left = without_temporaries(disk.files);
      EXPECT_TRUE(same_folder(left, earlier) || same_folder(left, complete));
    }
    // Killed again while it finishes what the first run left.
    for (int j = 1; disk.has(kJournal) && j <= 24; ++j) {
      MemoryDisk again = disk;
      again.operations = 0;
      again.dies_at = j;
      run(again);
      again.dies_at = 0;
      EXPECT_EQ(run(again), "") << "and again at " << j;
      EXPECT_TRUE(same_folder(again.files, complete)) << "and again at " << j;
    }
    disk.dies_at = 0;
    EXPECT_EQ(run(disk), "");
    EXPECT_TRUE(same_folder(disk.files, complete));
    EXPECT_EQ(disk.temporaries(), 0u);
  }
  // The commit window was hit, not only the staging before it.
  EXPECT_GT(journals, 5);
}

// Renames that keep failing: from the first set-aside on, the run puts
// everything back and says so; from the second, it cannot put the first
// back, says that the install is unfinished, and the next run completes it.
TEST(InstallCrashTest, RenamesThatKeepFailingAreUndoneOrLeftToTheNextRun) {
  MemoryDisk clean = earlier_installation(sealed_installer());
  ASSERT_EQ(run(clean), "");
  for (int from : {2, 3}) {
    SCOPED_TRACE("renames fail from #" + std::to_string(from));
    MemoryDisk disk = earlier_installation(sealed_installer());
    const Folder before = disk.files;
    disk.fail_from[MemoryDisk::Op::kRename] = from;
    const CompileResult result = installa(disk, Text(kInstaller));
    EXPECT_EQ(result.fault, Fault::kCannotWriteFile);
    EXPECT_EQ(result.unfinished, from == 3);
    EXPECT_EQ(disk.has(kJournal), from == 3);
    if (from == 2) {
      EXPECT_TRUE(same_folder(disk.files, before));
    }
    disk.fail_from.clear();
    EXPECT_EQ(run(disk), "");
    EXPECT_TRUE(same_folder(disk.files, clean.files));
  }
}

// The run holds the folder's lock from before it stages anything to its end.
TEST(InstallCrashTest, TheRunHoldsTheFolderLock) {
  struct WatchingDisk : MemoryDisk {
    bool lock_folder(const char* folder) override {
      ++locks;
      return MemoryDisk::lock_folder(folder);
    }
    Created create_new_file(const char* path, const uint8_t* data, size_t size) override {
      unlocked_writes += locked_folder.empty() ? 1 : 0;
      return MemoryDisk::create_new_file(path, data, size);
    }
    int locks = 0;
    int unlocked_writes = 0;
  };
  WatchingDisk disk;
  disk.files = earlier_installation(sealed_installer()).files;
  ASSERT_EQ(run(disk), "");
  EXPECT_EQ(disk.locks, 1);
  EXPECT_EQ(disk.unlocked_writes, 0);
  EXPECT_TRUE(disk.locked_folder.empty()) << "released at the end";
}

// Offsets at which a record begins: a cut there leaves a shorter package
// that is whole.
std::set<size_t> record_starts(const std::string& image) {
  Package package;
  Bytes bytes(image.begin(), image.end());
  EXPECT_TRUE(read_package(bytes, &package).passed());
  std::set<size_t> starts;
  for (const PackageRecord& r : package.records) starts.insert(r.offset);
  return starts;
}

// Cuts at each boundary of the sample's layout and beside it: the name
// areas, and each record's name field, length and content. (Every other
// offset is the package fuzzer's, and its replay's.)
TEST(InstallCutTest, CutsAtAndBesideEachBoundaryGive1252AndWriteNothing) {
  const std::string& image = sample_installer();
  const std::set<size_t> starts = record_starts(image);
  ASSERT_EQ(starts.size(), 5u);
  std::set<size_t> cuts = {kRouteNameOffset, kRouteNameOffset + 1, kTrainNameOffset,
                           kFirstRecordOffset - 1, image.size() - 1};
  for (size_t start : starts) {
    for (size_t from_start : {1, 99, 100, 101, 103, 104, 105}) cuts.insert(start + from_start);
    cuts.insert(start - 1);
  }
  for (size_t cut : cuts) {
    if (starts.count(cut) != 0) continue;
    MemoryDisk disk = earlier_installation(image.substr(0, cut));
    const auto before = disk.files;
    EXPECT_EQ(run(disk), "1252") << "cut at " << cut;
    EXPECT_TRUE(same_folder(disk.files, before)) << "cut at " << cut;
  }
}

// A cut exactly where a record begins is a smaller package: in a folder
// without texts it fails and writes nothing when it lacks a text, and
// installs when it carries both.
TEST(InstallCutTest, CutAtARecordStartIsASmallerPackage) {
  const std::string& image = sample_installer();
  for (size_t cut : record_starts(image)) {
    SCOPED_TRACE(cut);
    MemoryDisk disk;
    disk.put(kInstaller, image.substr(0, cut));
    const auto before = disk.files;
    const std::string code = run(disk);
    const bool both_texts = cut > kFirstRecordOffset + 2 * kRecordHeaderSize + 9309;
    if (both_texts) {
      EXPECT_EQ(code, "");
    } else {
      EXPECT_NE(code, "");
      EXPECT_TRUE(same_folder(disk.files, before));
    }
    EXPECT_EQ(disk.temporaries(), 0u);
  }
}

// Sealed, the same cut is a damaged download.
TEST(InstallCutTest, CutAtARecordStartOfASealedInstallerGives1252) {
  for (size_t cut : record_starts(sealed_installer())) {
    MemoryDisk disk = earlier_installation(sealed_installer().substr(0, cut));
    const auto before = disk.files;
    EXPECT_EQ(run(disk), "1252") << "cut at " << cut;
    EXPECT_TRUE(same_folder(disk.files, before)) << "cut at " << cut;
  }
}

TEST(InstallCutTest, JunkAfterTheLastRecordGives1252AndWritesNothing) {
  for (size_t extra = 1; extra <= 64; ++extra) {
    for (char fill : {'\0', 'x', '\xff'}) {
      MemoryDisk disk = earlier_installation(sample_installer() + std::string(extra, fill));
      const auto before = disk.files;
      ASSERT_EQ(run(disk), "1252") << extra << " bytes of " << int{fill};
      ASSERT_TRUE(same_folder(disk.files, before));
    }
  }
}

}  // namespace
}  // namespace binario
