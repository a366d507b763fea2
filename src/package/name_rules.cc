#include "package/name_rules.h"

#include <array>

#include "base/text.h"
#include "platform/replace_file.h"

namespace binario {

namespace {

bool is_forbidden(unsigned char c) {
  if (c < 0x20) return true;
  switch (c) {
    case '/':
    case '\\':
    case ':':
    case '<':
    case '>':
    case '"':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return false;
  }
}

// Windows opens a device instead of a file for these names, with any
// extension and in any letter case; trailing blanks before the extension are
// dropped by the system too.
bool is_device_name(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  static constexpr std::array<std::string_view, 4> kDevices = {"con", "prn", "aux", "nul"};
  for (std::string_view device : kDevices) {
    if (same_file_name(stem, device)) return true;
  }
  if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9') {
    std::string_view port = stem.substr(0, 3);
    return same_file_name(port, "com") || same_file_name(port, "lpt");
  }
  return false;
}

}  // namespace

bool same_file_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (to_lower_ascii(a[i]) != to_lower_ascii(b[i])) return false;
  }
  return true;
}

int first_forbidden_byte(std::string_view name) {
  for (char c : name) {
    if (is_forbidden(static_cast<unsigned char>(c))) return static_cast<unsigned char>(c);
  }
  return -1;
}

NameFault check_name(std::string_view name, NameUse use) {
  if (first_forbidden_byte(name) >= 0) return NameFault::kForbiddenByte;
  // The route name begins the names of the run's files, and a record name is one.
  if (name.size() >= kTemporaryPrefix.size() &&
      same_file_name(name.substr(0, kTemporaryPrefix.size()), kTemporaryPrefix)) {
    return NameFault::kTemporaryName;
  }
  if (use == NameUse::kFileName) {
    if (name == "." || name == "..") return NameFault::kDotName;
    if (is_device_name(name)) return NameFault::kDeviceName;
  }
  return NameFault::kNone;
}

}  // namespace binario
