#include "package/extraction.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "memory_disk.h"
#include "package/package_writer.h"

namespace binario {
namespace {

using Files = std::vector<std::pair<std::string, std::string>>;

class ExtractionTest : public testing::Test {
 protected:
  // Builds, reads and checks a package of `files`.
  void pack(const Files& files) {
    ASSERT_TRUE(begin_installer(Bytes(), "ROUTE A_B", "IR 1", &image_));
    for (const auto& [name, content] : files) {
      ASSERT_TRUE(append_record(name, reinterpret_cast<const uint8_t*>(content.data()),
                                content.size(), &image_));
    }
    ASSERT_TRUE(read_package(image_, &package_).passed());
  }

  Bytes image_;
  Package package_;
  const Text folder_ = Text("/inst");
  MemoryDisk disk_;
};

TEST_F(ExtractionTest, WritesEveryRecordWholeIntoTheFolder) {
  disk_.put("/inst/b.txt", "an older and much longer content");
  disk_.put("/inst/other.txt", "not in the package");
  pack({{"a.txt", std::string("x\0\r\n\xff", 5)}, {"b.txt", "new"}, {"empty", ""}});
  ASSERT_TRUE(sc_recupera_file(package_, folder_, disk_));
  EXPECT_EQ(disk_.files,
            (std::map<std::string, std::string>{{"/inst/a.txt", std::string("x\0\r\n\xff", 5)},
                                                {"/inst/b.txt", "new"},
                                                {"/inst/empty", ""},
                                                {"/inst/other.txt", "not in the package"}}));
}

TEST_F(ExtractionTest, LaterRecordOfTheSameNameWins) {
  pack({{"a.txt", "first, longer"}, {"a.txt", "second"}});
  ASSERT_TRUE(sc_recupera_file(package_, folder_, disk_));
  EXPECT_EQ(disk_.get("/inst/a.txt"), "second");
  EXPECT_EQ(disk_.files.size(), 1u);
}

TEST_F(ExtractionTest, FileThatCannotBeWrittenStopsExtractionAndKeepsItsOldContent) {
  disk_.put("/inst/b.txt", "old b");
  disk_.fail_nth[MemoryDisk::Op::kWrite] = 2;  // b.txt
  pack({{"a.txt", "new a"}, {"b.txt", "new b"}, {"c.txt", "new c"}});
  size_t failed = 0;
  EXPECT_FALSE(sc_recupera_file(package_, folder_, disk_, &failed));
  EXPECT_EQ(failed, 1u);
  EXPECT_EQ(disk_.files, (std::map<std::string, std::string>{{"/inst/a.txt", "new a"},
                                                             {"/inst/b.txt", "old b"}}));
}

TEST_F(ExtractionTest, FailedRenameLeavesNoTemporary) {
  disk_.put("/inst/a.txt", "old a");
  disk_.failing_renames.insert("/inst/a.txt");
  pack({{"a.txt", "new a"}});
  EXPECT_FALSE(sc_recupera_file(package_, folder_, disk_));
  EXPECT_EQ(disk_.files, (std::map<std::string, std::string>{{"/inst/a.txt", "old a"}}));
}

}  // namespace
}  // namespace binario
