#ifndef BINARIO_TOOLS_BINARIO_FILES_FOLDER_WATCH_H_
#define BINARIO_TOOLS_BINARIO_FILES_FOLDER_WATCH_H_

// Notices when an author saves: the names, sizes and times of the files
// watched, compared from one look to the next. An editor that saves by
// writing a new file and renaming it over the old one counts as a save.
// Portable: it only lists folders, so it runs alike on Linux and Windows.

#include <cstdint>
#include <filesystem>
#include <map>
#include <vector>

namespace binario::tool {

class FolderWatch {
 public:
  // `paths`: folders (every file in them) or files (those alone).
  explicit FolderWatch(const std::vector<std::filesystem::path>& paths);

  // True when something watched changed since the last look (or since the
  // watch began).
  bool changed();

 private:
  struct Seen {
    uintmax_t size = 0;
    std::filesystem::file_time_type time;
    bool operator==(const Seen& other) const = default;
  };
  using Snapshot = std::map<std::filesystem::path, Seen>;
  Snapshot look() const;

  std::vector<std::filesystem::path> paths_;
  Snapshot last_;
};

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_FILES_FOLDER_WATCH_H_
