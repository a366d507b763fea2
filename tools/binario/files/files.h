#ifndef BINARIO_TOOLS_FILES_FILES_H_
#define BINARIO_TOOLS_FILES_FILES_H_

#include <filesystem>
#include <string>
#include <string_view>

#include "base/text.h"
#include "platform/scratch_folder.h"

namespace binario::tool {

// Reads the whole file at `path`. On failure returns false and sets `error`
// to a message naming the file and the reason.
bool read_whole_file(const std::filesystem::path& path, Bytes* out, std::string* error);
// The same for a file named as the command line names it.
bool read_whole_file(const std::string& name, Bytes* out, std::string* error);

// Writes `data` to `path` through a temporary file beside it that is renamed
// over `path` only once complete: `path` is either left as it was or holds
// exactly `data`, and no temporary file remains. `executable` gives the file
// execute permission (within the umask).
bool write_file_atomically(const std::filesystem::path& path, const Bytes& data, bool executable,
                           std::string* error);
bool write_file_atomically(const std::string& name, const Bytes& data, bool executable,
                           std::string* error);

// The folder of the running tool's own executable.
std::filesystem::path own_folder();

// A path from a name as the command line and the installer's package give it:
// bytes of the ANSI code page on Windows, plain bytes elsewhere. (The standard
// library would read the bytes as UTF-8 on Windows, which 8-bit names are not.)
std::filesystem::path path_from_name(std::string_view name);

// The name of `path` in that same form, for messages and package records.
std::string name_of(const std::filesystem::path& path);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_FILES_FILES_H_
