#include "files/files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
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

std::string quoted(const fs::path& path) { return "\"" + name_of(path) + "\""; }

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

bool read_whole_file(const std::string& name, Bytes* out, std::string* error) {
  return read_whole_file(path_from_name(name), out, error);
}

bool write_file_atomically(const std::string& name, const Bytes& data, bool executable,
                           std::string* error) {
  return write_file_atomically(path_from_name(name), data, executable, error);
}

#ifdef _WIN32

namespace {

std::string windows_error(DWORD code) {
  char text[512];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == '.')) --n;
  return n > 0 ? std::string(text, n) : "error " + std::to_string(code);
}

// A new name under the temporary prefix beside `path`, which no other writer
// of this process uses; it is created exclusively.
fs::path temporary_beside(const fs::path& path) {
  static std::atomic<unsigned> counter{0};
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  return folder /
         path_from_name(std::string(kTemporaryPrefix) + std::to_string(GetCurrentProcessId()) +
                        "-" + std::to_string(counter++));
}

}  // namespace

fs::path path_from_name(std::string_view name) {
  if (name.empty()) return {};
  const int size = static_cast<int>(name.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
  std::wstring text(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, name.data(), size, text.data(), wide);
  return fs::path(text);
}

std::string name_of(const fs::path& path) {
  const std::wstring& text = path.native();
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int narrow =
      WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string name(static_cast<size_t>(narrow), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, name.data(), narrow, nullptr, nullptr);
  return name;
}

bool write_file_atomically(const fs::path& path, const Bytes& data, bool /*executable*/,
                           std::string* error) {
  const fs::path temporary = temporary_beside(path);
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = "cannot create " + quoted(path) + ": " + windows_error(GetLastError());
    return false;
  }
  bool ok = true;
  size_t done = 0;
  while (ok && done < data.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
    DWORD written = 0;
    ok = WriteFile(file, data.data() + done, chunk, &written, nullptr) && written > 0;
    done += written;
  }
  ok = ok && FlushFileBuffers(file);
  DWORD saved = ok ? 0 : GetLastError();
  if (!CloseHandle(file) && ok) {
    ok = false;
    saved = GetLastError();
  }
  if (ok && !MoveFileExW(temporary.c_str(), path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    saved = GetLastError();
  }
  if (!ok) {
    DeleteFileW(temporary.c_str());
    *error = "cannot write " + quoted(path) + ": " + windows_error(saved);
  }
  return ok;
}

fs::path own_folder() {
  std::wstring buffer(32768, L'\0');
  const DWORD length =
      GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length == 0 || length >= buffer.size()) return {};
  buffer.resize(length);
  return fs::path(buffer).parent_path();
}

#else

fs::path path_from_name(std::string_view name) { return fs::path(std::string(name)); }

std::string name_of(const fs::path& path) { return path.native(); }

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

#endif

}  // namespace binario::tool
