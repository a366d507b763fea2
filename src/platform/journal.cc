#include "platform/journal.h"

#include <cstring>

#include "base/coding.h"
#include "base/crc32.h"
#include "platform/platform.h"
#include "platform/replace_file.h"

namespace binario {

namespace {

constexpr char kMagic[8] = {'b', 'i', 'n', 'j', 'r', 'n', 'l', '1'};
constexpr size_t kCrcSize = 4;
constexpr int kMoveTries = 3;

void add_name(std::string_view name, Bytes* journal) {
  journal->insert(journal->end(), name.begin(), name.end());
  journal->push_back(0);
}

// The NUL-ended name at `*at`, before `end`.
bool next_name(const Bytes& journal, size_t end, size_t* at, std::string_view* name) {
  const char* start = reinterpret_cast<const char*>(journal.data()) + *at;
  const void* nul = std::memchr(start, 0, end - *at);
  if (nul == nullptr) return false;
  *name = std::string_view(start, static_cast<size_t>(static_cast<const char*>(nul) - start));
  *at += name->size() + 1;
  return true;
}

bool is_file(Disk& disk, const Text& path) {
  return disk.entry_at(path.c_str()) == Disk::Entry::kFile;
}

bool move_retrying(Disk& disk, const Text& from, const Text& to) {
  for (int attempt = 0; attempt < kMoveTries; ++attempt) {
    if (disk.rename_new(from.c_str(), to.c_str())) return true;
  }
  return false;
}

// One entry's three paths in the folder.
struct Paths {
  Paths(const Text& folder, const JournalEntry& e)
      : final_path(platform::path_in(folder, e.final_name)),
        temporary(platform::path_in(folder, e.temporary)),
        backup(platform::path_in(folder, e.backup)) {}
  Text final_path, temporary, backup;
};

}  // namespace

void add_journal_entry(const JournalEntry& entry, Bytes* journal) {
  if (journal->empty()) journal->assign(kMagic, kMagic + sizeof kMagic);
  add_name(entry.final_name, journal);
  add_name(entry.temporary, journal);
  add_name(entry.backup, journal);
}

void end_journal(Bytes* journal) {
  if (journal->empty()) journal->assign(kMagic, kMagic + sizeof kMagic);
  put_u32(journal, crc32(journal->data(), journal->size()));
}

bool journal_is_whole(const Bytes& journal) {
  if (journal.size() < sizeof kMagic + kCrcSize ||
      std::memcmp(journal.data(), kMagic, sizeof kMagic) != 0) {
    return false;
  }
  const size_t body = journal.size() - kCrcSize;
  return crc32(journal.data(), body) == decode_u32(journal.data() + body);
}

bool next_journal_entry(const Bytes& journal, size_t* at, JournalEntry* entry) {
  const size_t end = journal.size() - kCrcSize;
  if (*at == 0) *at = sizeof kMagic;
  return *at < end && next_name(journal, end, at, &entry->final_name) &&
         next_name(journal, end, at, &entry->temporary) &&
         next_name(journal, end, at, &entry->backup) && !entry->final_name.empty() &&
         !entry->backup.empty();
}

bool write_journal(Disk& disk, const Text& folder, const Bytes& journal) {
  Text temporary;
  if (!write_temporary(disk, folder.view(), journal.data(), journal.size(), &temporary)) {
    return false;
  }
  const Text path = platform::path_in(folder, kJournalName);
  if (!disk.rename_new(temporary.c_str(), path.c_str())) {
    remove_retrying(disk, temporary.c_str());
    return false;
  }
  if (disk.sync_folder(folder.c_str())) return true;
  remove_retrying(disk, path.c_str());
  return false;
}

bool finish_commit(Disk& disk, const Text& folder, const Bytes& journal) {
  JournalEntry e;
  for (size_t at = 0; next_journal_entry(journal, &at, &e);) {
    const Paths p(folder, e);
    // A temporary that is gone already holds its final name.
    if (!e.temporary.empty() && !is_file(disk, p.temporary)) continue;
    if (is_file(disk, p.final_path) && !is_file(disk, p.backup) &&
        !disk.rename_new(p.final_path.c_str(), p.backup.c_str())) {
      return false;
    }
    if (!e.temporary.empty() && !disk.rename_new(p.temporary.c_str(), p.final_path.c_str())) {
      return false;
    }
  }
  return disk.sync_folder(folder.c_str());
}

bool undo_commit(Disk& disk, const Text& folder, const Bytes& journal) {
  bool ok = true;
  JournalEntry e;
  for (size_t at = 0; next_journal_entry(journal, &at, &e);) {
    const Paths p(folder, e);
    if (!e.temporary.empty() && !is_file(disk, p.temporary) && is_file(disk, p.final_path)) {
      ok = move_retrying(disk, p.final_path, p.temporary) && ok;
    }
    if (is_file(disk, p.backup)) ok = move_retrying(disk, p.backup, p.final_path) && ok;
  }
  return ok && disk.sync_folder(folder.c_str());
}

Recovery recover_folder(Disk& disk, const Text& folder) {
  const Text journal = platform::path_in(folder, kJournalName);
  if (disk.entry_at(journal.c_str()) != Disk::Entry::kNothing) {
    Bytes bytes;
    if (!disk.read_file(journal.c_str(), &bytes) || !journal_is_whole(bytes) ||
        !finish_commit(disk, folder, bytes) || !remove_retrying(disk, journal.c_str())) {
      return Recovery::kFailed;
    }
  }
  Text leftovers;
  bool removed = false;
  if (disk.list_names(folder.c_str(), kTemporaryPrefix, &leftovers)) {
    for (const char* name = leftovers.c_str(); name < leftovers.c_str() + leftovers.size();
         name += std::strlen(name) + 1) {
      if (name == kLockName) continue;
      removed = remove_retrying(disk, platform::path_in(folder, name).c_str()) || removed;
    }
  }
  if (removed) disk.sync_folder(folder.c_str());
  return Recovery::kDone;
}

}  // namespace binario
