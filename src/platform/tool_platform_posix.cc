#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "base/text.h"
#include "platform/platform.h"
#include "platform/tool_platform.h"

namespace binario::platform {

std::filesystem::path path_from_name(std::string_view name) {
  return std::filesystem::path(std::string(name));
}

std::string name_of(const std::filesystem::path& path) { return path.native(); }

std::filesystem::path own_folder() {
  Text self;
  if (!executable_path(&self)) return {};
  return std::filesystem::path(std::string(self.view())).parent_path();
}

std::string last_error_text() { return std::strerror(errno); }

bool make_executable(const char* path) {
  struct stat st;
  if (::stat(path, &st) != 0) return false;
  // Execute for each of owner, group and others that may read.
  const mode_t readers = st.st_mode & (S_IRUSR | S_IRGRP | S_IROTH);
  return ::chmod(path, (st.st_mode & 07777) | (readers >> 2)) == 0;
}

bool console_is_own() { return false; }

void use_binary_standard_streams() {}

bool paths_have_drives() { return false; }

}  // namespace binario::platform
