// The compile driver with any route text and a scenario text that holds
// nothing but its sections.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/compile_driver.h"
#include "fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  binario::fuzz::compile(std::string(reinterpret_cast<const char*>(data), size),
                         "[generale]\r\n[fine]\r\n");
  return 0;
}
