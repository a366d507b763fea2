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

Text journal_of(const std::vector<JournalEntry>& entries) {
  Text journal;
  for (const JournalEntry& e : entries) add_journal_entry(e, &journal);
  end_journal(&journal);
  return journal;
}

TEST(JournalTest, GivesBackEveryNameInOrder) {
  const std::vector<JournalEntry> entries = {
      {"R_linea.dat", "binario-tmp-7-0", "binario-tmp-7-3"},
      {"R_T-.txt", "", "binario-tmp-7-4"},  // only deleted
      {"nota \xe8.txt", "binario-tmp-7-1", "binario-tmp-7-5"},
  };
  const Text journal = journal_of(entries);
  ASSERT_TRUE(journal_is_whole(journal));
  JournalEntry e;
  size_t at = 0;
  for (const JournalEntry& expected : entries) {
    ASSERT_TRUE(next_journal_entry(journal, &at, &e));
    EXPECT_EQ(e.final_name, expected.final_name);
    EXPECT_EQ(e.temporary, expected.temporary);
    EXPECT_EQ(e.backup, expected.backup);
  }
  EXPECT_FALSE(next_journal_entry(journal, &at, &e));
  // A commit with nothing to rename still has a whole journal.
  at = 0;
  EXPECT_TRUE(journal_is_whole(journal_of({})));
  EXPECT_FALSE(next_journal_entry(journal_of({}), &at, &e));
}

TEST(JournalTest, ACutOrDamagedJournalIsNotWhole) {
  const std::string journal(
      journal_of({{"R_linea.dat", "binario-tmp-7-0", "binario-tmp-7-3"}}).view());
  for (size_t size = 0; size < journal.size(); ++size) {
    EXPECT_FALSE(journal_is_whole(journal.substr(0, size))) << size;
  }
  for (size_t i = 0; i < journal.size(); ++i) {
    std::string flipped = journal;
    flipped[i] ^= 0x20;
    EXPECT_FALSE(journal_is_whole(flipped)) << i;
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
  const Text bytes = journal_of({{"out.dat", "binario-tmp-1-0", "binario-tmp-1-2"},
                                 {"new.txt", "binario-tmp-1-1", "binario-tmp-1-3"},
                                 {"old.txt", "", "binario-tmp-1-4"}});
  for (const Case& c : cases) {
    MemoryDisk disk;
    disk.files = c.left;
    disk.put(at(journal), std::string(bytes.view()));
    disk.put(at("binario-tmp-9-0"), "a temporary of another run that died");
    EXPECT_EQ(recover_folder(disk, Text(kFolder)), Recovery::kDone) << c.what;
    EXPECT_EQ(disk.files, complete) << c.what;
  }
}

// Something else took the final name while the earlier file was aside: the
// commit can go neither way, says so, and leaves the earlier file where it is.
TEST(JournalTest, AFinalNameTakenMeanwhileLosesNothing) {
  const Text journal = journal_of({{"out.dat", "binario-tmp-1-0", "binario-tmp-1-2"}});
  MemoryDisk disk;
  disk.put(at("binario-tmp-1-2"), "the earlier out.dat");
  disk.put(at("out.dat"), "another program's");
  disk.put(at("binario-tmp-1-0"), "new out");
  const auto before = disk.files;
  EXPECT_FALSE(finish_commit(disk, Text(kFolder), journal));
  EXPECT_FALSE(undo_commit(disk, Text(kFolder), journal));
  EXPECT_EQ(disk.files, before);
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
