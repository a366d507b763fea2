#ifndef BINARIO_TOOLS_BINARIO_FILES_FOLDER_WATCH_H_
#define BINARIO_TOOLS_BINARIO_FILES_FOLDER_WATCH_H_

// Notices when an author saves: the names, sizes, times and (for files up to
// a megabyte, such as the texts) contents of the files watched, compared from
// one look to the next. An editor that saves by writing a new file and
// renaming it over the old one counts as a save, and so does a save of the
// same length within the second that a file system's coarse times miss. A
// file's content is read only while its time is that recent: an older time
// would have moved with any later write.
// Portable: it only lists and reads files, alike on Linux and Windows.

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
    uint32_t crc = 0;  // of the content, for files up to kLongestRead
    bool operator==(const Seen& other) const = default;
  };
  static constexpr uintmax_t kLongestRead = 1 << 20;
  using Snapshot = std::map<std::filesystem::path, Seen>;
  // The files as they are now; `before` lends the checksums of files whose
  // size and time stayed and whose time is past the coarsest file time.
  Snapshot look(const Snapshot& before) const;

  std::vector<std::filesystem::path> paths_;
  Snapshot last_;
};

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_FILES_FOLDER_WATCH_H_
