#include "package/seal.h"

#include <cstdint>
#include <cstring>

#include "base/coding.h"
#include "base/crc32.h"
#include "package/certificate_table.h"
#include "package/package_layout.h"

namespace binario {

namespace {

constexpr size_t kLengthAt = 8;
constexpr size_t kPackageCrcAt = 16;
constexpr size_t kSealCrcAt = 20;

bool all_zero(const uint8_t* p, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    if (p[i] != 0) return false;
  }
  return true;
}

}  // namespace

SealCheck check_seal(const Bytes& image, size_t end, bool signed_end) {
  SealCheck check;
  check.actual_end = end;
  const uint8_t* seal = image.data() + kSealOffset;
  if (all_zero(seal, kSealSize)) return check;
  check.state = SealCheck::State::kDamaged;
  if (std::memcmp(seal, kSealMagic, sizeof kSealMagic) != 0 ||
      crc32(seal, kSealCrcAt) != decode_u32(seal + kSealCrcAt)) {
    return check;
  }
  const uint64_t length = decode_u64(seal + kLengthAt);
  check.sealed_crc = decode_u32(seal + kPackageCrcAt);
  check.state = SealCheck::State::kLengthDiffers;
  if (length > image.size() - kRouteNameOffset) {
    check.sealed_end = length <= SIZE_MAX - kRouteNameOffset
                           ? kRouteNameOffset + static_cast<size_t>(length)
                           : SIZE_MAX;
    return check;
  }
  check.sealed_end = kRouteNameOffset + static_cast<size_t>(length);
  // A signer pads the package to the table's boundary with NULs.
  const size_t padding = end - check.sealed_end;
  if (check.sealed_end > end ||
      (padding != 0 && (!signed_end || padding >= kCertificateTableAlignment ||
                        !all_zero(image.data() + check.sealed_end, padding)))) {
    return check;
  }
  check.actual_end = check.sealed_end;
  check.state =
      crc32(image.data() + kRouteNameOffset, static_cast<size_t>(length)) == check.sealed_crc
          ? SealCheck::State::kIntact
          : SealCheck::State::kChecksumDiffers;
  return check;
}

void put_seal(Bytes* image) {
  const size_t length = image->size() - kRouteNameOffset;
  Bytes seal(kSealMagic, kSealMagic + sizeof kSealMagic);
  put_fixed(&seal, length, 8);
  put_u32(&seal, crc32(image->data() + kRouteNameOffset, length));
  put_u32(&seal, crc32(seal.data(), seal.size()));
  std::memcpy(image->data() + kSealOffset, seal.data(), seal.size());
}

}  // namespace binario
