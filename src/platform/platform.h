#ifndef BINARIO_PLATFORM_PLATFORM_H_
#define BINARIO_PLATFORM_PLATFORM_H_

// Everything the installer needs from the operating system besides files:
// the wait window, the message box, its own path and the end of the process.
// One implementation per platform: platform_posix.cc, platform_win32.cc.

#include <cstdint>
#include <string_view>

#include "base/text.h"

namespace binario::platform {

// Restricts where Windows looks for the DLLs that the system libraries load
// to the system folder, so that a DLL planted beside the installer (in a
// downloads folder) is never loaded. The first thing the installer does.
// Off Windows: nothing.
void restrict_dll_search();

// The folder separator used in paths built by the installer.
extern const char kPathSeparator;

// `<folder><separator><name>`.
Text path_in(const Text& folder, std::string_view name);

// Shows the wait window with its one label, "Attendere", and paints it at
// once, before any work starts. Off Windows: one line on standard error.
void show_wait_window();

// Shows `message` and waits until the user has acknowledged it (a modal box
// with an OK button on Windows, one line on standard error elsewhere), then
// ends the process with status 1. Never returns.
[[noreturn]] void show_message_and_exit(const char* message);

// Ends the process at once with `status`; open files are closed.
[[noreturn]] void exit_process(int status);

// This process's id: part of the names of its temporary files, so that two
// installers running at once in one folder never pick the same name.
uint32_t process_id();

// Full path of the running executable, found from the process itself (never
// from the working directory or the command line). False when unknown.
bool executable_path(Text* out);

}  // namespace binario::platform

#endif  // BINARIO_PLATFORM_PLATFORM_H_
