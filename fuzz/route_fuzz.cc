// The compile driver with any route text and a scenario text that holds
// nothing but its sections. A long route is passed over (long_route.h).

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/compile_driver.h"
#include "fuzz_folder.h"
#include "long_route.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string route(reinterpret_cast<const char*>(data), size);
  if (binario::fuzz::asks_for_long_route(route)) return 0;
  binario::fuzz::compile(route, "[generale]\r\n[fine]\r\n");
  return 0;
}
