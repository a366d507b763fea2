// The real installer against what a shared folder can hold: a second copy
// started at the same moment, links planted at the names it writes, a disk
// that fills up, and cut or padded downloads.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

extern char** environ;

namespace binario::e2e {
namespace {

using namespace sample;

const std::string kNote = kRoute + "_" + kTrain + "_note.txt";

// The sample package's files, from examples/.
Files sample_files() {
  Files files;
  for (const std::string& name :
       {kRouteText, kScenarioText, kNote, kRoute + "_" + kTrain + "_rallentamenti.txt",
        kRoute + "_" + kTrain + "_scheda_treno.txt"}) {
    files.emplace_back(name, read_file(fs::path(BINARIO_EXAMPLES_DIR) / name));
  }
  return files;
}

bool has_temporary(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind("binario-tmp-", 0) == 0) return true;
  }
  return false;
}

class FileSafetyTest : public testing::Test {
 protected:
  FileSafetyTest() : folder_(temp_.path() / "Simulatore Treni"), outside_(temp_.path() / "fuori") {
    fs::create_directories(folder_);
    fs::create_directories(outside_);
  }

  std::string pack(const Files& files) {
    const fs::path sources = temp_.path() / "sorgenti";
    fs::create_directories(sources);
    std::vector<std::string> argv = pack_command(temp_.path() / "packed.exe");
    for (const auto& [name, content] : files) {
      write_file(sources / name, content);
      argv.push_back((sources / name).string());
    }
    RunResult packed = run(argv, temp_.path());
    EXPECT_EQ(packed.status, 0) << packed.err;
    return read_file(temp_.path() / "packed.exe");
  }

  void place(const fs::path& folder, const std::string& installer) {
    write_file(folder / "setup.exe", installer);
    fs::permissions(folder / "setup.exe", fs::perms::owner_all);
  }

  RunResult install(const fs::path& folder) {
    return run({(folder / "setup.exe").string()}, outside_);
  }

  TempDir temp_;
  fs::path folder_;
  fs::path outside_;
};

// Starts the installer twice, back to back, and waits for both.
std::pair<int, int> install_twice_at_once(const fs::path& installer) {
  const std::string path = installer.string();
  char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
  pid_t first = 0;
  pid_t second = 0;
  const bool started = posix_spawn(&first, argv[0], &quiet, nullptr, argv, environ) == 0 &&
                       posix_spawn(&second, argv[0], &quiet, nullptr, argv, environ) == 0;
  posix_spawn_file_actions_destroy(&quiet);
  EXPECT_TRUE(started);
  int a = 0;
  int b = 0;
  ::waitpid(first, &a, 0);
  ::waitpid(second, &b, 0);
  auto status = [](int s) { return WIFEXITED(s) ? WEXITSTATUS(s) : -1; };
  return {status(a), status(b)};
}

TEST_F(FileSafetyTest, TwoCopiesStartedAtOnceBothSucceed) {
  const std::string installer = pack(sample_files());
  place(folder_, installer);
  ASSERT_EQ(install(folder_).status, 0);
  const auto complete = contents(folder_);
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE(round);
    // Every other round starts from a folder holding only the installer.
    if (round % 2 == 1) {
      fs::remove_all(folder_);
      fs::create_directories(folder_);
      place(folder_, installer);
    }
    const auto [a, b] = install_twice_at_once(folder_ / "setup.exe");
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(contents(folder_), complete);
  }
}

// Links at the names the run writes are replaced; the files they point at
// outside the folder are never written.
TEST_F(FileSafetyTest, LinksAtTheFinalNamesAreReplacedNeverWrittenThrough) {
  const std::string installer = pack(sample_files());
  place(folder_, installer);
  std::vector<std::string> names = kCompiledFiles;
  names.push_back(kNote);
  names.push_back(kRouteText);
  // Links at the final names, and at names a temporary could be given by
  // adding a fixed ending to them.
  for (const std::string& name : names) {
    for (const std::string& at : {name, name + ".binario-tmp", name + ".tmp"}) {
      write_file(outside_ / at, "outside, not the installer's");
      fs::create_symlink(outside_ / at, folder_ / at);
    }
  }
  ASSERT_EQ(install(folder_).status, 0);
  for (const std::string& name : names) {
    for (const std::string& at : {name, name + ".binario-tmp", name + ".tmp"}) {
      EXPECT_EQ(read_file(outside_ / at), "outside, not the installer's") << at;
    }
    if (name == kRouteText) {
      EXPECT_FALSE(fs::exists(fs::symlink_status(folder_ / name))) << name;
    } else {
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder_ / name))) << name;
    }
  }
  EXPECT_EQ(read_file(folder_ / kNote), read_file(fs::path(BINARIO_EXAMPLES_DIR) / kNote));
}

// A run that fails at the last name of its commit (a folder stands where the
// grid file goes) puts back every entry it moved aside: links, and dangling
// links, as links.
TEST_F(FileSafetyTest, AFailedCommitPutsLinksBackAsLinks) {
  place(folder_, pack(sample_files()));
  write_file(outside_ / "target", "outside");
  fs::create_symlink(outside_ / "target", folder_ / kCompiledFiles[0]);
  fs::create_symlink(outside_ / "gone", folder_ / kCompiledFiles[1]);
  fs::create_directories(folder_ / kCompiledFiles[2]);
  RunResult result = install(folder_);
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Errore n. 1254"), std::string::npos) << result.err;
  EXPECT_EQ(fs::read_symlink(folder_ / kCompiledFiles[0]), outside_ / "target");
  EXPECT_EQ(fs::read_symlink(folder_ / kCompiledFiles[1]), outside_ / "gone");
  EXPECT_EQ(read_file(outside_ / "target"), "outside");
  EXPECT_FALSE(fs::exists(folder_ / kNote));
  EXPECT_FALSE(has_temporary(folder_));
}

// A small tmpfs that holds the installer but not what it unpacks. Needs the
// right to mount; skipped with a message where the machine does not give it.
TEST_F(FileSafetyTest, FullDiskGives1254AndLeavesTheFolderAsItWas) {
  Files files = sample_files();
  std::string long_content;
  for (int i = 0; i < 120000; ++i) long_content += static_cast<char>((i * 7919) >> 3);
  files.emplace_back("lungo.bin", long_content);
  const std::string installer = pack(files);

  const fs::path small = temp_.path() / "piccolo";
  fs::create_directories(small);
  if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                 << "); the in-memory disk tests cover a full disk";
  }
  struct Unmount {
    const fs::path& at;
    ~Unmount() { ::umount(at.c_str()); }
  } unmount{small};
  place(small, installer);
  write_file(small / kCompiledFiles[1], "older station file");
  const auto before = contents(small);
  RunResult result = install(small);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Attendere\n Errore n. 1254\n" + kWayForward.at("1254"));
  EXPECT_EQ(contents(small), before);
  EXPECT_FALSE(has_temporary(small));
}

// A handful of damaged downloads through the real stub: cut inside a record
// or a name area, or with bytes after the last record.
TEST_F(FileSafetyTest, CutOrPaddedInstallerGives1252AndWritesNothing) {
  const std::string installer = pack(sample_files());
  const std::vector<std::string> damaged = {
      installer.substr(0, 49999),       installer.substr(0, 50198),
      installer.substr(0, 60000),       installer.substr(0, installer.size() - 1),
      installer + std::string(1, '\0'), installer + std::string(64, 'x')};
  for (const std::string& image : damaged) {
    SCOPED_TRACE(image.size());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    place(folder_, image);
    const auto before = contents(folder_);
    RunResult result = install(folder_);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Attendere\n Errore n. 1252\n" + kWayForward.at("1252"));
    EXPECT_EQ(contents(folder_), before);
  }
}

}  // namespace
}  // namespace binario::e2e
