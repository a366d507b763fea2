#include "platform/replace_file.h"

namespace binario {

bool replace_file(Disk& disk, const Text& path, const uint8_t* data, size_t size) {
  Text temporary = path;
  temporary.append(".binario-tmp");
  if (disk.write_file(temporary.c_str(), data, size) &&
      disk.rename_file(temporary.c_str(), path.c_str())) {
    return true;
  }
  if (disk.file_exists(temporary.c_str())) disk.remove_file(temporary.c_str());
  return false;
}

}  // namespace binario
