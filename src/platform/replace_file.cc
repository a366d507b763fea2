#include "platform/replace_file.h"

#include "platform/platform.h"

namespace binario {

namespace {

constexpr int kNameTries = 8;
constexpr int kRemoveTries = 3;

// Folder separators: '/' everywhere, and the platform's own.
size_t last_separator(std::string_view path) {
  size_t slash = path.rfind('/');
  size_t own = path.rfind(platform::kPathSeparator);
  if (slash == std::string_view::npos) return own;
  if (own == std::string_view::npos) return slash;
  return slash > own ? slash : own;
}

void append_unsigned(Text* text, uint32_t value) {
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) text->push_back(digits[--n]);
}

}  // namespace

Text folder_of(std::string_view path) {
  size_t separator = last_separator(path);
  if (separator == std::string_view::npos) return Text(".");
  return Text(path.substr(0, separator == 0 ? 1 : separator));
}

std::string_view name_in_folder(std::string_view path) {
  size_t separator = last_separator(path);
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

bool is_temporary_name(std::string_view path) {
  return name_in_folder(path).substr(0, kTemporaryPrefix.size()) == kTemporaryPrefix;
}

Text next_temporary_name(std::string_view folder) {
  static uint32_t counter = 0;
  Text name(folder);
  name.push_back(platform::kPathSeparator);
  name.append(kTemporaryPrefix);
  append_unsigned(&name, platform::process_id());
  name.push_back('-');
  append_unsigned(&name, counter++);
  return name;
}

bool write_temporary(Disk& disk, std::string_view folder, const uint8_t* data, size_t size,
                     Text* temporary) {
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    *temporary = next_temporary_name(folder);
    switch (disk.create_new_file(temporary->c_str(), data, size)) {
      case Disk::Created::kWritten:
        return true;
      case Disk::Created::kNameTaken:
        continue;
      case Disk::Created::kFailed:
        if (disk.file_exists(temporary->c_str())) remove_retrying(disk, temporary->c_str());
        return false;
    }
  }
  return false;
}

bool remove_retrying(Disk& disk, const char* path) {
  for (int attempt = 0; attempt < kRemoveTries; ++attempt) {
    if (disk.remove_file(path) || !disk.file_exists(path)) return true;
  }
  return false;
}

Replaced replace_file_step(Disk& disk, const Text& path, const uint8_t* data, size_t size) {
  const Text folder = folder_of(path.view());
  Text temporary;
  if (!write_temporary(disk, folder.view(), data, size, &temporary)) return Replaced::kNotCreated;
  if (!disk.rename_file(temporary.c_str(), path.c_str())) {
    remove_retrying(disk, temporary.c_str());
    return Replaced::kNotRenamed;
  }
  return disk.sync_folder(folder.c_str()) ? Replaced::kDone : Replaced::kNotFlushed;
}

bool replace_file(Disk& disk, const Text& path, const uint8_t* data, size_t size) {
  return replace_file_step(disk, path, data, size) == Replaced::kDone;
}

}  // namespace binario
