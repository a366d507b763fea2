#include "platform/replace_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "memory_disk.h"

namespace binario {
namespace {

const std::string kTarget = "/inst/route_linea.dat";

TEST(ReplaceFileTest, OlderLongerFileIsReplacedWhole) {
  MemoryDisk disk;
  disk.put(kTarget, "an older and much longer content");
  Bytes fresh = {'n', 'e', 'w'};
  ASSERT_TRUE(replace_file(disk, Text(kTarget), fresh));
  EXPECT_EQ(disk.get(kTarget), "new");
  EXPECT_EQ(disk.files.size(), 1u);
}

TEST(ReplaceFileTest, EmptyContentGivesEmptyFile) {
  MemoryDisk disk;
  ASSERT_TRUE(replace_file(disk, Text(kTarget), Bytes{}));
  ASSERT_TRUE(disk.has(kTarget));
  EXPECT_EQ(disk.get(kTarget), "");
}

TEST(ReplaceFileTest, FailedWriteKeepsOldFileAndLeavesNoTemporary) {
  MemoryDisk disk;
  disk.put(kTarget, "old");
  disk.fail_nth[MemoryDisk::Op::kWrite] = 1;
  EXPECT_FALSE(replace_file(disk, Text(kTarget), Bytes{'n', 'e', 'w', '!'}));
  EXPECT_EQ(disk.get(kTarget), "old");
  EXPECT_EQ(disk.files.size(), 1u);
}

TEST(ReplaceFileTest, FailedRenameKeepsOldFileAndLeavesNoTemporary) {
  MemoryDisk disk;
  disk.put(kTarget, "old");
  disk.failing_renames.insert(kTarget);
  EXPECT_FALSE(replace_file(disk, Text(kTarget), Bytes{'n', 'e', 'w'}));
  EXPECT_EQ(disk.get(kTarget), "old");
  EXPECT_EQ(disk.files.size(), 1u);
}

// The author tool names the step that failed: each failure is told apart,
// and none leaves a temporary file or touches the old file.
TEST(ReplaceFileTest, TheStepThatFailedIsTold) {
  struct Case {
    const char* what;
    MemoryDisk::Op op;
    Replaced told;
  };
  const Case cases[] = {
      {"create", MemoryDisk::Op::kOpen, Replaced::kNotCreated},
      {"write", MemoryDisk::Op::kWrite, Replaced::kNotCreated},
      {"rename", MemoryDisk::Op::kRename, Replaced::kNotRenamed},
      {"flush the folder", MemoryDisk::Op::kSync, Replaced::kNotFlushed},
  };
  for (const Case& c : cases) {
    MemoryDisk disk;
    disk.put(kTarget, "old");
    disk.fail_from[c.op] = 1;
    EXPECT_EQ(replace_file_step(disk, Text(kTarget), Bytes{'n', 'e', 'w'}), c.told) << c.what;
    EXPECT_EQ(disk.get(kTarget), c.told == Replaced::kNotFlushed ? "new" : "old") << c.what;
    EXPECT_EQ(disk.files.size(), 1u) << c.what;
  }
  MemoryDisk disk;
  EXPECT_EQ(replace_file_step(disk, Text(kTarget), Bytes{'n'}), Replaced::kDone);
  EXPECT_EQ(disk.get(kTarget), "n");
}

TEST(ReplaceFileTest, TakenTemporaryNamesArePassedOverAndAFewTriesAtMost) {
  MemoryDisk disk;
  const std::string last = next_temporary_name("/inst").c_str();
  const std::string stem = last.substr(0, last.rfind('-') + 1);
  const int next = std::stoi(last.substr(last.rfind('-') + 1)) + 1;
  for (int i = 0; i < 5; ++i) disk.put(stem + std::to_string(next + i), "taken");
  ASSERT_TRUE(replace_file(disk, Text(kTarget), Bytes{'n'}));
  EXPECT_EQ(disk.get(kTarget), "n");
  EXPECT_EQ(disk.files.size(), 6u);
  // Every name taken: the write fails and leaves nothing of its own.
  for (int i = 0; i < 100; ++i) disk.put(stem + std::to_string(next + 6 + i), "taken");
  EXPECT_FALSE(replace_file(disk, Text(kTarget), Bytes{'m'}));
  EXPECT_EQ(disk.get(kTarget), "n");
  EXPECT_EQ(disk.files.size(), 106u);
}

namespace fs = std::filesystem;

std::string read_all(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// On the real disk: links planted at the target and at the next temporary
// names, all pointing outside the folder. The files they point at keep
// their bytes, and the target ends as a regular file.
TEST(ReplaceFileTest, PlantedLinksAreNeverWrittenThrough) {
  const fs::path root = fs::temp_directory_path() / ("binario-links-" + std::to_string(::getpid()));
  const fs::path folder = root / "cartella";
  const fs::path outside = root / "fuori";
  fs::create_directories(folder);
  fs::create_directories(outside);
  auto plant = [&](const fs::path& at, const std::string& name) {
    std::ofstream(outside / name, std::ios::binary) << "outside";
    fs::create_symlink(outside / name, at);
  };
  const std::string last = next_temporary_name(folder.string()).c_str();
  const std::string stem = last.substr(0, last.rfind('-') + 1);
  const int next = std::stoi(last.substr(last.rfind('-') + 1)) + 1;
  for (int i = 0; i < 3; ++i) {
    std::string content = "t";
    content += std::to_string(i);
    plant(stem + std::to_string(next + i), content);
  }
  plant(folder / "R_T.sim", "target");

  ASSERT_TRUE(replace_file(real_disk(), Text((folder / "R_T.sim").string()), Bytes{'n', 'e', 'w'}));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder / "R_T.sim")));
  EXPECT_EQ(read_all(folder / "R_T.sim"), "new");
  for (const char* name : {"t0", "t1", "t2", "target"}) {
    EXPECT_EQ(read_all(outside / name), "outside") << name;
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace binario
