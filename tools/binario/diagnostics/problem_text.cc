#include "diagnostics/problem_text.h"

#include <cstdio>

#include "app/errore.h"
#include "base/coding.h"
#include "package/package_layout.h"

namespace binario::tool {

namespace {

std::string hex_byte(int byte) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02X", byte);
  return text;
}

// The name stored in the field at `offset`, up to its NUL or the field's end.
std::string_view field_name(const Bytes& image, size_t offset) {
  std::string_view field(reinterpret_cast<const char*>(image.data() + offset), kNameFieldSize);
  return field.substr(0, field.find('\0'));
}

// Where the package's records end: the file's end, or a signature's start.
size_t package_end(const Bytes& image) {
  const CertificateTable table = find_certificate_table(image);
  return table.place == CertificateTable::Place::kAtEnd ? table.offset : image.size();
}

std::string hex32(uint32_t value) {
  char text[12];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(value));
  return text;
}

// A sealed package that is shorter or longer than sealed.
std::string length_difference(const PackageCheck& check, const Bytes& image) {
  const size_t end = package_end(image);
  const std::string sealed = "the seal says the package ends at offset " +
                             std::to_string(check.offset) + "; it ends at offset " +
                             std::to_string(end);
  if (end < check.offset) {
    const size_t missing = check.offset - end;
    return sealed + ": " + std::to_string(missing) + (missing == 1 ? " byte is" : " bytes are") +
           " missing (a download cut short)";
  }
  const size_t added = end - check.offset;
  return sealed + ": " + std::to_string(added) + (added == 1 ? " byte was" : " bytes were") +
         " added after packing";
}

std::string record_place(const PackageCheck& check) {
  return "record " + std::to_string(check.record + 1) + " at offset " +
         std::to_string(check.offset);
}

std::string flaw_text(const PackageCheck& check, const Bytes& image) {
  switch (check.flaw) {
    case PackageFlaw::kNone:
      return "sound";
    case PackageFlaw::kTooShort:
      return "the file is " + std::to_string(image.size()) +
             " bytes, too short for a package (file records start at offset " +
             std::to_string(kFirstRecordOffset) + ")";
    case PackageFlaw::kRouteNameWithoutNul:
      return "the route name area at offset " + std::to_string(kRouteNameOffset) +
             " has no terminating NUL";
    case PackageFlaw::kTrainNameWithoutNul:
      return "the train name area at offset " + std::to_string(kTrainNameOffset) +
             " has no terminating NUL";
    case PackageFlaw::kIncompleteRecord:
      return std::to_string(package_end(image) - check.offset) + " bytes at offset " +
             std::to_string(check.offset) + " after the last record are too few for a record";
    case PackageFlaw::kRecordNameWithoutNul:
      return record_place(check) + ": its name field has no terminating NUL";
    case PackageFlaw::kEmptyRecordName:
      return record_place(check) + ": its name is empty";
    case PackageFlaw::kNegativeLength:
      return record_place(check) + " " + printable(field_name(image, check.offset)) +
             ": negative content length " +
             std::to_string(decode_i32(image.data() + check.offset + kRecordLengthOffset));
    case PackageFlaw::kContentPastEnd:
      return record_place(check) + " " + printable(field_name(image, check.offset)) +
             ": its content of " +
             std::to_string(decode_i32(image.data() + check.offset + kRecordLengthOffset)) +
             " bytes runs past the end of the file";
    case PackageFlaw::kSignatureNotAtEnd: {
      const CertificateTable table = find_certificate_table(image);
      return "the signature's certificate table at offset " + std::to_string(table.offset) + " (" +
             std::to_string(table.size) + " bytes) does not end at the end of the file (" +
             std::to_string(image.size()) + " bytes): a download cut short, or bytes added after " +
             "signing";
    }
    case PackageFlaw::kSealDamaged:
      return "the seal at offset " + std::to_string(kSealOffset) +
             " is damaged: the installer cannot tell whether its package is sound";
    case PackageFlaw::kLengthDiffers:
      return length_difference(check, image);
    case PackageFlaw::kChecksumDiffers:
      return "the package's bytes differ from those that were sealed (sealed CRC-32 " +
             hex32(decode_u32(image.data() + kSealOffset + 16)) +
             "): damaged in transfer, or changed after packing";
    case PackageFlaw::kUnsafeRouteName:
    case PackageFlaw::kUnsafeTrainName:
    case PackageFlaw::kUnsafeRecordName: {
      std::string_view name = field_name(image, check.offset);
      std::string what = check.flaw == PackageFlaw::kUnsafeRouteName   ? "route name "
                         : check.flaw == PackageFlaw::kUnsafeTrainName ? "train name "
                                                                       : record_place(check) + " ";
      return what + printable(name) + " " + name_fault_text(name, check.name_fault);
    }
  }
  return "unknown flaw";
}

}  // namespace

std::string printable(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      out += hex_byte(byte);
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string name_fault_text(std::string_view name, NameFault fault) {
  switch (fault) {
    case NameFault::kNone:
      return "is safe";
    case NameFault::kForbiddenByte: {
      int byte = first_forbidden_byte(name);
      if (byte < 0x20) return "contains the control byte " + hex_byte(byte);
      return std::string("contains \"") + static_cast<char>(byte) + "\"";
    }
    case NameFault::kDotName:
      return "names a folder, not a file";
    case NameFault::kTemporaryName:
      return "begins like the installer's temporary files (\"binario-tmp-\"): the next "
             "installation in the folder would remove it";
    case NameFault::kDeviceName:
      return "names a Windows device";
  }
  return "breaks a name rule";
}

std::string seal_text(const Package& package) {
  switch (package.seal.state) {
    case SealCheck::State::kUnsealed:
      return "none (packed without a seal: the installer cannot tell a damaged download)";
    case SealCheck::State::kIntact:
      return "intact (" + std::to_string(package.seal.sealed_end - kRouteNameOffset) +
             " bytes of package, CRC-32 " + hex32(package.seal.sealed_crc) + ")";
    case SealCheck::State::kDamaged:
      return "damaged";
    case SealCheck::State::kLengthDiffers:
      return "broken: the package's length differs from the sealed one";
    case SealCheck::State::kChecksumDiffers:
      return "broken: the package's bytes differ from the sealed ones";
  }
  return "unknown";
}

std::string package_problem_text(const PackageCheck& check, const Bytes& image) {
  if (check.passed()) return "sound";
  std::string kind = check.damaged() ? "damaged" : "unsafe name";
  return kind + " (the installer stops with \"" +
         std::string(error_message(decimal(code_of(check.fault()))).view()) +
         "\"): " + flaw_text(check, image);
}

}  // namespace binario::tool
