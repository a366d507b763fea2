#ifndef BINARIO_PACKAGE_SEAL_H_
#define BINARIO_PACKAGE_SEAL_H_

// The installer's seal: the length and CRC-32 of its package, written by the
// packer into the filler in front of the route name area (package_layout.h),
// so that a download cut short, flipped bits or records added afterwards are
// found before anything is written.

#include <cstddef>
#include <cstdint>

#include "base/text.h"

namespace binario {

struct SealCheck {
  enum class State : uint8_t {
    kUnsealed,         // zero filler: packed before seals, installs unchecked
    kIntact,           // the package is exactly the bytes that were sealed
    kDamaged,          // the seal itself is not one the packer writes
    kLengthDiffers,    // the package is shorter or longer than sealed
    kChecksumDiffers,  // the package's bytes are not those that were sealed
  };
  State state = State::kUnsealed;
  // Where the sealed package ends in the installer (kIntact, kLengthDiffers,
  // kChecksumDiffers), and where the installer's package really ends.
  size_t sealed_end = 0;
  size_t actual_end = 0;
  uint32_t sealed_crc = 0;  // the CRC-32 the seal holds, once the seal itself is sound

  bool refused() const { return state != State::kUnsealed && state != State::kIntact; }
};

// Checks the seal of `image`, the installer's whole file, whose package
// ends at `end`: the end of the file, or where a signer's certificate table
// begins (`signed_end`), in front of which up to 7 NUL bytes may pad the
// sealed package. `image` holds at least the route name area's offset.
SealCheck check_seal(const Bytes& image, size_t end, bool signed_end);

// Writes the seal of the package that runs from the route name area to the
// end of `image` into its place in the filler. `image` holds the whole
// installer as begin_installer and append_record built it.
void put_seal(Bytes* image);

}  // namespace binario

#endif  // BINARIO_PACKAGE_SEAL_H_
