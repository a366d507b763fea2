#ifndef BINARIO_PACKAGE_PACKAGE_H_
#define BINARIO_PACKAGE_PACKAGE_H_

// The package appended to an installer, read from the installer's whole image
// and checked before anything is written from it.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "model/fault.h"
#include "package/certificate_table.h"
#include "package/name_rules.h"
#include "package/seal.h"

namespace binario {

// One file record. `name` and `content` point into the installer image the
// package was read from and are valid as long as that image is.
struct PackageRecord {
  size_t offset = 0;  // where the record starts in the installer
  std::string_view name;
  const uint8_t* content = nullptr;
  size_t size = 0;
};

struct Package {
  std::string_view nome_percorso;
  std::string_view nome_treno;
  std::vector<PackageRecord> records;  // in the order they are stored, and written
  // A signed installer's certificate table, behind the last record: never a
  // record, never written.
  CertificateTable certificate_table;
  // Whether the packer sealed the package, and whether it is as sealed.
  SealCheck seal;
};

// What is wrong with a package, if anything. Damage is about the layout (the
// installer is truncated or corrupt); an unsafe name is a sound layout whose
// names would write outside the folder or onto a device.
enum class PackageFlaw : uint8_t {
  kNone,
  // Damage.
  kTooShort,              // the file ends before the first record's offset
  kRouteNameWithoutNul,   // the route name area holds no NUL
  kTrainNameWithoutNul,   // the train name area holds no NUL
  kIncompleteRecord,      // bytes after the last record too few for a name and a length
  kRecordNameWithoutNul,  // a record's name field holds no NUL
  kEmptyRecordName,       // a record's name field begins with its NUL
  kNegativeLength,        // a record's content length is below 0
  kContentPastEnd,        // a record's content runs past the end of the file
  kSignatureNotAtEnd,     // the certificate table does not end where the file ends
  kSealDamaged,           // the seal in front of the package is not one the packer writes
  kLengthDiffers,         // the package is shorter or longer than its seal says
  kChecksumDiffers,       // the package's bytes differ from those that were sealed
  // Unsafe names.
  kUnsafeRouteName,
  kUnsafeTrainName,
  kUnsafeRecordName,
};

struct PackageCheck {
  PackageFlaw flaw = PackageFlaw::kNone;
  // Where the flaw was found: the record's start for record flaws, the area's
  // start for name areas, the file's size for kTooShort, where the sealed
  // package should end for kLengthDiffers, the seal's place for the other
  // seal flaws.
  size_t offset = 0;
  // For record flaws, the record's index (from 0).
  size_t record = 0;
  // For unsafe names, which rule the name breaks.
  NameFault name_fault = NameFault::kNone;

  bool passed() const { return flaw == PackageFlaw::kNone; }
  bool damaged() const;
  bool unsafe() const { return !passed() && !damaged(); }
  // The fault the installer shows for the flaw: 1252 for damage, 1253 for an
  // unsafe name; Fault::kNone when the package passed.
  Fault fault() const;
};

// Reads the package appended to `image`, the installer's whole file, into
// `package` and checks it. In a signed installer the package ends where the
// certificate table begins (its alignment padding aside). A sealed package is
// checked against its seal first: bytes that differ from the sealed ones are
// damage, whatever the records look like. Damage outranks unsafe names: a
// package with both is reported damaged. On damage, `package` holds what was
// read before it.
// `seal` kIgnore reads a package whatever its seal says (the author tool's
// forced unpacking); `package->seal` still tells what it says.
enum class SealUse : uint8_t { kCheck, kIgnore };
PackageCheck read_package(const Bytes& image, Package* package, SealUse seal = SealUse::kCheck);

}  // namespace binario

#endif  // BINARIO_PACKAGE_PACKAGE_H_
