#ifndef BINARIO_TOOLS_TEXT_DISPLAY_TEXT_H_
#define BINARIO_TOOLS_TEXT_DISPLAY_TEXT_H_

#include <string>
#include <string_view>

namespace binario::tool {

// 8-bit text in the simulator's Windows code page (1252), shown in UTF-8.
// Bytes the code page leaves undefined show as U+FFFD; control bytes stay.
std::string display_text(std::string_view bytes);

// The same between single quotes, as messages quote names and fields.
std::string quoted_text(std::string_view bytes);

// The Unicode character of a byte of the code page; 0 for the five bytes it
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
char32_t windows_1252_character(unsigned char byte);

// The byte of the code page for `character`, or -1 when it has none. The
// C1 controls of the five undefined bytes stand for those bytes, so that
// every byte comes back as it was.
int windows_1252_byte(char32_t character);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_TEXT_DISPLAY_TEXT_H_
