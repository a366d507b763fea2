#ifndef BINARIO_PLATFORM_REPLACE_FILE_H_
#define BINARIO_PLATFORM_REPLACE_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/text.h"
#include "platform/disk.h"

namespace binario {

// Every temporary file the system makes is named `<prefix><process>-<n>` in
// the folder of the file it becomes, so that leftovers are easy to recognise
// and two processes never pick the same name.
inline constexpr std::string_view kTemporaryPrefix = "binario-tmp-";

// Two names under the prefix that are no process's: the journal of a commit
// under way in the folder, and (on Windows) the lock file of the run that
// holds the folder.
inline constexpr std::string_view kJournalName = "binario-tmp-journal";
inline constexpr std::string_view kLockName = "binario-tmp-lock";

// The folder part of `path` (before its last separator); "." when it has none.
Text folder_of(std::string_view path);

// The last component of `path`: the file's name within its folder.
std::string_view name_in_folder(std::string_view path);

// True when the last component of `path` carries the temporary prefix.
bool is_temporary_name(std::string_view path);

// A temporary name in `folder` that this process has not used before.
Text next_temporary_name(std::string_view folder);

// Writes `size` bytes of `data` to a new temporary file in `folder`, created
// exclusively and flushed; its path goes to `temporary`. A name that is
// already taken is passed over for the next one, a few times. False on any
// failure, and then no temporary file is left.
bool write_temporary(Disk& disk, std::string_view folder, const uint8_t* data, size_t size,
                     Text* temporary);

// Deletes `path`, trying again a few times: a file scanner or indexer may
// hold a file for a moment. True when it is gone.
bool remove_retrying(Disk& disk, const char* path);

// Rewrites the file at `path` so that it holds exactly `size` bytes of `data`:
// an older file of that name, of whatever length, is replaced whole. The bytes
// go to a flushed temporary file beside the target, which is then renamed over
// it and the folder flushed, so that a failure or a power cut leaves either
// the old file or the new one, and no temporary file behind. A link at `path`
// is replaced, never written through.
bool replace_file(Disk& disk, const Text& path, const uint8_t* data, size_t size);

// The same, telling which step failed: for the author tool's messages.
enum class Replaced : uint8_t {
  kDone,
  kNotCreated,  // the temporary file could not be created and written
  kNotRenamed,  // it could not take the place of `path`
  kNotFlushed,  // the folder could not be flushed after the rename
};
Replaced replace_file_step(Disk& disk, const Text& path, const uint8_t* data, size_t size);
inline Replaced replace_file_step(Disk& disk, const Text& path, const Bytes& data) {
  return replace_file_step(disk, path, data.data(), data.size());
}

inline bool replace_file(Disk& disk, const Text& path, const Bytes& data) {
  return replace_file(disk, path, data.data(), data.size());
}

}  // namespace binario

#endif  // BINARIO_PLATFORM_REPLACE_FILE_H_
