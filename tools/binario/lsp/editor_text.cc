#include "lsp/editor_text.h"

#include <cstdint>

#include "text/display_text.h"

namespace binario::tool {

namespace {

// The next character of `s` from `*at`, which moves past it. A byte that
// begins no well-formed sequence is one character, U+FFFD.
char32_t next_code_point(std::string_view s, size_t* at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(*at);
  int length = lead < 0x80         ? 1
               : (lead >> 5) == 6  ? 2
               : (lead >> 4) == 14 ? 3
               : (lead >> 3) == 30 ? 4
                                   : 0;
  if (length == 0 || *at + static_cast<size_t>(length) > s.size()) {
    ++*at;
    return lead < 0x80 ? lead : 0xFFFD;
  }
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const unsigned char c = byte(*at + static_cast<size_t>(i));
    if ((c >> 6) != 2) {
      ++*at;
      return 0xFFFD;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  *at += static_cast<size_t>(length);
  return cp;
}

int utf16_units(char32_t cp) { return cp >= 0x10000 ? 2 : 1; }

}  // namespace

std::string windows_1252_bytes(std::string_view utf8, std::vector<Unencodable>* unencodable) {
  std::string bytes;
  bytes.reserve(utf8.size());
  int line = 1;
  int column = 1;
  size_t at = 0;
  while (at < utf8.size()) {
    const char32_t cp = next_code_point(utf8, &at);
    const int byte = windows_1252_byte(cp);
    if (byte < 0) unencodable->push_back({line, column, cp});
    bytes.push_back(static_cast<char>(byte < 0 ? '?' : byte));
    ++column;
    const bool crlf = cp == '\r' && at < utf8.size() && utf8[at] == '\n';
    if ((cp == '\r' && !crlf) || cp == '\n') {
      ++line;
      column = 1;
    }
  }
  return bytes;
}

std::string utf8_of_windows_1252(std::string_view bytes) { return display_text(bytes); }

int utf16_column(std::string_view utf8_line, int column) {
  int units = 0;
  size_t at = 0;
  for (int byte = 1; byte < column && at < utf8_line.size(); ++byte) {
    units += utf16_units(next_code_point(utf8_line, &at));
  }
  return units;
}

int byte_column(std::string_view utf8_line, int character) {
  int column = 1;
  int units = 0;
  size_t at = 0;
  while (at < utf8_line.size()) {
    size_t next = at;
    units += utf16_units(next_code_point(utf8_line, &next));
    if (units > character) break;
    at = next;
    ++column;
  }
  return column;
}

TextLines::TextLines(std::string_view text) : text_(text) {
  starts_.push_back(0);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n') starts_.push_back(i + 1);
  }
}

std::string_view TextLines::line(int line) const {
  if (line < 1 || line > count()) return {};
  const size_t start = starts_[static_cast<size_t>(line - 1)];
  size_t end = line < count() ? starts_[static_cast<size_t>(line)] : text_.size();
  if (line < count() && text_[end - 1] == '\n') --end;
  if (line < count() && end > start && text_[end - 1] == '\r') --end;
  return text_.substr(start, end - start);
}

size_t TextLines::offset(int line, int character) const {
  if (line < 0) return 0;
  if (line >= count()) return text_.size();
  const std::string_view l = this->line(line + 1);
  const size_t start = starts_[static_cast<size_t>(line)];
  size_t at = 0;
  int units = 0;
  while (at < l.size() && units < character) {
    size_t next = at;
    units += utf16_units(next_code_point(l, &next));
    if (units > character) break;  // inside a surrogate pair: its start
    at = next;
  }
  return start + at;
}

}  // namespace binario::tool
