#include "platform/scratch_folder.h"

#include <stdlib.h>

#include <string>
#include <system_error>

namespace binario {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const char* prefix) {
  std::error_code ec;
  const fs::path under = fs::temp_directory_path(ec);
  if (ec) return;
  std::string pattern = (under / (std::string(prefix) + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!path_.empty()) fs::remove_all(path_, ignored);
}

}  // namespace binario
