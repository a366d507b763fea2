#include "platform/staged_disk.h"

#include "common/replace_file.h"

namespace binario {

namespace {

constexpr int kPutBackTries = 3;

}  // namespace

StagedDisk::Staged* StagedDisk::find(std::string_view final_name) {
  for (Staged& s : staged_) {
    if (!s.final_name.empty() && s.final_name.view() == final_name) return &s;
  }
  return nullptr;
}

StagedDisk::Staged* StagedDisk::find_temporary(std::string_view temporary) {
  for (Staged& s : staged_) {
    if (s.temporary.view() == temporary) return &s;
  }
  return nullptr;
}

bool StagedDisk::noted_deleted(std::string_view path) const {
  for (const Text& d : deleted_) {
    if (d.view() == path) return true;
  }
  return false;
}

void StagedDisk::forget_deleted(std::string_view path) {
  for (size_t i = 0; i < deleted_.size(); ++i) {
    if (deleted_[i].view() == path) {
      deleted_.erase(deleted_.begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

bool StagedDisk::read_file(const char* path, Bytes* out) {
  if (const Staged* s = find(path)) return disk_.read_file(s->temporary.c_str(), out);
  if (noted_deleted(path)) return false;
  return disk_.read_file(path, out);
}

bool StagedDisk::file_exists(const char* path) {
  if (find(path) != nullptr || find_temporary(path) != nullptr) return true;
  if (noted_deleted(path)) return false;
  return disk_.file_exists(path);
}

bool StagedDisk::remove_file(const char* path) {
  Staged* s = find(path);
  if (s == nullptr) s = find_temporary(path);
  if (s != nullptr) {
    if (!remove_retrying(disk_, s->temporary.c_str())) return false;
    const Text final_name = s->final_name;
    staged_.erase(staged_.begin() + (s - staged_.data()));
    if (!final_name.empty()) deleted_.push_back(final_name);
    return true;
  }
  if (noted_deleted(path) || !disk_.file_exists(path)) return false;
  deleted_.push_back(Text(path));
  return true;
}

Disk::Created StagedDisk::create_new_file(const char* path, const uint8_t* data, size_t size) {
  const Created created = disk_.create_new_file(path, data, size);
  // A file that failed half way is the run's too, to be removed.
  if (created != Created::kNameTaken) staged_.push_back(Staged{Text(), Text(path)});
  return created;
}

bool StagedDisk::rename_file(const char* from, const char* to) {
  if (find_temporary(from) == nullptr) return false;
  // A second file of the same name: the first one's temporary goes.
  if (Staged* earlier = find(to)) {
    if (!remove_retrying(disk_, earlier->temporary.c_str())) return false;
    staged_.erase(staged_.begin() + (earlier - staged_.data()));
  }
  find_temporary(from)->final_name = Text(to);
  forget_deleted(to);
  return true;
}

bool StagedDisk::move_aside(const Text& final_name, std::vector<MovedAside>* moved) {
  if (!disk_.file_exists(final_name.c_str())) return true;
  Text backup = next_temporary_name(folder_.view());
  if (disk_.rename_file(final_name.c_str(), backup.c_str())) {
    moved->push_back(MovedAside{final_name, backup});
    return true;
  }
  // Another installer in the same folder may have just moved it itself.
  return !disk_.file_exists(final_name.c_str());
}

void StagedDisk::put_back(const std::vector<MovedAside>& moved, size_t placed) {
  // Files put under a name that had no earlier file go; the earlier files return.
  for (size_t i = 0; i < placed; ++i) {
    bool had_earlier = false;
    for (const MovedAside& m : moved) had_earlier |= m.final_name == staged_[i].final_name;
    if (!had_earlier && !staged_[i].final_name.empty())
      remove_retrying(disk_, staged_[i].final_name.c_str());
  }
  for (const MovedAside& m : moved) {
    for (int attempt = 0; attempt < kPutBackTries; ++attempt) {
      if (disk_.rename_file(m.backup.c_str(), m.final_name.c_str())) break;
    }
  }
  staged_.erase(staged_.begin(), staged_.begin() + static_cast<std::ptrdiff_t>(placed));
  roll_back();
}

bool StagedDisk::commit() {
  std::vector<MovedAside> moved;
  bool ok = true;
  for (const Staged& s : staged_) {
    if (ok && !s.final_name.empty()) ok = move_aside(s.final_name, &moved);
  }
  for (const Text& d : deleted_) {
    if (ok) ok = move_aside(d, &moved);
  }
  if (!ok) {
    put_back(moved, 0);
    return false;
  }
  size_t placed = 0;
  for (; placed < staged_.size(); ++placed) {
    const Staged& s = staged_[placed];
    // A temporary never renamed to a name has no place in the folder.
    if (s.final_name.empty() ? !remove_retrying(disk_, s.temporary.c_str())
                             : !disk_.rename_file(s.temporary.c_str(), s.final_name.c_str())) {
      break;
    }
  }
  if (placed < staged_.size() || !disk_.sync_folder(folder_.c_str())) {
    put_back(moved, placed);
    return false;
  }
  for (const MovedAside& m : moved) remove_retrying(disk_, m.backup.c_str());
  staged_.clear();
  deleted_.clear();
  return true;
}

void StagedDisk::roll_back() {
  for (const Staged& s : staged_) remove_retrying(disk_, s.temporary.c_str());
  staged_.clear();
  deleted_.clear();
}

}  // namespace binario
