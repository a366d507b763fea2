#ifndef BINARIO_TOOLS_FILES_FILES_H_
#define BINARIO_TOOLS_FILES_FILES_H_

#include <filesystem>
#include <string>
#include <string_view>

#include "base/text.h"
#include "platform/scratch_folder.h"
#include "platform/tool_platform.h"

namespace binario::tool {

// Reads the whole file at `path`. On failure returns false and sets `error`
// to a message naming the file and the reason.
bool read_whole_file(const std::filesystem::path& path, Bytes* out, std::string* error);
// The same for a file named as the command line names it.
bool read_whole_file(const std::string& name, Bytes* out, std::string* error);

// Writes `data` to `path` through the installer's own replacement: a
// temporary file beside it, flushed, then renamed over `path`, so that `path`
// is either left as it was or holds exactly `data`, and no temporary file
// remains. `executable` lets whoever may read the file also run it.
bool write_file_atomically(const std::filesystem::path& path, const Bytes& data, bool executable,
                           std::string* error);
bool write_file_atomically(const std::string& name, const Bytes& data, bool executable,
                           std::string* error);

// Paths from the names the command line and packages give, and back; the
// tool's own folder (see platform/tool_platform.h).
using platform::name_of;
using platform::own_folder;
using platform::path_from_name;

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_FILES_FILES_H_
