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

bool read_name(ByteReader& in, Text* name) {
  uint16_t length;
  std::string_view chars;
  if (!in.u16(&length) || !in.chars(length, &chars)) return false;
  *name = Text(chars);
  return true;
}

// Puts the file aside when something is at `final_name` and nothing yet at
// `backup`. False when a rename failed.
bool set_aside(Disk& disk, const Text& final_path, const Text& backup_path) {
  if (disk.entry_at(final_path.c_str()) != Disk::Entry::kFile ||
      disk.entry_at(backup_path.c_str()) != Disk::Entry::kNothing) {
    return true;
  }
  return disk.rename_new(final_path.c_str(), backup_path.c_str());
}

// Finishes the commit that `entries` describe in `folder`. Safe to repeat:
// every step looks at the folder first, so a recovery that dies is finished
// by the next one.
bool finish_commit(Disk& disk, const Text& folder, const std::vector<JournalEntry>& entries) {
  for (const JournalEntry& e : entries) {
    const Text final_path = platform::path_in(folder, e.final_name);
    const Text backup_path = platform::path_in(folder, e.backup);
    if (e.temporary.empty()) {
      if (!set_aside(disk, final_path, backup_path)) return false;
      continue;
    }
    const Text temporary_path = platform::path_in(folder, e.temporary);
    // Gone: it already holds its final name.
    if (disk.entry_at(temporary_path.c_str()) == Disk::Entry::kNothing) continue;
    if (!set_aside(disk, final_path, backup_path) ||
        !disk.rename_new(temporary_path.c_str(), final_path.c_str())) {
      return false;
    }
  }
  return disk.sync_folder(folder.c_str());
}

}  // namespace

void encode_journal(const std::vector<JournalEntry>& entries, Bytes* out) {
  out->assign(kMagic, kMagic + sizeof kMagic);
  put_u32(out, static_cast<uint32_t>(entries.size()));
  for (const JournalEntry& e : entries) {
    put_text(out, e.final_name);
    put_text(out, e.temporary);
    put_text(out, e.backup);
  }
  put_u32(out, crc32(out->data(), out->size()));
}

bool decode_journal(const Bytes& bytes, std::vector<JournalEntry>* entries) {
  if (bytes.size() < sizeof kMagic + 4 + kCrcSize ||
      std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    return false;
  }
  const size_t body = bytes.size() - kCrcSize;
  if (crc32(bytes.data(), body) != decode_u32(bytes.data() + body)) return false;
  ByteReader in(bytes.data(), body, sizeof kMagic);
  uint32_t count;
  if (!in.u32(&count)) return false;
  entries->clear();
  for (uint32_t i = 0; i < count; ++i) {
    JournalEntry e;
    if (!read_name(in, &e.final_name) || !read_name(in, &e.temporary) ||
        !read_name(in, &e.backup) || e.final_name.empty() || e.backup.empty()) {
      return false;
    }
    entries->push_back(e);
  }
  return in.left() == 0;
}

bool write_journal(Disk& disk, const Text& folder, const std::vector<JournalEntry>& entries) {
  Bytes bytes;
  encode_journal(entries, &bytes);
  Text temporary;
  if (!write_temporary(disk, folder.view(), bytes.data(), bytes.size(), &temporary)) return false;
  const Text journal = platform::path_in(folder, kJournalName);
  if (!disk.rename_new(temporary.c_str(), journal.c_str())) {
    remove_retrying(disk, temporary.c_str());
    return false;
  }
  if (disk.sync_folder(folder.c_str())) return true;
  remove_retrying(disk, journal.c_str());
  return false;
}

Recovery recover_folder(Disk& disk, const Text& folder) {
  const Text journal = platform::path_in(folder, kJournalName);
  if (disk.entry_at(journal.c_str()) != Disk::Entry::kNothing) {
    Bytes bytes;
    std::vector<JournalEntry> entries;
    if (!disk.read_file(journal.c_str(), &bytes) || !decode_journal(bytes, &entries) ||
        !finish_commit(disk, folder, entries) || !remove_retrying(disk, journal.c_str())) {
      return Recovery::kFailed;
    }
  }
  std::vector<Text> leftovers;
  bool removed = false;
  if (disk.list_names(folder.c_str(), kTemporaryPrefix, &leftovers)) {
    for (const Text& name : leftovers) {
      if (name.view() == kLockName) continue;
      removed = remove_retrying(disk, platform::path_in(folder, name).c_str()) || removed;
    }
  }
  if (removed) disk.sync_folder(folder.c_str());
  return Recovery::kDone;
}

}  // namespace binario
