#ifndef BINARIO_PACKAGE_PACKAGE_LAYOUT_H_
#define BINARIO_PACKAGE_PACKAGE_LAYOUT_H_

// Where the package sits in the installer. The offsets are fixed, whatever
// the size of the stub in front of them:
//
//   0      the stub, then zero bytes up to the seal
//   49975  the seal: zero bytes in installers packed without one
//   49999  route name area: the name, a NUL, NULs to the end of the area
//   50099  train name area: the same
//   50199  file records back to back, the last one ending at the end of the file
//
// A file record is a 100-byte name field (the name, a NUL, NULs), a 32-bit
// little-endian signed content length, then the content itself.

#include <cstddef>

namespace binario {

constexpr size_t kRouteNameOffset = 49999;
constexpr size_t kTrainNameOffset = 50099;
constexpr size_t kFirstRecordOffset = 50199;

// The seal sits in the filler just in front of the route name area:
//
//   0   8  magic "binseal1"
//   8   8  the package's length in bytes, from the route name area on
//   16  4  CRC-32 of those bytes
//   20  4  CRC-32 of the seal's first 20 bytes
//
// All zero: an installer packed before seals, which installs unchecked.
constexpr size_t kSealSize = 24;
constexpr size_t kSealOffset = kRouteNameOffset - kSealSize;
constexpr char kSealMagic[8] = {'b', 'i', 'n', 's', 'e', 'a', 'l', '1'};

// The stub must end before the seal.
constexpr size_t kStubLimit = kSealOffset;

// A name area and a record's name field have the same size; the name fills
// at most all but one byte of it, so that its NUL lies inside.
constexpr size_t kNameFieldSize = 100;
constexpr size_t kMaxNameLength = kNameFieldSize - 1;

// A record's content length follows its name field.
constexpr size_t kRecordLengthOffset = kNameFieldSize;
constexpr size_t kRecordHeaderSize = kRecordLengthOffset + 4;

}  // namespace binario

#endif  // BINARIO_PACKAGE_PACKAGE_LAYOUT_H_
