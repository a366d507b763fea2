#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/disk.h"

namespace binario {

namespace {

class PosixDisk : public Disk {
 public:
  bool read_file(const char* path, Bytes* out) override {
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
      out->resize(static_cast<size_t>(st.st_size));
      size_t done = 0;
      while (ok && done < out->size()) {
        ssize_t n = ::read(fd, out->data() + done, out->size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
          ok = false;
        else
          done += static_cast<size_t>(n);
      }
    }
    ::close(fd);
    return ok;
  }

  bool file_exists(const char* path) override {
    struct stat st;
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
  }

  bool remove_file(const char* path) override { return ::unlink(path) == 0; }

  Created create_new_file(const char* path, const uint8_t* data, size_t size) override {
    // Exclusive: an existing file or a planted link at `path` is never opened.
    int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return errno == EEXIST || errno == ELOOP ? Created::kNameTaken : Created::kFailed;
    bool ok = write_all(fd, data, size) && fsync_retrying(fd);
    if (::close(fd) != 0) ok = false;
    return ok ? Created::kWritten : Created::kFailed;
  }

  bool rename_file(const char* from, const char* to) override { return ::rename(from, to) == 0; }

  bool sync_folder(const char* folder) override {
    int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = fsync_retrying(fd);
    if (::close(fd) != 0) ok = false;
    return ok;
  }

 private:
  // Writes every byte, going on after interrupted and short writes; a write
  // that makes no progress (a full disk, a quota) is a failure.
  static bool write_all(int fd, const uint8_t* data, size_t size) {
    size_t done = 0;
    while (done < size) {
      ssize_t n = ::write(fd, data + done, size - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
    }
    return true;
  }

  static bool fsync_retrying(int fd) {
    int result;
    do {
      result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
  }
};

}  // namespace

Disk& real_disk() {
  static PosixDisk disk;
  return disk;
}

}  // namespace binario
