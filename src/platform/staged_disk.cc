#include "platform/staged_disk.h"

#include "platform/journal.h"
#include "platform/platform.h"
#include "platform/replace_file.h"

namespace binario {

namespace {

constexpr int kMoveBackTries = 3;

bool move_retrying(Disk& disk, const Text& from, const Text& to) {
  for (int attempt = 0; attempt < kMoveBackTries; ++attempt) {
    if (disk.rename_new(from.c_str(), to.c_str())) return true;
  }
  return false;
}

}  // namespace

StagedDisk::Staged* StagedDisk::find(std::string_view final_name) {
  for (Staged& e : entries_) {
    if (!e.final_name.empty() && e.final_name.view() == final_name) return &e;
  }
  return nullptr;
}

StagedDisk::Staged* StagedDisk::find_temporary(std::string_view temporary) {
  for (Staged& e : entries_) {
    if (!e.temporary.empty() && e.temporary.view() == temporary) return &e;
  }
  return nullptr;
}

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

Disk::Entry StagedDisk::entry_at(const char* path) {
  if (const Staged* e = find(path)) return e->temporary.empty() ? Entry::kNothing : Entry::kFile;
  return find_temporary(path) != nullptr ? Entry::kFile : disk_.entry_at(path);
}

bool StagedDisk::remove_file(const char* path) {
  Staged* e = find(path);
  if (e == nullptr) e = find_temporary(path);
  if (e == nullptr) {
    if (!disk_.file_exists(path)) return false;
    entries_.push_back(Staged{Text(path), Text(), Text()});
    return true;
  }
  if (e->temporary.empty() || !remove_retrying(disk_, e->temporary.c_str())) return false;
  e->temporary.clear();
  return true;
}

Disk::Created StagedDisk::create_new_file(const char* path, const uint8_t* data, size_t size) {
  const Created created = disk_.create_new_file(path, data, size);
  // A file that failed half way is the run's too, to be removed.
  if (created != Created::kNameTaken) entries_.push_back(Staged{Text(), Text(path), Text()});
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

bool StagedDisk::rename_new(const char* from, const char* to) {
  return entry_at(to) == Entry::kNothing && rename_file(from, to);
}

bool StagedDisk::write_commit_journal() {
  std::vector<JournalEntry> journal;
  for (Staged& e : entries_) {
    if (e.final_name.empty()) continue;
    e.backup = next_temporary_name(folder_.view());
    journal.push_back(JournalEntry{Text(name_in_folder(e.final_name)),
                                   Text(name_in_folder(e.temporary)),
                                   Text(name_in_folder(e.backup))});
  }
  return write_journal(disk_, folder_, journal);
}

StagedDisk::Commit StagedDisk::commit() {
  // Temporaries never given a name have no place in the folder.
  for (Staged& e : entries_) {
    if (e.final_name.empty() && !e.temporary.empty()) {
      if (!remove_retrying(disk_, e.temporary.c_str())) return undo_commit();
      e.temporary.clear();
    }
  }
  if (!write_commit_journal()) return undo_commit();

  // From here a run that dies is finished by the next one, from the journal.
  bool ok = true;
  for (Staged& e : entries_) {
    if (!ok || e.final_name.empty()) continue;
    if (disk_.entry_at(e.final_name.c_str()) == Entry::kFile) {
      ok = disk_.rename_new(e.final_name.c_str(), e.backup.c_str());
      e.set_aside = ok;
    }
  }
  for (Staged& e : entries_) {
    if (!ok || e.final_name.empty() || e.temporary.empty()) continue;
    ok = disk_.rename_new(e.temporary.c_str(), e.final_name.c_str());
    e.placed = ok;
  }
  if (!ok || !disk_.sync_folder(folder_.c_str())) return undo_commit();

  // Whole: the earlier files and the journal go.
  for (const Staged& e : entries_) {
    if (e.set_aside) remove_retrying(disk_, e.backup.c_str());
  }
  remove_retrying(disk_, platform::path_in(folder_, kJournalName).c_str());
  disk_.sync_folder(folder_.c_str());
  entries_.clear();
  return Commit::kDone;
}

StagedDisk::Commit StagedDisk::undo_commit() {
  bool ok = true;
  for (size_t i = entries_.size(); i-- > 0;) {
    Staged& e = entries_[i];
    if (e.placed) e.placed = !move_retrying(disk_, e.final_name, e.temporary);
    if (e.set_aside && !e.placed) e.set_aside = !move_retrying(disk_, e.backup, e.final_name);
    ok = ok && !e.placed && !e.set_aside;
  }
  if (!ok || !disk_.sync_folder(folder_.c_str())) {
    // The journal stays: the next run finishes the commit from it.
    entries_.clear();
    return Commit::kInterrupted;
  }
  remove_temporaries();
  const Text journal = platform::path_in(folder_, kJournalName);
  if (disk_.entry_at(journal.c_str()) != Entry::kNothing) {
    remove_retrying(disk_, journal.c_str());
    disk_.sync_folder(folder_.c_str());
  }
  return Commit::kUndone;
}

void StagedDisk::remove_temporaries() {
  for (const Staged& e : entries_) {
    if (!e.temporary.empty()) remove_retrying(disk_, e.temporary.c_str());
  }
  entries_.clear();
}

void StagedDisk::roll_back() { remove_temporaries(); }

}  // namespace binario
