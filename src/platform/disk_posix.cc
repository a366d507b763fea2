#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/disk.h"
#include "platform/posix_write.h"

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
    // A write that makes no progress (a full disk, a quota) is a failure.
    bool ok = platform::write_all(fd, data, size) && fsync_retrying(fd);
    if (::close(fd) != 0) ok = false;
    return ok ? Created::kWritten : Created::kFailed;
  }

  bool rename_file(const char* from, const char* to) override { return ::rename(from, to) == 0; }

  bool rename_new(const char* from, const char* to) override {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    // A file system without the no-replace rename: a second link, which is
    // refused when the name is taken, then the old name goes.
    if (::link(from, to) == 0) {
      if (::unlink(from) == 0) return true;
      ::unlink(to);
      return false;
    }
    if (errno != EPERM && errno != EOPNOTSUPP) return false;
    // Nor links (FAT): the folder's lock keeps other runs out between the
    // look and the rename.
    return entry_at(to) == Entry::kNothing && ::rename(from, to) == 0;
  }

  Entry entry_at(const char* path) override {
    struct stat st;
    if (::lstat(path, &st) != 0) return errno == ENOENT ? Entry::kNothing : Entry::kFile;
    return S_ISDIR(st.st_mode) ? Entry::kFolder : Entry::kFile;
  }

  bool list_names(const char* folder, std::string_view prefix, Text* names) override {
    DIR* dir = ::opendir(folder);
    if (dir == nullptr) return false;
    names->clear();
    while (const dirent* entry = ::readdir(dir)) {
      std::string_view name(entry->d_name);
      if (name.substr(0, prefix.size()) != prefix) continue;
      names->append(name);
      names->push_back('\0');
    }
    ::closedir(dir);
    return true;
  }

  // flock on the folder itself: no file, and released with the descriptor
  // when the process ends.
  bool lock_folder(const char* folder) override {
    unlock_folder();
    lock_fd_ = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock_fd_ < 0) return false;
    int result;
    do {
      result = ::flock(lock_fd_, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return true;
    unlock_folder();
    return false;
  }

  void unlock_folder() override {
    if (lock_fd_ >= 0) ::close(lock_fd_);
    lock_fd_ = -1;
  }

  bool sync_folder(const char* folder) override {
    int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = fsync_retrying(fd);
    if (::close(fd) != 0) ok = false;
    return ok;
  }

 private:
  static bool fsync_retrying(int fd) {
    int result;
    do {
      result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
  }

  int lock_fd_ = -1;
};

}  // namespace

Disk& real_disk() {
  static PosixDisk disk;
  return disk;
}

}  // namespace binario
