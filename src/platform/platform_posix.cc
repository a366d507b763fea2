#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/elevation.h"
#include "platform/platform.h"

namespace binario {

namespace {

// No permission request here: a folder that refuses the files gives 1254.
class NoElevation : public Elevation {
 public:
  bool elevated_copy() const override { return false; }
  bool run_elevated(int*) override { return false; }
};

NoElevation elevation;

}  // namespace

Elevation& real_elevation() { return elevation; }

}  // namespace binario

namespace binario::platform {

void restrict_dll_search() {}

const char kPathSeparator = '/';

namespace {

void write_line(const char* text) {
  size_t length = std::strlen(text);
  while (length > 0) {
    ssize_t n = ::write(STDERR_FILENO, text, length);
    if (n <= 0) return;
    text += n;
    length -= static_cast<size_t>(n);
  }
  (void)!::write(STDERR_FILENO, "\n", 1);
}

}  // namespace

void show_wait_window() { write_line("Attendere"); }

void show_message_and_exit(const char* message) {
  write_line(message);
  exit_process(1);
}

void exit_process(int status) { std::_Exit(status); }

uint32_t process_id() { return static_cast<uint32_t>(::getpid()); }

bool executable_path(Text* out) {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0 || static_cast<size_t>(n) >= sizeof buffer) return false;
  out->clear();
  out->append(std::string_view(buffer, static_cast<size_t>(n)));
  return true;
}

}  // namespace binario::platform
