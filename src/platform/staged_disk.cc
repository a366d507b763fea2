#include "platform/staged_disk.h"

#include "platform/replace_file.h"

namespace binario {

namespace {

constexpr int kPutBackTries = 3;

}  // namespace

StagedDisk::Entry* StagedDisk::find(std::string_view final_name) {
  for (Entry& e : entries_) {
    if (!e.final_name.empty() && e.final_name.view() == final_name) return &e;
  }
  return nullptr;
}

StagedDisk::Entry* StagedDisk::find_temporary(std::string_view temporary) {
  for (Entry& e : entries_) {
    if (!e.temporary.empty() && e.temporary.view() == temporary) return &e;
  }
  return nullptr;
}

bool StagedDisk::read_file(const char* path, Bytes* out) {
  if (const Entry* e = find(path)) {
    return !e->temporary.empty() && disk_.read_file(e->temporary.c_str(), out);
  }
  return disk_.read_file(path, out);
}

bool StagedDisk::file_exists(const char* path) {
  if (const Entry* e = find(path)) return !e->temporary.empty();
  return find_temporary(path) != nullptr || disk_.file_exists(path);
}

bool StagedDisk::remove_file(const char* path) {
  Entry* e = find(path);
  if (e == nullptr) e = find_temporary(path);
  if (e == nullptr) {
    if (!disk_.file_exists(path)) return false;
    entries_.push_back(Entry{Text(path), Text(), Text()});
    return true;
  }
  if (e->temporary.empty() || !remove_retrying(disk_, e->temporary.c_str())) return false;
  e->temporary.clear();
  return true;
}

Disk::Created StagedDisk::create_new_file(const char* path, const uint8_t* data, size_t size) {
  const Created created = disk_.create_new_file(path, data, size);
  // A file that failed half way is the run's too, to be removed.
  if (created != Created::kNameTaken) entries_.push_back(Entry{Text(), Text(path), Text()});
  return created;
}

bool StagedDisk::rename_file(const char* from, const char* to) {
  if (find_temporary(from) == nullptr) return false;
  // A second file of the same name: the first one's temporary goes.
  if (Entry* earlier = find(to)) {
    if (!earlier->temporary.empty() && !remove_retrying(disk_, earlier->temporary.c_str())) {
      return false;
    }
    earlier->final_name.clear();
    earlier->temporary.clear();
  }
  find_temporary(from)->final_name = Text(to);
  return true;
}

bool StagedDisk::commit() {
  // The earlier files under the final names move aside.
  for (Entry& e : entries_) {
    if (e.final_name.empty() || !disk_.file_exists(e.final_name.c_str())) continue;
    Text backup = next_temporary_name(folder_.view());
    if (disk_.rename_file(e.final_name.c_str(), backup.c_str())) {
      e.backup = backup;
    } else if (disk_.file_exists(e.final_name.c_str())) {
      // (Gone instead: another installer in the folder moved it itself.)
      undo(0);
      return false;
    }
  }
  // The staged files take their names.
  size_t placed = 0;
  for (; placed < entries_.size(); ++placed) {
    const Entry& e = entries_[placed];
    if (e.temporary.empty()) continue;
    if (e.final_name.empty() ? !remove_retrying(disk_, e.temporary.c_str())
                             : !disk_.rename_file(e.temporary.c_str(), e.final_name.c_str())) {
      break;
    }
  }
  if (placed < entries_.size() || !disk_.sync_folder(folder_.c_str())) {
    undo(placed);
    return false;
  }
  for (const Entry& e : entries_) {
    if (!e.backup.empty()) remove_retrying(disk_, e.backup.c_str());
  }
  entries_.clear();
  return true;
}

void StagedDisk::undo(size_t placed) {
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    const bool in_place = i < placed && !e.temporary.empty() && !e.final_name.empty();
    // A file given a name that had no earlier file goes again.
    if (in_place && e.backup.empty()) remove_retrying(disk_, e.final_name.c_str());
    if (i >= placed && !e.temporary.empty()) remove_retrying(disk_, e.temporary.c_str());
    for (int attempt = 0; !e.backup.empty() && attempt < kPutBackTries; ++attempt) {
      if (disk_.rename_file(e.backup.c_str(), e.final_name.c_str())) break;
    }
  }
  entries_.clear();
}

void StagedDisk::roll_back() { undo(0); }

}  // namespace binario
