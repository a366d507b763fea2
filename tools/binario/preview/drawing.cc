#include "preview/drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "preview/svg_writer.h"

namespace binario::tool {

int64_t route_length(const CompiledRoute& route) {
  return route.records.size() > static_cast<size_t>(kServiceRecord)
             ? route.records[kServiceRecord].area_end
             : 0;
}

std::string short_clock(int64_t seconds) {
  const std::string text = clock_text(seconds);
  return seconds % 60 == 0 ? text.substr(0, 5) : text;
}

double text_width(const std::string& text, double size, bool bold) {
  // Characters of UTF-8, not bytes; capitals and bold run wider.
  double em = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) == 0x80) continue;
    em += (c >= 'A' && c <= 'Z') ? 0.72 : c == ' ' ? 0.32 : 0.58;
  }
  return em * size * (bold ? 1.08 : 1.0);
}

double nice_length(double at_least) {
  const double unit = std::pow(10.0, std::floor(std::log10(std::max(at_least, 1.0))));
  for (double f : {1.0, 2.0, 5.0, 10.0}) {
    if (f * unit >= at_least) return f * unit;
  }
  return 10 * unit;
}

std::string km_text(int64_t metres) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "km %s%lld.%03lld", metres < 0 ? "-" : "",
                static_cast<long long>(std::llabs(metres) / 1000),
                static_cast<long long>(std::llabs(metres) % 1000));
  return buffer;
}

std::string length_text(double metres) {
  if (metres < 1000) return svg_number(std::round(metres)) + " m";
  return svg_number(metres / 1000) + " km";
}

}  // namespace binario::tool
