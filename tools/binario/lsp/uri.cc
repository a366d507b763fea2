#include "lsp/uri.h"

#include <cctype>

#include "platform/tool_platform.h"

namespace binario::tool {

namespace fs = std::filesystem;

namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string decoded(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && hex_value(s[i + 1]) >= 0 && hex_value(s[i + 2]) >= 0) {
      out.push_back(static_cast<char>(hex_value(s[i + 1]) * 16 + hex_value(s[i + 2])));
      i += 2;
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

}  // namespace

fs::path path_of_uri(const std::string& uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.compare(0, kScheme.size(), kScheme) != 0) return {};
  std::string path = decoded(std::string_view(uri).substr(kScheme.size()));
  // An authority other than an empty one or "localhost" names another machine.
  if (!path.empty() && path[0] != '/') {
    if (path.compare(0, 10, "localhost/") != 0) return {};
    path = path.substr(9);
  }
  // "/c:/x": a drive letter behind the slash.
  if (platform::paths_have_drives() && path.size() >= 3 && path[0] == '/' && path[2] == ':') {
    path = path.substr(1);
  }
  return fs::path(std::u8string(path.begin(), path.end()));
}

std::string uri_of_path(const fs::path& path) {
  const std::u8string u8 = path.generic_u8string();
  std::string p(u8.begin(), u8.end());
  if (p.size() >= 2 && p[1] == ':') {
    // "C:/x" becomes "/c:/x", the drive in lower case as editors write it.
    p[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(p[0])));
  }
  if (p.empty() || p[0] != '/') p = std::string("/") + p;
  std::string out = "file://";
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : p) {
    const auto c = static_cast<unsigned char>(ch);
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      out.push_back(ch);
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

}  // namespace binario::tool
