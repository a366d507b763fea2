#include "platform/staged_disk.h"

#include "platform/journal.h"
#include "platform/platform.h"
#include "platform/replace_file.h"

namespace binario {

StagedDisk::Staged* StagedDisk::find(std::string_view path) {
  for (Staged& e : entries_) {
    if (!e.final_name.empty() && e.final_name.view() == path) return &e;
  }
  return nullptr;
}

StagedDisk::Staged* StagedDisk::find_temporary(std::string_view path) {
  for (Staged& e : entries_) {
    if (!e.temporary.empty() && e.temporary.view() == path) return &e;
  }
  return nullptr;
}

Text StagedDisk::path_of(std::string_view name) const { return platform::path_in(folder_, name); }

bool StagedDisk::read_file(const char* path, Bytes* out) {
  if (const Staged* e = find(path)) {
    return !e->temporary.empty() && disk_.read_file(e->temporary.c_str(), out);
  }
  return disk_.read_file(path, out);
}

bool StagedDisk::file_exists(const char* path) {
  if (const Staged* e = find(path)) return !e->temporary.empty();
  return find_temporary(path) != nullptr || disk_.file_exists(path);
}

bool StagedDisk::remove_file(const char* path) {
  Staged* e = find(path);
  if (e == nullptr) e = find_temporary(path);
  if (e == nullptr) {
    if (!disk_.file_exists(path)) return false;
    entries_.push_back(Staged{Text(path), Text()});
    return true;
  }
  if (e->temporary.empty() || !remove_retrying(disk_, e->temporary.c_str())) {
    return false;
  }
  e->temporary.clear();
  return true;
}

Disk::Created StagedDisk::create_new_file(const char* path, const uint8_t* data, size_t size) {
  const Created created = disk_.create_new_file(path, data, size);
  // A file that failed half way is the run's too, to be removed.
  if (created != Created::kNameTaken) {
    entries_.push_back(Staged{Text(), Text(path)});
  }
  return created;
}

bool StagedDisk::rename_file(const char* from, const char* to) {
  if (find_temporary(from) == nullptr) return false;
  // A second file of the same name: the first one's temporary goes.
  if (Staged* earlier = find(to)) {
    if (!earlier->temporary.empty() && !remove_retrying(disk_, earlier->temporary.c_str())) {
      return false;
    }
    earlier->final_name.clear();
    earlier->temporary.clear();
  }
  find_temporary(from)->final_name = Text(to);
  return true;
}

Text StagedDisk::journal() const {
  Text journal;
  for (const Staged& e : entries_) {
    if (e.final_name.empty()) continue;
    const Text backup = next_temporary_name(folder_.view());
    add_journal_entry(JournalEntry{name_in_folder(e.final_name), name_in_folder(e.temporary),
                                   name_in_folder(backup)},
                      &journal);
  }
  end_journal(&journal);
  return journal;
}

void StagedDisk::remove_leftovers(std::string_view journal, bool backups) {
  JournalEntry e;
  for (size_t at = 0; next_journal_entry(journal, &at, &e);) {
    const std::string_view leftover = backups ? e.backup : e.temporary;
    if (!leftover.empty()) remove_retrying(disk_, path_of(leftover).c_str());
  }
}

StagedDisk::Commit StagedDisk::commit() {
  // Temporaries never given a name have no place in the folder.
  for (Staged& e : entries_) {
    if (!e.final_name.empty() || e.temporary.empty()) continue;
    if (!remove_retrying(disk_, e.temporary.c_str())) {
      roll_back();
      return Commit::kUndone;
    }
    e.temporary.clear();
  }
  const Text journal = this->journal();
  if (!write_journal(disk_, folder_, journal)) {
    roll_back();
    return Commit::kUndone;
  }
  // From here a run that dies is finished by the next one, from the journal.
  entries_.clear();
  Commit result = Commit::kDone;
  if (!finish_commit(disk_, folder_, journal)) {
    if (!undo_commit(disk_, folder_, journal)) return Commit::kInterrupted;
    result = Commit::kUndone;
  }
  remove_leftovers(journal, result == Commit::kDone);
  remove_retrying(disk_, path_of(kJournalName).c_str());
  disk_.sync_folder(folder_.c_str());
  return result;
}

void StagedDisk::roll_back() {
  for (const Staged& e : entries_) {
    if (!e.temporary.empty()) remove_retrying(disk_, e.temporary.c_str());
  }
  entries_.clear();
}

}  // namespace binario
