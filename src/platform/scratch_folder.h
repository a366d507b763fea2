#ifndef BINARIO_PLATFORM_SCRATCH_FOLDER_H_
#define BINARIO_PLATFORM_SCRATCH_FOLDER_H_

// For the author tool and the tests only: the installer never makes one.

#include <filesystem>

namespace binario {

// A fresh folder under the system's temporary folder, removed with what it
// holds at the end of its scope; `path()` is empty when it could not be made.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* prefix = "binario");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace binario

#endif  // BINARIO_PLATFORM_SCRATCH_FOLDER_H_
