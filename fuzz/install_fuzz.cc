// The whole run over the in-memory disk. The input is the installer from the
// route name area on. Each input runs as packed before seals: a run that ends
// in an error leaves the folder as it was, and no run leaves a temporary
// file. Then it runs one more way, chosen by the input's CRC-32, so that the
// fuzzer keeps its pace:
//   - sealed: exactly the same end and the same folder;
//   - sealed, then one bit of the package flipped: refused with 1252, and
//     nothing written;
//   - sealed, in a folder where a run died in its commit: that commit is
//     finished first, whatever this run then does, and nothing is left over.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "app/main_sequence.h"
#include "base/crc32.h"
#include "long_route.h"
#include "memory_disk.h"
#include "package/package_layout.h"
#include "package/seal.h"
#include "platform/journal.h"

namespace {

using Folder = std::map<std::string, std::string>;
const char* const kInstaller = "/f/setup.exe";

binario::MemoryDisk folder_with(const std::string& installer) {
  binario::MemoryDisk disk;
  disk.put(kInstaller, installer);
  disk.put("/f/older.sim", "older");
  return disk;
}

// The folder without the installer, which differs between the ways.
Folder without_installer(Folder files) {
  files.erase(kInstaller);
  return files;
}

std::string sealed(const std::string& image) {
  binario::Bytes bytes(image.size());
  std::memcpy(bytes.data(), image.data(), image.size());
  binario::put_seal(&bytes);
  return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void check(bool holds) {
  if (!holds) __builtin_trap();
}

// The run of `sealed_image` over a folder where a run died after flushing
// its journal and setting older.sim aside, and left a temporary of an earlier
// death behind. `fault` is how the run ends in a folder without them.
void check_interrupted_commit(const std::string& sealed_image, binario::Fault fault) {
  binario::MemoryDisk interrupted = folder_with(sealed_image);
  interrupted.files.erase("/f/older.sim");
  interrupted.put("/f/binario-tmp-7-1", "older");
  interrupted.put("/f/binario-tmp-7-0", "staged");
  interrupted.put("/f/binario-tmp-3-0", "from a run killed while staging");
  binario::Text journal;
  binario::add_journal_entry({"older.sim", "binario-tmp-7-0", "binario-tmp-7-1"}, &journal);
  binario::end_journal(&journal);
  interrupted.put("/f/binario-tmp-journal", std::string(journal.view()));
  const Folder left = interrupted.files;
  const binario::CompileResult after = binario::installa(interrupted, binario::Text(kInstaller));
  check(after.fault == fault);
  const bool refused = after.fault == binario::Fault::kPackageDamaged ||
                       after.fault == binario::Fault::kPackageUnsafe;
  if (refused) {
    // A package refused writes nothing, not even the recovery.
    check(interrupted.files == left);
  } else {
    check(interrupted.temporaries() == 0);
    // Its own run may replace older.sim again; a failed one leaves the finished commit.
    check(after.ok() ? interrupted.has("/f/older.sim")
                     : interrupted.get("/f/older.sim") == "staged");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (binario::fuzz::installs_long_route(data, size)) return 0;  // passed over
  std::string image(binario::kRouteNameOffset, '\0');
  image.append(reinterpret_cast<const char*>(data), size);
  const binario::Text installer(kInstaller);

  binario::MemoryDisk plain = folder_with(image);
  const Folder before = without_installer(plain.files);
  const binario::CompileResult result = binario::installa(plain, installer);
  check(result.ok() || without_installer(plain.files) == before);
  check(plain.temporaries() == 0);

  const std::string sealed_image = sealed(image);
  const uint32_t crc = binario::crc32(data, size);
  switch (crc % 3) {
    case 0: {
      binario::MemoryDisk with_seal = folder_with(sealed_image);
      const binario::CompileResult sealed_result = binario::installa(with_seal, installer);
      check(sealed_result.fault == result.fault &&
            without_installer(with_seal.files) == without_installer(plain.files));
      break;
    }
    case 1: {
      if (size == 0) break;
      std::string flipped = sealed_image;
      const uint32_t at = crc % size;
      flipped[binario::kRouteNameOffset + at] ^= static_cast<char>(1u << (crc % 8));
      binario::MemoryDisk damaged = folder_with(flipped);
      check(binario::installa(damaged, installer).fault == binario::Fault::kPackageDamaged);
      check(without_installer(damaged.files) == before);
      break;
    }
    default:
      check_interrupted_commit(sealed_image, result.fault);
  }
  return 0;
}
