#include <windows.h>

#include "platform/disk.h"
#include "platform/platform.h"
#include "platform/replace_file.h"

namespace binario {

namespace {

// The ANSI ("A") functions take path bytes in the system code page, so name
// bytes stored in a package reach the file system unchanged.
class Win32Disk : public Disk {
 public:
  bool read_file(const char* path, Bytes* out) override {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) != 0;
    if (ok) {
      out->resize(static_cast<size_t>(size.QuadPart));
      size_t done = 0;
      while (ok && done < out->size()) {
        DWORD chunk = static_cast<DWORD>(min_size(out->size() - done, kMaxChunk));
        DWORD got = 0;
        ok = ReadFile(file, out->data() + done, chunk, &got, nullptr) != 0 && got > 0;
        done += got;
      }
    }
    CloseHandle(file);
    return ok;
  }

  bool file_exists(const char* path) override {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  bool remove_file(const char* path) override { return DeleteFileA(path) != 0; }

  Created create_new_file(const char* path, const uint8_t* data, size_t size) override {
    // CREATE_NEW fails on any existing name, so nothing already there is opened.
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      write_denied_ = error == ERROR_ACCESS_DENIED;
      return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Created::kNameTaken
                                                                         : Created::kFailed;
    }
    bool ok = true;
    size_t done = 0;
    while (ok && done < size) {
      DWORD chunk = static_cast<DWORD>(min_size(size - done, kMaxChunk));
      DWORD put = 0;
      ok = WriteFile(file, data + done, chunk, &put, nullptr) != 0 && put > 0;
      done += put;
    }
    if (ok && FlushFileBuffers(file) == 0) ok = false;
    if (CloseHandle(file) == 0) ok = false;
    return ok ? Created::kWritten : Created::kFailed;
  }

  bool rename_file(const char* from, const char* to) override {
    // A file in place that only an administrator may replace.
    const bool moved =
        MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    write_denied_ = !moved && GetLastError() == ERROR_ACCESS_DENIED;
    return moved;
  }

  bool rename_new(const char* from, const char* to) override {
    // Without MOVEFILE_REPLACE_EXISTING the move fails on a name in use.
    const bool moved = MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) != 0;
    write_denied_ = !moved && GetLastError() == ERROR_ACCESS_DENIED;
    return moved;
  }

  Entry entry_at(const char* path) override {
    // The attributes of a link are its own: it is not followed.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      const DWORD error = GetLastError();
      return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Entry::kNothing
                                                                            : Entry::kFile;
    }
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
    return folder ? Entry::kFolder : Entry::kFile;
  }

  bool list_names(const char* folder, std::string_view prefix, Text* names) override {
    WIN32_FIND_DATAA found;
    Text pattern = platform::path_in(Text(folder), prefix);
    pattern.push_back('*');
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    names->clear();
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    // (A short 8.3 name is too short to match the pattern in place of the long one.)
    do {
      names->append(found.cFileName);
      names->push_back('\0');
    } while (FindNextFileA(search, &found) != 0);
    FindClose(search);
    return true;
  }

  // A lock file that no other process may open while this one holds it, and
  // that the system deletes when its handle closes, also when the process is
  // killed. Another run's lock shows as a sharing violation, or as access
  // denied while its file is being deleted; access denied with no lock file
  // there is a folder this process may not write in.
  bool lock_folder(const char* folder) override {
    const Text path = platform::path_in(Text(folder), kLockName);
    for (int denied = 0;; Sleep(kWaitMilliseconds)) {
      lock_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
      if (lock_ != INVALID_HANDLE_VALUE) return true;
      const DWORD error = GetLastError();
      write_denied_ = error == ERROR_ACCESS_DENIED;
      if (write_denied_ ? entry_at(path.c_str()) == Entry::kNothing || ++denied == kDeniedTries
                        : error != ERROR_SHARING_VIOLATION) {
        return false;
      }
    }
  }

  void unlock_folder() override {
    if (lock_ != INVALID_HANDLE_VALUE) CloseHandle(lock_);
    lock_ = INVALID_HANDLE_VALUE;
  }

  // MOVEFILE_WRITE_THROUGH has already made each rename durable.
  bool sync_folder(const char*) override { return true; }

  bool last_write_denied() const override { return write_denied_; }

 private:
  // ReadFile and WriteFile move at most a DWORD's worth of bytes per call.
  static constexpr size_t kMaxChunk = size_t{1} << 30;
  static size_t min_size(size_t a, size_t b) { return a < b ? a : b; }

  static constexpr DWORD kWaitMilliseconds = 50;
  static constexpr int kDeniedTries = 40;  // two seconds

  bool write_denied_ = false;
  HANDLE lock_ = INVALID_HANDLE_VALUE;
};

}  // namespace

// Made once and never destroyed: the installer ends through ExitProcess, and
// no destructor is registered to run at exit.
Disk& real_disk() {
  static Win32Disk* const disk = new Win32Disk;
  return *disk;
}

}  // namespace binario
