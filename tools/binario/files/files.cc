#include "files/files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/disk.h"
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

bool write_file_atomically(const fs::path& path, const Bytes& data, bool executable,
                           std::string* error) {
  const Text name(name_of(path));
  switch (replace_file_step(real_disk(), name, data)) {
    case Replaced::kDone:
      break;
    case Replaced::kNotCreated:
      *error = "cannot create " + quoted(path) + ": " + platform::last_error_text();
      return false;
    case Replaced::kNotRenamed:
      *error = "cannot write " + quoted(path) + ": " + platform::last_error_text();
      return false;
    case Replaced::kNotFlushed:
      *error = "cannot flush the folder of " + quoted(path) + ": " + platform::last_error_text();
      return false;
  }
  if (executable && !platform::make_executable(name.c_str())) {
    *error = "cannot make " + quoted(path) + " executable: " + platform::last_error_text();
    return false;
  }
  return true;
}

}  // namespace binario::tool
