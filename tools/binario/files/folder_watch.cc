#include "files/folder_watch.h"

#include <string>

#include "base/crc32.h"
#include "files/files.h"

namespace binario::tool {

namespace fs = std::filesystem;

FolderWatch::FolderWatch(const std::vector<fs::path>& paths) : paths_(paths), last_(look()) {}

FolderWatch::Snapshot FolderWatch::look() const {
  Snapshot now;
  auto note = [&](const fs::path& file) {
    std::error_code ec;
    Seen seen;
    seen.size = fs::file_size(file, ec);
    if (ec) return;  // gone, or in the middle of a rename
    seen.time = fs::last_write_time(file, ec);
    if (ec) return;
    if (seen.size <= kLongestRead) {
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
  Snapshot now = look();
  if (now == last_) return false;
  last_ = std::move(now);
  return true;
}

}  // namespace binario::tool
