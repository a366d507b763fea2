#ifndef BINARIO_TOOLS_BINARIO_FILES_H_
#define BINARIO_TOOLS_BINARIO_FILES_H_

#include <filesystem>
#include <string>

#include "base/text.h"
#include "platform/scratch_folder.h"

namespace binario::tool {

// Reads the whole file at `path`. On failure returns false and sets `error`
// to a message naming the file and the reason.
bool read_whole_file(const std::filesystem::path& path, Bytes* out, std::string* error);

// Writes `data` to `path` through a temporary file beside it that is renamed
// over `path` only once complete: `path` is either left as it was or holds
// exactly `data`, and no temporary file remains. `executable` gives the file
// execute permission (within the umask).
bool write_file_atomically(const std::filesystem::path& path, const Bytes& data, bool executable,
                           std::string* error);

// The folder of the running tool's own executable.
std::filesystem::path own_folder();

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_FILES_H_
