#include "platform/platform.h"

namespace binario::platform {

Text path_in(const Text& folder, std::string_view name) {
  Text path = folder;
  path.push_back(kPathSeparator);
  path.append(name);
  return path;
}

}  // namespace binario::platform
