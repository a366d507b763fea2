#ifndef BINARIO_TOOLS_BINARIO_PREVIEW_DRAWING_H_
#define BINARIO_TOOLS_BINARIO_PREVIEW_DRAWING_H_

// What the two drawings share: the route they draw and small helpers.

#include <cstdint>
#include <string>
#include <vector>

#include "compiled/compiled_route.h"
#include "preview/objects.h"

namespace binario::tool {

struct DrawingInput {
  const CompiledRoute& route;
  const std::vector<PreviewObject>& objects;
};

// A drawing as inline SVG; `standalone` adds the XML declaration and the
// styles a file of its own needs.
struct Drawing {
  std::string svg;
  double width = 0, height = 0;
};

// The route length in metres ("lunghezza percorso"), 0 when unknown.
int64_t route_length(const CompiledRoute& route);

// "10:53" or "10:53:20".
std::string short_clock(int64_t seconds);

// Width in pixels that a name takes in the page's font of `size` pixels;
// generous, so that names measured in the browser are no wider.
double text_width(const std::string& text, double size, bool bold);

// 1, 2 or 5 times a power of ten, at least `at_least`.
double nice_length(double at_least);

// "km 12.345".
std::string km_text(int64_t metres);

// "500 m", "2 km", "1.5 km".
std::string length_text(double metres);

}  // namespace binario::tool

#endif  // BINARIO_TOOLS_BINARIO_PREVIEW_DRAWING_H_
