// The compile driver with a fixed small route and any scenario text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  binario::fuzz::compile(
      "[generale]\r\nlunghezza percorso, 5000\r\nprogressiva, 0, 0\r\n[linea]\r\n"
      "pendenza, 0, 5000, 3\r\ncurvad3, 1000, 150\r\n[fine]\r\n",
      std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
