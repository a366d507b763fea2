#include "platform/staged_disk.h"

#include <gtest/gtest.h>

#include "memory_disk.h"
#include "platform/replace_file.h"

namespace binario {
namespace {

const std::string kFolder = "/inst";
const std::string kText = "/inst/R_linea.txt";
const std::string kOutput = "/inst/R_linea.dat";

class StagedDiskTest : public testing::Test {
 protected:
  StagedDiskTest() {
    disk.put(kOutput, "older output");
    disk.put(kText, "older text");
    disk.put("/inst/other", "untouched");
  }
  bool write(const std::string& path, const std::string& content) {
    return replace_file(staged, Text(path), reinterpret_cast<const uint8_t*>(content.data()),
                        content.size());
  }
  std::string read(const std::string& path) {
    Bytes bytes;
    EXPECT_TRUE(staged.read_file(path.c_str(), &bytes)) << path;
    return std::string(bytes.begin(), bytes.end());
  }

  MemoryDisk disk;
  StagedDisk staged{disk, Text(kFolder)};
};

TEST_F(StagedDiskTest, TheRunSeesItsOwnFilesAndTheFolderNothingUntilTheCommit) {
  const auto before = disk.files;
  ASSERT_TRUE(write(kText, "new text"));
  ASSERT_TRUE(write(kText, "newer text"));  // a later record of the same name
  ASSERT_TRUE(write(kOutput, "new output"));
  EXPECT_EQ(read(kText), "newer text");
  ASSERT_TRUE(staged.remove_file(kText.c_str()));
  EXPECT_FALSE(staged.file_exists(kText.c_str()));
  EXPECT_FALSE(staged.remove_file(kText.c_str()));
  // Under the final names nothing has changed; one temporary holds the output.
  for (const auto& [name, content] : before) EXPECT_EQ(disk.get(name), content) << name;
  EXPECT_EQ(disk.temporaries(), 1u);

  ASSERT_EQ(staged.commit(), StagedDisk::Commit::kDone);
  EXPECT_EQ(disk.files, (std::map<std::string, std::string>{{kOutput, "new output"},
                                                            {"/inst/other", "untouched"}}));
}

TEST_F(StagedDiskTest, RollBackLeavesTheFolderAsItWas) {
  const auto before = disk.files;
  ASSERT_TRUE(write(kOutput, "new output"));
  ASSERT_TRUE(write("/inst/new.txt", "new"));
  ASSERT_TRUE(staged.remove_file(kText.c_str()));
  staged.roll_back();
  EXPECT_EQ(disk.files, before);
}

// Any one rename, deletion or flush of the commit failing puts every earlier
// file back and leaves no temporary.
TEST_F(StagedDiskTest, FailedCommitPutsEverythingBack) {
  for (MemoryDisk::Op op : {MemoryDisk::Op::kRename, MemoryDisk::Op::kSync}) {
    for (int n = 1; n <= 5; ++n) {
      SCOPED_TRACE(std::to_string(static_cast<int>(op)) + " #" + std::to_string(n));
      MemoryDisk d;
      d.put(kOutput, "older output");
      d.put(kText, "older text");
      const auto before = d.files;
      StagedDisk s(d, Text(kFolder));
      const std::string content = "new";
      for (const std::string& path : {kOutput, std::string("/inst/new.txt")}) {
        ASSERT_TRUE(replace_file(s, Text(path), reinterpret_cast<const uint8_t*>(content.data()),
                                 content.size()));
      }
      ASSERT_TRUE(s.remove_file(kText.c_str()));
      d.fail_nth[op] = n;
      // One failure is put right by trying again: never left unfinished.
      const StagedDisk::Commit commit = s.commit();
      ASSERT_NE(commit, StagedDisk::Commit::kInterrupted);
      if (commit == StagedDisk::Commit::kDone) {
        EXPECT_EQ(d.get(kOutput), "new");
        EXPECT_FALSE(d.has(kText));
      } else {
        EXPECT_EQ(d.files, before);
      }
      EXPECT_EQ(d.temporaries(), 0u);
    }
  }
}

}  // namespace
}  // namespace binario
