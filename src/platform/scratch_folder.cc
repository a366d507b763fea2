#include "platform/scratch_folder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <stdlib.h>
#endif

#include <string>
#include <system_error>

namespace binario {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const char* prefix) {
  std::error_code ec;
  const fs::path under = fs::temp_directory_path(ec);
  if (ec) return;
#ifdef _WIN32
  // A name of this process that no other folder bears yet, created exclusively.
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        under / (std::string(prefix) + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(GetTickCount64() % 100000) + "-" + std::to_string(attempt));
    if (CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
#else
  std::string pattern = (under / (std::string(prefix) + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
#endif
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!path_.empty()) fs::remove_all(path_, ignored);
}

}  // namespace binario
