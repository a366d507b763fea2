// The whole run over the in-memory disk. The input is the installer from the
// route name area on. A run that ends in an error leaves the folder as it
// was; no run leaves a temporary file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/main_sequence.h"
#include "long_route.h"
#include "memory_disk.h"
#include "package/package_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (binario::fuzz::installs_long_route(data, size)) return 0;  // passed over
  binario::MemoryDisk disk;
  std::string image(binario::kRouteNameOffset, '\0');
  image.append(reinterpret_cast<const char*>(data), size);
  disk.put("/f/setup.exe", image);
  disk.put("/f/older.sim", "older");
  const auto before = disk.files;
  const binario::CompileResult result = binario::installa(disk, binario::Text("/f/setup.exe"));
  if (!result.ok() && disk.files != before) __builtin_trap();
  if (disk.temporaries() != 0) __builtin_trap();
  return 0;
}
