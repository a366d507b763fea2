// The package reader on any installer. The input is the installer from the
// route name area on: the stub in front of it is never read.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "package/package.h"
#include "package/package_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  binario::Bytes image(binario::kRouteNameOffset + size, 0);
  if (size != 0) std::memcpy(image.data() + binario::kRouteNameOffset, data, size);
  binario::Package package;
  binario::PackageCheck check = binario::read_package(image, &package);
  // Every record read lies inside the image.
  for (const binario::PackageRecord& r : package.records) {
    if (r.offset > image.size() || r.size > image.size() ||
        r.content + r.size > image.data() + image.size()) {
      __builtin_trap();
    }
  }
  (void)check.fault();
  return 0;
}
