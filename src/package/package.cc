#include "package/package.h"

#include <cstring>

#include "base/coding.h"
#include "package/package_layout.h"

namespace binario {

namespace {

// The name stored in the field at `offset`: its bytes before the NUL. False
// when the field holds no NUL.
bool read_name_field(const Bytes& image, size_t offset, std::string_view* name) {
  const char* field = reinterpret_cast<const char*>(image.data() + offset);
  const void* nul = std::memchr(field, '\0', kNameFieldSize);
  if (nul == nullptr) return false;
  *name = std::string_view(field, static_cast<size_t>(static_cast<const char*>(nul) - field));
  return true;
}

// True when the bytes from `offset` to `end` are the NULs with which the
// signer brings the certificate table to its boundary.
bool only_alignment_padding(const Bytes& image, size_t offset, size_t end) {
  if (end - offset >= kCertificateTableAlignment) return false;
  for (size_t i = offset; i < end; ++i) {
    if (image[i] != 0) return false;
  }
  return true;
}

PackageCheck flaw_at(PackageFlaw flaw, size_t offset, size_t record = 0) {
  PackageCheck check;
  check.flaw = flaw;
  check.offset = offset;
  check.record = record;
  return check;
}

// The first unsafe name of a package whose layout is sound.
PackageCheck check_names(const Package& package) {
  PackageCheck check;
  NameFault fault = check_name(package.nome_percorso, NameUse::kScenarioName);
  if (fault != NameFault::kNone) {
    check = flaw_at(PackageFlaw::kUnsafeRouteName, kRouteNameOffset);
  } else if ((fault = check_name(package.nome_treno, NameUse::kScenarioName)) != NameFault::kNone) {
    check = flaw_at(PackageFlaw::kUnsafeTrainName, kTrainNameOffset);
  } else {
    for (size_t i = 0; i < package.records.size(); ++i) {
      fault = check_name(package.records[i].name, NameUse::kFileName);
      if (fault != NameFault::kNone) {
        check = flaw_at(PackageFlaw::kUnsafeRecordName, package.records[i].offset, i);
        break;
      }
    }
  }
  check.name_fault = fault;
  return check;
}

}  // namespace

bool PackageCheck::damaged() const {
  return flaw != PackageFlaw::kNone && flaw != PackageFlaw::kUnsafeRouteName &&
         flaw != PackageFlaw::kUnsafeTrainName && flaw != PackageFlaw::kUnsafeRecordName;
}

Fault PackageCheck::fault() const {
  if (passed()) return Fault::kNone;
  return damaged() ? Fault::kPackageDamaged : Fault::kPackageUnsafe;
}

namespace {

// The records from the first record's offset to `end`, the package's end.
PackageCheck read_records(const Bytes& image, size_t end, Package* package) {
  const bool signed_end = package->certificate_table.place == CertificateTable::Place::kAtEnd;
  size_t offset = kFirstRecordOffset;
  while (offset < end) {
    const size_t index = package->records.size();
    if (signed_end && only_alignment_padding(image, offset, end)) break;
    if (end - offset < kRecordHeaderSize) {
      return flaw_at(PackageFlaw::kIncompleteRecord, offset, index);
    }
    PackageRecord record;
    record.offset = offset;
    if (!read_name_field(image, offset, &record.name)) {
      return flaw_at(PackageFlaw::kRecordNameWithoutNul, offset, index);
    }
    if (record.name.empty()) return flaw_at(PackageFlaw::kEmptyRecordName, offset, index);
    const int32_t length = decode_i32(image.data() + offset + kRecordLengthOffset);
    if (length < 0) return flaw_at(PackageFlaw::kNegativeLength, offset, index);
    const size_t content = offset + kRecordHeaderSize;
    record.size = static_cast<size_t>(length);
    if (record.size > end - content) return flaw_at(PackageFlaw::kContentPastEnd, offset, index);
    record.content = image.data() + content;
    package->records.push_back(record);
    offset = content + record.size;
  }
  return PackageCheck();
}

PackageFlaw seal_flaw(SealCheck::State state) {
  switch (state) {
    case SealCheck::State::kDamaged:
      return PackageFlaw::kSealDamaged;
    case SealCheck::State::kLengthDiffers:
      return PackageFlaw::kLengthDiffers;
    case SealCheck::State::kChecksumDiffers:
      return PackageFlaw::kChecksumDiffers;
    default:
      return PackageFlaw::kNone;
  }
}

}  // namespace

PackageCheck read_package(const Bytes& image, Package* package, SealUse seal) {
  *package = Package();
  // Too short for its names: cut within the stub, or no installer at all.
  if (image.size() < kFirstRecordOffset) return flaw_at(PackageFlaw::kTooShort, image.size());

  size_t end = image.size();
  package->certificate_table = find_certificate_table(image);
  switch (package->certificate_table.place) {
    case CertificateTable::Place::kNone:
      break;
    case CertificateTable::Place::kAtEnd:
      end = package->certificate_table.offset;
      break;
    case CertificateTable::Place::kMisplaced:
      // A signed download cut short, or bytes added after signing.
      return flaw_at(PackageFlaw::kSignatureNotAtEnd, package->certificate_table.offset);
  }
  package->seal =
      check_seal(image, end, package->certificate_table.place == CertificateTable::Place::kAtEnd);

  // What can be read is read, for the author tool to show, even when the
  // seal already refuses the package.
  PackageCheck layout;
  if (!read_name_field(image, kRouteNameOffset, &package->nome_percorso)) {
    layout = flaw_at(PackageFlaw::kRouteNameWithoutNul, kRouteNameOffset);
  } else if (!read_name_field(image, kTrainNameOffset, &package->nome_treno)) {
    layout = flaw_at(PackageFlaw::kTrainNameWithoutNul, kTrainNameOffset);
  } else {
    layout = read_records(image, end, package);
  }
  if (seal == SealUse::kCheck && package->seal.refused()) {
    // A length that differs is reported where the sealed package should end.
    const bool cut_or_added = package->seal.state == SealCheck::State::kLengthDiffers;
    return flaw_at(seal_flaw(package->seal.state),
                   cut_or_added ? package->seal.sealed_end : kSealOffset);
  }
  if (!layout.passed()) return layout;
  return check_names(*package);
}

}  // namespace binario
