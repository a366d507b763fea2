#ifndef BINARIO_FUZZ_LONG_ROUTE_H_
#define BINARIO_FUZZ_LONG_ROUTE_H_

// The inputs that the route and install harnesses pass over: those whose
// route is long. A route length builds a plan point for every metre of the
// route and of the 7000 m run-out behind it, and a grid cell for every 50;
// a run over a long route spends nearly all its time there, and the fuzzer
// goes no deeper for it. The longest route has its own test
// (src/app/compile_longest_route_test.cc).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "base/field_reader.h"
#include "base/keyword_table.h"
#include "base/text.h"
#include "model/file_names.h"
#include "package/package.h"
#include "package/package_layout.h"

namespace binario::fuzz {

// Longest route the harnesses compile, in metres.
constexpr int32_t kLongestFuzzedRoute = 5000;
// Longer routes than this are refused before anything is built: cheap, and
// fuzzed like any other input.
constexpr int32_t kLongestRoute = 1000000;

// True when a route length line of `route_text` asks for a route longer than
// kLongestFuzzedRoute that the route reader would build. The fields are read
// as the route reader reads them, from the general section title to the next
// section title, and the value after a route length keyword as the reader
// reads the length.
inline bool asks_for_long_route(std::string_view route_text) {
  const Keyword general_section{"[generale]"};
  const Keyword route_length{"lunghezza", "percorso"};
  FieldReader in(route_text);
  Text field;
  bool in_general_section = false;
  while (!in.at_end()) {
    in.read_text(&field);
    const std::string_view f = field.view();
    if (!in_general_section) {
      in_general_section = general_section.matches(f);
    } else if (route_length.matches(f)) {
      const int32_t length = in.read_i32();
      if (in.failed()) return false;
      if (length > kLongestFuzzedRoute && length <= kLongestRoute) return true;
    } else if (!contains(f, "-") && contains(f, "[") && contains(f, "]")) {
      return false;  // the line section: the length is no longer read
    }
  }
  return false;
}

// The same for an installer image from the route name area on (the install
// harness's input): true when a route text the package holds asks for a long
// route. A package that does not read whole is refused before any route is built.
inline bool installs_long_route(const uint8_t* data, size_t size) {
  Bytes image(kRouteNameOffset + size, 0);
  if (size != 0) std::memcpy(image.data() + kRouteNameOffset, data, size);
  Package package;
  if (!read_package(image, &package).passed()) return false;
  const std::string route_text_name = std::string(package.nome_percorso) + kRouteTextSuffix;
  for (const PackageRecord& record : package.records) {
    if (record.name != route_text_name) continue;
    const std::string_view text(reinterpret_cast<const char*>(record.content), record.size);
    if (asks_for_long_route(text)) return true;
  }
  return false;
}

}  // namespace binario::fuzz

#endif  // BINARIO_FUZZ_LONG_ROUTE_H_
