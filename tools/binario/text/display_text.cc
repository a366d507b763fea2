#include "text/display_text.h"

#include <cstdint>

namespace binario::tool {

namespace {

// Code points of the bytes 0x80 to 0x9F; 0 where the code page defines none.
constexpr uint16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void append_utf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

char32_t windows_1252_character(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

int windows_1252_byte(char32_t character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<int>(character);
  }
  for (int i = 0; i < 32; ++i) {
    const char32_t defined = kHigh[i] != 0 ? kHigh[i] : 0x80 + i;
    if (defined == character) return 0x80 + i;
  }
  return -1;
}

std::string display_text(std::string_view bytes) {
  std::string shown;
  for (unsigned char c : bytes) {
    const char32_t cp = windows_1252_character(c);
    append_utf8(cp != 0 ? cp : 0xFFFD, &shown);
  }
  return shown;
}

std::string quoted_text(std::string_view bytes) {
  std::string out = "'";
  out += display_text(bytes);
  out += '\'';
  return out;
}

}  // namespace binario::tool
