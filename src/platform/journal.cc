#include "platform/journal.h"

#include <cstring>

#include "base/coding.h"
#include "base/crc32.h"
#include "platform/platform.h"
#include "platform/replace_file.h"

namespace binario {

namespace {

constexpr std::string_view kMagic = "binjrnl1";
constexpr size_t kCrcSize = 4;
constexpr int kMoveTries = 3;

uint32_t crc_of(std::string_view bytes) {
  return crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
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

// Moves the file at `from`, if there is one, to `to`, which must be free.
bool shift(Disk& disk, const Text& from, const Text& to) {
  return !is_file(disk, from) || (!is_file(disk, to) && move_retrying(disk, from, to));
}

// Carries the journal's commit out (`undo` false) or back (true).
bool carry(Disk& disk, const Text& folder, std::string_view journal, bool undo) {
  bool ok = true;
  JournalEntry e;
  // A commit stops at its first failure; an undo puts back all it can.
  for (size_t at = 0; (ok || undo) && next_journal_entry(journal, &at, &e);) {
    const Text final_path = platform::path_in(folder, e.final_name);
    const Text backup = platform::path_in(folder, e.backup);
    const Text temporary = platform::path_in(folder, e.temporary);
    // Only deleted, or staged and not yet holding its final name.
    const bool waiting = e.temporary.empty() || is_file(disk, temporary);
    if (undo) {
      const bool back =
          (waiting || shift(disk, final_path, temporary)) && shift(disk, backup, final_path);
      ok = back && ok;
    } else if (waiting) {
      ok = shift(disk, final_path, backup) &&
           (e.temporary.empty() || disk.rename_new(temporary.c_str(), final_path.c_str()));
    }
  }
  return ok && disk.sync_folder(folder.c_str());
}

}  // namespace

void add_journal_entry(const JournalEntry& entry, Text* journal) {
  if (journal->empty()) journal->append(kMagic);
  for (std::string_view name : {entry.final_name, entry.temporary, entry.backup}) {
    journal->append(name);
    journal->push_back('\0');
  }
}

void end_journal(Text* journal) {
  if (journal->empty()) journal->append(kMagic);
  const uint32_t crc = crc_of(*journal);
  for (int byte = 0; byte < 4; ++byte) journal->push_back(static_cast<char>(crc >> (8 * byte)));
}

bool journal_is_whole(std::string_view journal) {
  if (journal.size() < kMagic.size() + kCrcSize || !journal.starts_with(kMagic)) return false;
  const size_t body = journal.size() - kCrcSize;
  return crc_of(journal.substr(0, body)) ==
         decode_u32(reinterpret_cast<const uint8_t*>(journal.data() + body));
}

bool next_journal_entry(std::string_view journal, size_t* at, JournalEntry* entry) {
  if (*at == 0) *at = kMagic.size();
  for (std::string_view* name : {&entry->final_name, &entry->temporary, &entry->backup}) {
    const size_t nul = journal.find('\0', *at);
    if (nul >= journal.size() - kCrcSize) return false;
    *name = journal.substr(*at, nul - *at);
    *at = nul + 1;
  }
  return !entry->final_name.empty() && !entry->backup.empty();
}

bool write_journal(Disk& disk, const Text& folder, std::string_view journal) {
  Text temporary;
  if (!write_temporary(disk, folder.view(), reinterpret_cast<const uint8_t*>(journal.data()),
                       journal.size(), &temporary)) {
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

bool finish_commit(Disk& disk, const Text& folder, std::string_view journal) {
  return carry(disk, folder, journal, false);
}

bool undo_commit(Disk& disk, const Text& folder, std::string_view journal) {
  return carry(disk, folder, journal, true);
}

Recovery recover_folder(Disk& disk, const Text& folder) {
  const Text journal = platform::path_in(folder, kJournalName);
  if (disk.entry_at(journal.c_str()) != Disk::Entry::kNothing) {
    Bytes bytes;
    if (!disk.read_file(journal.c_str(), &bytes)) return Recovery::kFailed;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!journal_is_whole(text) || !finish_commit(disk, folder, text) ||
        !remove_retrying(disk, journal.c_str())) {
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
