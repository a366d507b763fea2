#include "package/certificate_table.h"

#include "common/coding.h"
#include "package/package_layout.h"

namespace binario {

namespace {

constexpr size_t kNewHeaderPointer = 0x3c;  // e_lfanew in the DOS header
constexpr size_t kFileHeaderSize = 4 + 20;  // "PE\0\0" and the COFF header
constexpr uint16_t kMagic32 = 0x10b;
constexpr uint16_t kMagic64 = 0x20b;
constexpr uint32_t kSecurityDirectory = 4;
constexpr size_t kDirectoryEntrySize = 8;

uint16_t u16_at(const Bytes& image, size_t offset) { return decode_u16(image.data() + offset); }
uint32_t u32_at(const Bytes& image, size_t offset) { return decode_u32(image.data() + offset); }

}  // namespace

CertificateTable find_certificate_table(const Bytes& image) {
  CertificateTable table;
  const size_t end = image.size();
  if (end < kNewHeaderPointer + 4 || image[0] != 'M' || image[1] != 'Z') return table;
  const size_t pe = u32_at(image, kNewHeaderPointer);
  // The header lies in the stub; anything else is not a header of ours.
  if (pe >= kStubLimit || pe + kFileHeaderSize + 2 > end) return table;
  if (image[pe] != 'P' || image[pe + 1] != 'E' || image[pe + 2] != 0 || image[pe + 3] != 0) {
    return table;
  }
  const size_t optional = pe + kFileHeaderSize;
  const uint16_t magic = u16_at(image, optional);
  if (magic != kMagic32 && magic != kMagic64) return table;
  const size_t count_at = optional + (magic == kMagic64 ? 108 : 92);
  const size_t directories = count_at + 4;
  const size_t entry = directories + kSecurityDirectory * kDirectoryEntrySize;
  if (entry + kDirectoryEntrySize > end || u32_at(image, count_at) <= kSecurityDirectory) {
    return table;
  }
  // For this one directory the address is a file offset, not a memory address.
  const size_t offset = u32_at(image, entry);
  const size_t size = u32_at(image, entry + 4);
  // A table inside the stub's own bytes is the stub's business, not the package's.
  if (size == 0 || offset < kFirstRecordOffset) return table;
  table.offset = offset;
  table.size = size;
  table.place = offset <= end && size == end - offset ? CertificateTable::Place::kAtEnd
                                                      : CertificateTable::Place::kMisplaced;
  return table;
}

}  // namespace binario
