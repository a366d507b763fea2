// The compile driver with a fixed small route and any scenario text. The
// route's plan, a point for every metre of it and of the 7000 m run-out, is
// built on every run, so the route is short: 1000 m, a grid to 8000 m.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  binario::fuzz::compile(
      "[generale]\r\nlunghezza percorso, 1000\r\nprogressiva, 0, 0\r\n[linea]\r\n"
      "pendenza, 0, 5000, 3\r\ncurvad3, 1000, 150\r\n[fine]\r\n",
      std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
