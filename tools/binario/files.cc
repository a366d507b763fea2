#include "files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/disk.h"
#include "platform/platform.h"
#include "platform/posix_write.h"
#include "platform/replace_file.h"

namespace binario::tool {

namespace fs = std::filesystem;

namespace {

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

}  // namespace

bool read_whole_file(const fs::path& path, Bytes* out, std::string* error) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    *error = "cannot read " + quoted(path) + ": it is a folder";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read " + quoted(path) + ": " + std::strerror(errno);
    return false;
  }
  out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    *error = "cannot read " + quoted(path);
    return false;
  }
  return true;
}

bool write_file_atomically(const fs::path& path, const Bytes& data, bool executable,
                           std::string* error) {
  // A new file under the temporary prefix beside the target, created
  // exclusively (mkstemp), so nothing planted there is written through.
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string temporary = (folder / (std::string(kTemporaryPrefix) + "XXXXXX")).string();
  int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    *error = "cannot create " + quoted(path) + ": " + std::strerror(errno);
    return false;
  }
  const mode_t umask = ::umask(0);
  ::umask(umask);
  const mode_t mode = (executable ? 0777 : 0666) & ~umask;
  bool ok = platform::write_all(fd, data.data(), data.size()) && ::fchmod(fd, mode) == 0 &&
            ::fsync(fd) == 0;
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  // The rename survives a power cut once the folder is flushed.
  if (ok && !real_disk().sync_folder(folder.c_str())) {
    *error = "cannot flush the folder of " + quoted(path) + ": " + std::strerror(errno);
    return false;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    *error = "cannot write " + quoted(path) + ": " + std::strerror(saved);
  }
  return ok;
}

fs::path own_folder() {
  Text self;
  if (!platform::executable_path(&self)) return fs::path();
  return fs::path(std::string(self.view())).parent_path();
}

}  // namespace binario::tool
