#include "common/replace_file.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace binario
