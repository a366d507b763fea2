#ifndef BINARIO_PLATFORM_TOOL_PLATFORM_H_
#define BINARIO_PLATFORM_TOOL_PLATFORM_H_

// For the author tool only: what it needs of the system besides the files it
// reads and replaces through the disk. One implementation per platform:
// tool_platform_posix.cc, tool_platform_win32.cc.

#include <filesystem>
#include <string>
#include <string_view>

namespace binario::platform {

// A path from a name as the command line and the installer's package give it:
// bytes of the ANSI code page on Windows, plain bytes elsewhere. (The standard
// library would read the bytes as UTF-8 on Windows, which 8-bit names are not.)
std::filesystem::path path_from_name(std::string_view name);

// The name of `path` in that same form, for messages, package records and the disk.
std::string name_of(const std::filesystem::path& path);

// The folder of the running tool's own executable; empty when unknown.
std::filesystem::path own_folder();

// The system's words for why the last file call of this thread failed.
std::string last_error_text();

// Lets whoever may read the file at `path` also run it (a packed installer).
// Off POSIX there is nothing to do.
bool make_executable(const char* path);

// True when the tool has a console window of its own: it was started by a
// double-click or a drop, not from a command prompt. Never off Windows.
bool console_is_own();

// Standard input and output as bytes, with no CR LF translation (a protocol
// that counts bytes runs over them). Off Windows they always are.
void use_binary_standard_streams();

// True where absolute paths begin with a drive letter ("c:/x").
bool paths_have_drives();

}  // namespace binario::platform

#endif  // BINARIO_PLATFORM_TOOL_PLATFORM_H_
