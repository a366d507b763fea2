#include "package/certificate_table.h"

#include "base/coding.h"
#include "package/package_layout.h"

namespace binario {

namespace {

constexpr uint16_t kDosMagic = 0x5a4d;      // "MZ"
constexpr uint32_t kPeSignature = 0x4550;   // "PE\0\0"
constexpr size_t kNewHeaderPointer = 0x3c;  // e_lfanew in the DOS header
constexpr size_t kOptionalHeader = 4 + 20;  // behind the signature and the COFF header
constexpr uint16_t kMagic32 = 0x10b;
constexpr uint16_t kMagic64 = 0x20b;
constexpr size_t kDirectoryCount = 92;         // in the 32-bit optional header
constexpr size_t kSecurityEntry = 96 + 4 * 8;  // directory 4, 8 bytes each
constexpr size_t kWider64 = 16;                // the 64-bit header's wider fields before these
// Everything read lies within this many bytes of the PE header.
constexpr size_t kHeaderSpan = kOptionalHeader + kSecurityEntry + kWider64 + 8;

}  // namespace

CertificateTable find_certificate_table(const Bytes& image) {
  CertificateTable table;
  const size_t end = image.size();
  const uint8_t* file = image.data();
  // The header lies in the stub; an image too short for a package has none.
  if (end < kFirstRecordOffset || decode_u16(file) != kDosMagic) return table;
  const size_t pe = decode_u32(file + kNewHeaderPointer);
  if (pe > kStubLimit - kHeaderSpan || decode_u32(file + pe) != kPeSignature) return table;
  const uint8_t* optional = file + pe + kOptionalHeader;
  const uint16_t magic = decode_u16(optional);
  if (magic != kMagic32 && magic != kMagic64) return table;
  const size_t wider = magic == kMagic64 ? kWider64 : 0;
  if (decode_u32(optional + kDirectoryCount + wider) <= 4) return table;
  // For this one directory the address is a file offset, not a memory address.
  const size_t offset = decode_u32(optional + kSecurityEntry + wider);
  const size_t size = decode_u32(optional + kSecurityEntry + wider + 4);
  // A table inside the stub's own bytes is the stub's business, not the package's.
  if (size == 0 || offset < kFirstRecordOffset) return table;
  table.offset = offset;
  table.size = size;
  table.place = offset <= end && size == end - offset ? CertificateTable::Place::kAtEnd
                                                      : CertificateTable::Place::kMisplaced;
  return table;
}

}  // namespace binario
