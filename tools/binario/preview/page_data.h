#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_PAGE_DATA_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_PAGE_DATA_H_

#include <string>
#include <vector>

#include "preview/objects.h"
#include "preview/page.h"

namespace binario::tool {

// The page's data block, JSON that may stand inside a <script> element:
// every object with its values as numbers and units, every cell's stretch
// values and the text lines that set them.
std::string page_data(const PreviewRoute& route, const std::vector<PreviewObject>& objects);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_PAGE_DATA_H_
