#include "package/seal.h"

#include <gtest/gtest.h>

#include <string>

#include "package/package.h"
#include "package/package_layout.h"
#include "package/package_writer.h"
#include "sample_installer.h"

namespace binario {
namespace {

// The sample installer, sealed as `binario pack` seals.
Bytes sealed_sample() {
  Bytes image = sample_installer_image();
  put_seal(&image);
  return image;
}

PackageFlaw flaw_of(const Bytes& image) {
  Package package;
  return read_package(image, &package).flaw;
}

TEST(SealTest, ASealedPackageReadsIntact) {
  const Bytes image = sealed_sample();
  Package package;
  ASSERT_TRUE(read_package(image, &package).passed());
  EXPECT_EQ(package.seal.state, SealCheck::State::kIntact);
  EXPECT_EQ(package.seal.sealed_end, image.size());
  EXPECT_EQ(package.records.size(), 5u);
}

TEST(SealTest, AnUnsealedPackageInstallsUnchecked) {
  Bytes image = sealed_sample();
  std::fill(image.begin() + kSealOffset, image.begin() + kRouteNameOffset, 0);
  Package package;
  ASSERT_TRUE(read_package(image, &package).passed());
  EXPECT_EQ(package.seal.state, SealCheck::State::kUnsealed);
}

// Every byte of the seal and of the package, one bit flipped: every one refused.
TEST(SealTest, EverySingleBitFlipIsRefused) {
  Bytes image = sealed_sample();
  int accepted = 0;
  for (size_t i = kSealOffset; i < image.size(); ++i) {
    const uint8_t bit = static_cast<uint8_t>(1u << (i % 8));
    image[i] ^= bit;
    Package package;
    const PackageCheck check = read_package(image, &package);
    if (check.fault() != Fault::kPackageDamaged) {
      ADD_FAILURE() << "flip at offset " << i << " gives flaw " << static_cast<int>(check.flaw);
      if (++accepted > 5) return;
    }
    image[i] ^= bit;
  }
}

TEST(SealTest, CutsAndAdditionsDifferInLength) {
  const Bytes image = sealed_sample();
  struct Case {
    const char* what;
    size_t size;  // the image cut or grown to this size
    PackageFlaw flaw;
  };
  const Case cases[] = {
      {"cut by one byte", image.size() - 1, PackageFlaw::kLengthDiffers},
      {"cut at the start of the last record", 72749, PackageFlaw::kLengthDiffers},
      {"cut at the first record", kFirstRecordOffset, PackageFlaw::kLengthDiffers},
      {"cut within the names", kFirstRecordOffset - 1, PackageFlaw::kTooShort},
      {"one NUL added", image.size() + 1, PackageFlaw::kLengthDiffers},
      {"a whole record of NULs added", image.size() + kRecordHeaderSize,
       PackageFlaw::kLengthDiffers},
  };
  for (const Case& c : cases) {
    Bytes changed = image;
    changed.resize(c.size, 0);
    Package package;
    const PackageCheck check = read_package(changed, &package);
    EXPECT_EQ(check.flaw, c.flaw) << c.what;
    EXPECT_EQ(check.fault(), Fault::kPackageDamaged) << c.what;
    if (c.flaw == PackageFlaw::kLengthDiffers) {
      EXPECT_EQ(check.offset, image.size()) << c.what << ": where the package should end";
    }
  }
}

TEST(SealTest, ASealWhoseOwnBytesAreWrongIsDamaged) {
  Bytes image = sealed_sample();
  image[kSealOffset] = 'B';  // the magic
  EXPECT_EQ(flaw_of(image), PackageFlaw::kSealDamaged);
  image = sealed_sample();
  image[kSealOffset + 8] ^= 1;  // the length, with the seal's own CRC left as it was
  EXPECT_EQ(flaw_of(image), PackageFlaw::kSealDamaged);
}

// A package laid out wrongly but sealed as it is: the seal holds, and the
// layout check still refuses it.
TEST(SealTest, ASealedBadLayoutIsStillRefused) {
  Bytes image = sealed_sample();
  image.push_back('x');
  put_seal(&image);
  EXPECT_EQ(flaw_of(image), PackageFlaw::kIncompleteRecord);
}

}  // namespace
}  // namespace binario
