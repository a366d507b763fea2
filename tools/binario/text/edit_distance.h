#ifndef BINARIO_TOOLS_BINARIO_TEXT_EDIT_DISTANCE_H_
#define BINARIO_TOOLS_BINARIO_TEXT_EDIT_DISTANCE_H_

#include <cstddef>
#include <string_view>

namespace binario::tool {

// Edits (insert, delete, replace, swap two neighbours) that turn a into b.
size_t edit_distance(std::string_view a, std::string_view b);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_TEXT_EDIT_DISTANCE_H_
