#ifndef BINARIO_TOOLS_PREVIEW_PREVIEW_PAGE_H_
#define BINARIO_TOOLS_PREVIEW_PREVIEW_PAGE_H_

#include <string>

#include "compiled/compiled_route.h"
#include "text/source_lines.h"

namespace binario::tool {

struct PreviewRoute {
  std::string route_name;  // shown (UTF-8)
  std::string train_name;
  CompiledRoute compiled;
  SourceLines sources;  // empty when the route came compiled
};

// The two drawings as standalone SVG documents.
struct PreviewDrawings {
  std::string ground_plan;
  std::string profile;
};

// One self-contained HTML page: the ground plan and the line profile as
// inline SVG, every object's values (and source line) in an inline data block,
// and a small script that shows them on hover or click. Long routes are drawn
// with fewer points; the details always hold the full values.
std::string preview_page(const PreviewRoute& route, PreviewDrawings* drawings);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_PREVIEW_PREVIEW_PAGE_H_
