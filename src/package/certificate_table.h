#ifndef BINARIO_PACKAGE_CERTIFICATE_TABLE_H_
#define BINARIO_PACKAGE_CERTIFICATE_TABLE_H_

// The certificate table that code signing appends to a Windows installer,
// behind the package. The PE header's security directory says where it is;
// the table itself is never read.

#include <cstddef>
#include <cstdint>

#include "base/text.h"

namespace binario {

// The table begins on an 8-byte boundary: the signer pads the package's end
// with up to 7 NUL bytes before it.
constexpr size_t kCertificateTableAlignment = 8;

struct CertificateTable {
  enum class Place : uint8_t {
    kNone,       // no security directory, or one that points into the stub
    kAtEnd,      // the table runs from `offset` to the end of the file
    kMisplaced,  // a table behind the package that does not end where the file ends
  };
  Place place = Place::kNone;
  size_t offset = 0;  // where the table begins (not kNone)
  size_t size = 0;
};

// Finds the certificate table of `image`, the installer's whole file. An
// image without a PE header (the stub of another platform) has none.
CertificateTable find_certificate_table(const Bytes& image);

}  // namespace binario

#endif  // BINARIO_PACKAGE_CERTIFICATE_TABLE_H_
