#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_PAGE_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_PAGE_H_

#include <optional>
#include <string>
#include <vector>

#include "compiled/compiled_route.h"
#include "diagnostics/diagnostic.h"
#include "text/source_lines.h"
#include "text/source_text.h"

namespace binario::tool {

// All the page shows of one scenario.
struct PreviewRoute {
  std::string route_name;  // shown (UTF-8)
  std::string train_name;
  std::optional<CompiledRoute> compiled;  // absent when the texts do not compile
  SourceLines sources;                    // empty when the route came compiled
  std::vector<SourceText> texts;          // the texts the diagnostics point into
  CheckReport report;                     // the faults and warnings of the texts
  std::string problem;                    // why nothing could be read; empty when read
};

// The two drawings as standalone SVG documents.
struct PreviewDrawings {
  std::string ground_plan;
  std::string profile;
};

// One self-contained HTML page: the faults and warnings at their lines, the
// ground plan and the line profile as inline SVG, every object's values (and
// source line) in a data block, and the page's script that shows them,
// zooms the profile and, when served, follows the texts as they are saved.
std::string preview_page(const PreviewRoute& route, PreviewDrawings* drawings);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_PAGE_H_
