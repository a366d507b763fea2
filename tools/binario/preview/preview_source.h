#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_PREVIEW_SOURCE_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_PREVIEW_SOURCE_H_

#include <string>
#include <vector>

#include "preview/page.h"

namespace binario::tool {

// Reads what the page shows from an installer, a folder (the two texts or the
// three compiled files) or the route text and the scenario text. The texts
// are checked and compiled in memory as a player's run would compile them;
// nothing is written anywhere. Never fails: what cannot be read or compiled
// is told in the result's `problem` and `report`.
PreviewRoute load_preview(const std::vector<std::string>& source);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_PREVIEW_SOURCE_H_
