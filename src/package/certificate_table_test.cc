#include "package/certificate_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "package/package.h"
#include "package/package_layout.h"
#include "package/package_writer.h"
#include "package/seal.h"
#include "test_names.h"

namespace binario {
namespace {

// A stub with just enough of a 64-bit PE header: the security directory
// entry sits at kSecurityEntry.
constexpr size_t kPeHeader = 0x80;
constexpr size_t kOptionalHeader = kPeHeader + 24;
constexpr size_t kSecurityEntry = kOptionalHeader + 112 + 4 * 8;

void put_u32_at(Bytes* image, size_t offset, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*image)[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

Bytes pe_stub(uint16_t magic = 0x20b) {
  Bytes stub(0x400, 0);
  stub[0] = 'M';
  stub[1] = 'Z';
  put_u32_at(&stub, 0x3c, kPeHeader);
  std::memcpy(&stub[kPeHeader], "PE\0\0", 4);
  stub[kOptionalHeader] = static_cast<uint8_t>(magic);
  stub[kOptionalHeader + 1] = static_cast<uint8_t>(magic >> 8);
  const size_t count = kOptionalHeader + (magic == 0x20b ? 108 : 92);
  put_u32_at(&stub, count, 16);
  return stub;
}

// The sample-like installer around `stub`: two records, 50199 + 104 + 5 +
// 104 + 3 = 50415 bytes, which is not a multiple of 8.
Bytes installer(const Bytes& stub) {
  Bytes image;
  EXPECT_TRUE(begin_installer(stub, "ROUTE", "TRAIN", &image));
  const std::string linea = "12345", note = "abc";
  EXPECT_TRUE(append_record("linea.txt", reinterpret_cast<const uint8_t*>(linea.data()),
                            linea.size(), &image));
  EXPECT_TRUE(append_record("note.txt", reinterpret_cast<const uint8_t*>(note.data()), note.size(),
                            &image));
  return image;
}

constexpr size_t kPackageEnd = 50415;
constexpr size_t kTableSize = 40;

// Signs `image` as a signer does: NULs up to the next 8-byte boundary, then
// the certificate table, and the security directory pointing at it.
void sign(Bytes* image, size_t security_offset = 0, size_t recorded_size = kTableSize,
          uint8_t padding = 0) {
  while (image->size() % kCertificateTableAlignment != 0) image->push_back(padding);
  const size_t table = image->size();
  Bytes certificate(kTableSize, 0x30);  // not a record: a 0x30 name with no NUL
  image->insert(image->end(), certificate.begin(), certificate.end());
  put_u32_at(image, kSecurityEntry,
             static_cast<uint32_t>(security_offset ? security_offset : table));
  put_u32_at(image, kSecurityEntry + 4, static_cast<uint32_t>(recorded_size));
}

struct SignatureCase {
  const char* what;
  std::function<Bytes()> build;
  CertificateTable::Place place;
  std::string_view codice;  // what the installer shows; empty: installs
};

void PrintTo(const SignatureCase& c, std::ostream* os) { *os << c.what; }

class CertificateTableTest : public testing::TestWithParam<SignatureCase> {};

TEST_P(CertificateTableTest, DecidesWhereThePackageEnds) {
  const SignatureCase& c = GetParam();
  const Bytes image = c.build();
  const CertificateTable table = find_certificate_table(image);
  EXPECT_EQ(table.place, c.place);
  Package package;
  const PackageCheck check = read_package(image, &package);
  EXPECT_EQ(check.passed() ? std::string() : std::to_string(code_of(check.fault())), c.codice);
  if (c.codice.empty()) {
    // The same two records as unsigned; the table is none of them.
    ASSERT_EQ(package.records.size(), 2u);
    EXPECT_EQ(package.records[1].name, "note.txt");
    EXPECT_EQ(package.records[1].offset + kRecordHeaderSize + package.records[1].size, kPackageEnd);
  }
  if (c.place == CertificateTable::Place::kAtEnd) {
    EXPECT_EQ(table.offset + table.size, image.size());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Signatures, CertificateTableTest,
    testing::Values(SignatureCase{"unsigned", [] { return installer(pe_stub()); },
                                  CertificateTable::Place::kNone, ""},
                    SignatureCase{"stub of another platform",
                                  [] {
                                    return installer(Bytes{0x7f, 'E', 'L', 'F'});
                                  },
                                  CertificateTable::Place::kNone, ""},
                    SignatureCase{"signed, table at the end",
                                  [] {
                                    Bytes image = installer(pe_stub());
                                    sign(&image);
                                    return image;
                                  },
                                  CertificateTable::Place::kAtEnd, ""},
                    SignatureCase{"signed, 32-bit header",
                                  [] {
                                    Bytes image = installer(pe_stub(0x10b));
                                    // The 32-bit header's directories begin 16 bytes earlier.
                                    Bytes moved = image;
                                    sign(&moved);
                                    std::memcpy(&moved[kSecurityEntry - 16], &moved[kSecurityEntry],
                                                8);
                                    std::memset(&moved[kSecurityEntry], 0, 8);
                                    return moved;
                                  },
                                  CertificateTable::Place::kAtEnd, ""},
                    SignatureCase{"signed, then bytes added: table not at the end",
                                  [] {
                                    Bytes image = installer(pe_stub());
                                    sign(&image);
                                    image.push_back(0);
                                    return image;
                                  },
                                  CertificateTable::Place::kMisplaced, "1252"},
                    SignatureCase{"signed download cut short: table past the end",
                                  [] {
                                    Bytes image = installer(pe_stub());
                                    sign(&image);
                                    image.resize(image.size() - 1);
                                    return image;
                                  },
                                  CertificateTable::Place::kMisplaced, "1252"},
                    SignatureCase{"size past the end of the file",
                                  [] {
                                    Bytes image = installer(pe_stub());
                                    sign(&image, 0, 0xfffffff0u);
                                    return image;
                                  },
                                  CertificateTable::Place::kMisplaced, "1252"},
                    SignatureCase{"table offset past the end of the file",
                                  [] {
                                    Bytes image = installer(pe_stub());
                                    sign(&image, 0x7ffffff8u);
                                    return image;
                                  },
                                  CertificateTable::Place::kMisplaced, "1252"},
                    SignatureCase{"table pointing into the last record",
                                  [] {
                                    Bytes image = installer(pe_stub());
                                    sign(&image, kPackageEnd - 3, kTableSize + 3 + 1);
                                    return image;
                                  },
                                  CertificateTable::Place::kAtEnd, "1252"},
                    SignatureCase{"padding that is not NUL",
                                  [] {
                                    Bytes image = installer(pe_stub());
                                    sign(&image, 0, kTableSize, 'x');
                                    return image;
                                  },
                                  CertificateTable::Place::kAtEnd, "1252"},
                    SignatureCase{"signed stub packed afterwards: its table lies in the stub",
                                  [] {
                                    Bytes stub = pe_stub();
                                    put_u32_at(&stub, kSecurityEntry, 0x300);
                                    put_u32_at(&stub, kSecurityEntry + 4, 0x100);
                                    return installer(stub);
                                  },
                                  CertificateTable::Place::kNone, ""}),
    NameFromWhat());

// Signing after packing changes only the stub's header and the file's end:
// the seal still holds, and the package's bytes are still checked.
TEST(SignedSealTest, SigningKeepsTheSealAndAFlipIsStillFound) {
  Bytes image = installer(pe_stub());
  put_seal(&image);
  sign(&image);
  Package package;
  ASSERT_TRUE(read_package(image, &package).passed());
  EXPECT_EQ(package.seal.state, SealCheck::State::kIntact);
  EXPECT_EQ(package.records.size(), 2u);

  Bytes flipped = image;
  flipped[kPackageEnd - 1] ^= 0x01;  // the note's last byte
  EXPECT_EQ(read_package(flipped, &package).flaw, PackageFlaw::kChecksumDiffers);

  // Padding that is not the signer's NULs is bytes added to the package.
  Bytes padded = image;
  padded[kPackageEnd] = 'x';
  EXPECT_EQ(read_package(padded, &package).flaw, PackageFlaw::kLengthDiffers);
}

}  // namespace
}  // namespace binario
