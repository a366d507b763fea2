#include "platform/journal.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "memory_disk.h"
#include "platform/replace_file.h"
#include "platform/staged_disk.h"

namespace binario {
namespace {

const std::string kFolder = "/inst";

std::string at(const std::string& name) { return kFolder + "/" + name; }

TEST(JournalTest, EncodesAndDecodesEveryName) {
  const std::vector<JournalEntry> entries = {
      {Text("R_linea.dat"), Text("binario-tmp-7-0"), Text("binario-tmp-7-3")},
      {Text("R_T-.txt"), Text(), Text("binario-tmp-7-4")},  // only deleted
      {Text("nota \xe8.txt"), Text("binario-tmp-7-1"), Text("binario-tmp-7-5")},
  };
  Bytes bytes;
  encode_journal(entries, &bytes);
  std::vector<JournalEntry> decoded;
  ASSERT_TRUE(decode_journal(bytes, &decoded));
  EXPECT_EQ(decoded, entries);
}

TEST(JournalTest, ACutOrDamagedJournalIsRefused) {
  const std::vector<JournalEntry> entries = {
      {Text("R_linea.dat"), Text("binario-tmp-7-0"), Text("binario-tmp-7-3")}};
  Bytes bytes;
  encode_journal(entries, &bytes);
  std::vector<JournalEntry> decoded;
  for (size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_FALSE(decode_journal(Bytes(bytes.begin(), bytes.begin() + size), &decoded)) << size;
  }
  for (size_t i = 0; i < bytes.size(); ++i) {
    Bytes flipped = bytes;
    flipped[i] ^= 0x20;
    EXPECT_FALSE(decode_journal(flipped, &decoded)) << i;
  }
}

// A run that died in each state of its commit: the recovery puts every new
// file in place, lets every earlier one go, and leaves no temporary.
TEST(JournalTest, RecoveryFinishesACommitFromAnyPointOnIt) {
  const std::map<std::string, std::string> complete = {
      {at("out.dat"), "new out"}, {at("new.txt"), "new file"}, {at("keep.txt"), "kept"}};
  struct Case {
    const char* what;
    std::map<std::string, std::string> left;  // the folder as the run left it
  };
  const std::string journal = "binario-tmp-journal";
  const Case cases[] = {
      {"nothing renamed yet",
       {{at("out.dat"), "old out"},
        {at("old.txt"), "old text"},
        {at("keep.txt"), "kept"},
        {at("binario-tmp-1-0"), "new out"},
        {at("binario-tmp-1-1"), "new file"}}},
      {"the earlier files aside",
       {{at("binario-tmp-1-2"), "old out"},
        {at("binario-tmp-1-4"), "old text"},
        {at("keep.txt"), "kept"},
        {at("binario-tmp-1-0"), "new out"},
        {at("binario-tmp-1-1"), "new file"}}},
      {"one new file in place",
       {{at("binario-tmp-1-2"), "old out"},
        {at("old.txt"), "old text"},
        {at("keep.txt"), "kept"},
        {at("out.dat"), "new out"},
        {at("binario-tmp-1-1"), "new file"}}},
      {"all in place, the earlier files not yet gone",
       {{at("binario-tmp-1-2"), "old out"},
        {at("binario-tmp-1-4"), "old text"},
        {at("keep.txt"), "kept"},
        {at("out.dat"), "new out"},
        {at("new.txt"), "new file"}}},
      {"whole but for the journal",
       {{at("keep.txt"), "kept"}, {at("out.dat"), "new out"}, {at("new.txt"), "new file"}}},
  };
  const std::vector<JournalEntry> entries = {
      {Text("out.dat"), Text("binario-tmp-1-0"), Text("binario-tmp-1-2")},
      {Text("new.txt"), Text("binario-tmp-1-1"), Text("binario-tmp-1-3")},
      {Text("old.txt"), Text(), Text("binario-tmp-1-4")},
  };
  Bytes bytes;
  encode_journal(entries, &bytes);
  for (const Case& c : cases) {
    MemoryDisk disk;
    disk.files = c.left;
    disk.put(at(journal), std::string(bytes.begin(), bytes.end()));
    disk.put(at("binario-tmp-9-0"), "a temporary of another run that died");
    EXPECT_EQ(recover_folder(disk, Text(kFolder)), Recovery::kDone) << c.what;
    EXPECT_EQ(disk.files, complete) << c.what;
  }
}

TEST(JournalTest, ADamagedJournalIsKeptAndNothingIsTouched) {
  MemoryDisk disk;
  disk.put(at("binario-tmp-journal"), "not a journal");
  disk.put(at("binario-tmp-1-2"), "perhaps the only copy of an earlier file");
  const auto before = disk.files;
  EXPECT_EQ(recover_folder(disk, Text(kFolder)), Recovery::kFailed);
  EXPECT_EQ(disk.files, before);
}

// A commit whose renames keep failing moves back what it can; what it
// cannot is left with its journal, and the next recovery finishes it.
TEST(JournalTest, ACommitThatCannotBePutBackIsFinishedByTheNextRun) {
  for (int failing_from = 2; failing_from <= 6; ++failing_from) {
    SCOPED_TRACE("renames fail from #" + std::to_string(failing_from));
    MemoryDisk disk;
    disk.put(at("out.dat"), "old out");
    disk.put(at("keep.txt"), "kept");
    StagedDisk staged(disk, Text(kFolder));
    const std::string content = "new out";
    ASSERT_TRUE(replace_file(staged, Text(at("out.dat")),
                             reinterpret_cast<const uint8_t*>(content.data()), content.size()));
    ASSERT_TRUE(replace_file(staged, Text(at("new.txt")),
                             reinterpret_cast<const uint8_t*>(content.data()), content.size()));
    disk.fail_from[MemoryDisk::Op::kRename] = failing_from;
    const StagedDisk::Commit commit = staged.commit();
    if (commit == StagedDisk::Commit::kInterrupted) {
      EXPECT_TRUE(disk.has(at("binario-tmp-journal")));
    } else {
      EXPECT_FALSE(disk.has(at("binario-tmp-journal")));
    }
    disk.fail_from.clear();
    ASSERT_EQ(recover_folder(disk, Text(kFolder)), Recovery::kDone);
    EXPECT_EQ(disk.temporaries(), 0u);
    EXPECT_EQ(disk.get(at("keep.txt")), "kept");
    if (commit == StagedDisk::Commit::kUndone) {
      EXPECT_EQ(disk.get(at("out.dat")), "old out");
      EXPECT_FALSE(disk.has(at("new.txt")));
    } else {
      EXPECT_EQ(disk.get(at("out.dat")), "new out");
      EXPECT_EQ(disk.get(at("new.txt")), "new out");
    }
  }
}

}  // namespace
}  // namespace binario
