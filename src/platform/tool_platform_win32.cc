#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/tool_platform.h"

namespace binario::platform {

std::filesystem::path path_from_name(std::string_view name) {
  if (name.empty()) return {};
  const int size = static_cast<int>(name.size());
  const int wide = MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
  std::wstring text(static_cast<size_t>(wide), L'\0');
  MultiByteToWideChar(CP_ACP, 0, name.data(), size, text.data(), wide);
  return std::filesystem::path(text);
}

std::string name_of(const std::filesystem::path& path) {
  const std::wstring& text = path.native();
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int narrow =
      WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string name(static_cast<size_t>(narrow), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, name.data(), narrow, nullptr, nullptr);
  return name;
}

std::filesystem::path own_folder() {
  std::wstring buffer(32768, L'\0');
  const DWORD length =
      GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length == 0 || length >= buffer.size()) return {};
  buffer.resize(length);
  return std::filesystem::path(buffer).parent_path();
}

std::string last_error_text() {
  const DWORD code = GetLastError();
  char text[512];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           code, 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == '.')) --n;
  return n > 0 ? std::string(text, n) : "error " + std::to_string(code);
}

bool make_executable(const char*) { return true; }

bool console_is_own() {
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1;
}

void use_binary_standard_streams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

bool paths_have_drives() { return true; }

}  // namespace binario::platform
