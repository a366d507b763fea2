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

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_TEXT_DISPLAY_TEXT_H_
