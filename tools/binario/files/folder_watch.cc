#include "files/folder_watch.h"

#include <chrono>
#include <string>

#include "base/crc32.h"
#include "files/files.h"

namespace binario::tool {

namespace fs = std::filesystem;

namespace {

// The coarsest time a file system keeps (FAT: two seconds), with a margin.
constexpr auto kCoarsestFileTime = std::chrono::seconds(3);

}  // namespace

FolderWatch::FolderWatch(const std::vector<fs::path>& paths)
    : paths_(paths), last_(look(Snapshot())) {}

FolderWatch::Snapshot FolderWatch::look(const Snapshot& before) const {
  Snapshot now;
  const fs::file_time_type settled = fs::file_time_type::clock::now() - kCoarsestFileTime;
  auto note = [&](const fs::path& file) {
    std::error_code ec;
    Seen seen;
    seen.size = fs::file_size(file, ec);
    if (ec) return;  // gone, or in the middle of a rename
    seen.time = fs::last_write_time(file, ec);
    if (ec) return;
    const auto was = before.find(file);
    if (was != before.end() && was->second.size == seen.size && was->second.time == seen.time &&
        seen.time < settled) {
      seen.crc = was->second.crc;
    } else if (seen.size <= kLongestRead) {
      Bytes content;
      std::string error;
      if (read_whole_file(file, &content, &error)) seen.crc = crc32(content.data(), content.size());
    }
    now[file] = seen;
  };
  for (const fs::path& path : paths_) {
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
      note(path);
      continue;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(path, ec)) {
      if (entry.is_regular_file(ec)) note(entry.path());
    }
  }
  return now;
}

bool FolderWatch::changed() {
  Snapshot now = look(last_);
  if (now == last_) return false;
  last_ = std::move(now);
  return true;
}

}  // namespace binario::tool
