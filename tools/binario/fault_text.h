#ifndef BINARIO_TOOLS_BINARIO_FAULT_TEXT_H_
#define BINARIO_TOOLS_BINARIO_FAULT_TEXT_H_

#include <cstdint>
#include <string>

namespace binario::tool {

// What a compile fault code means, in a scenario author's words.
std::string fault_text(int32_t code);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_FAULT_TEXT_H_
