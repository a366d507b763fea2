#include "package/package.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "base/coding.h"
#include "package/package_layout.h"
#include "package/package_writer.h"
#include "test_names.h"

namespace binario {
namespace {

const std::string kRoute = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
const std::string kTrain = "IR2230";

// Record starts in the installer built by sound_installer().
constexpr size_t kFirst = kFirstRecordOffset;               // "linea.txt", 5 bytes
constexpr size_t kSecond = kFirst + kRecordHeaderSize + 5;  // "note.txt", 3 bytes
constexpr size_t kEnd = kSecond + kRecordHeaderSize + 3;

void add(Bytes* image, const std::string& name, const std::string& content) {
  ASSERT_TRUE(
      append_record(name, reinterpret_cast<const uint8_t*>(content.data()), content.size(), image));
}

Bytes sound_installer() {
  Bytes image;
  EXPECT_TRUE(begin_installer(Bytes{'M', 'Z'}, kRoute, kTrain, &image));
  add(&image, "linea.txt", "12345");
  add(&image, "note.txt", "abc");
  EXPECT_EQ(image.size(), kEnd);
  return image;
}

// Overwrites a name field (route area, train area or a record's name) with
// `name` and NULs after it.
void put_name(Bytes* image, size_t offset, const std::string& name) {
  std::memset(image->data() + offset, 0, kNameFieldSize);
  std::memcpy(image->data() + offset, name.data(), name.size());
}

void put_length(Bytes* image, size_t record, int32_t length) {
  Bytes encoded;
  put_i32(&encoded, length);
  std::memcpy(image->data() + record + kRecordLengthOffset, encoded.data(), encoded.size());
}

TEST(PackageTest, ReadsNamesAndRecords) {
  Bytes image = sound_installer();
  Package package;
  PackageCheck check = read_package(image, &package);
  ASSERT_TRUE(check.passed());
  EXPECT_EQ(package.nome_percorso, kRoute);
  EXPECT_EQ(package.nome_treno, kTrain);
  ASSERT_EQ(package.records.size(), 2u);
  EXPECT_EQ(package.records[0].name, "linea.txt");
  EXPECT_EQ(package.records[0].offset, kFirst);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(package.records[0].content),
                        package.records[0].size),
            "12345");
  EXPECT_EQ(package.records[1].name, "note.txt");
  EXPECT_EQ(package.records[1].offset, kSecond);
  EXPECT_EQ(package.records[1].size, 3u);
  EXPECT_EQ(package.records[1].content, image.data() + kEnd - 3);
}

TEST(PackageTest, LayoutOffsetsAreTheInstallersOwn) {
  Bytes image = sound_installer();
  EXPECT_EQ(image[0], 'M');
  EXPECT_EQ(image[kRouteNameOffset - 1], 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[kRouteNameOffset])), kRoute);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&image[kTrainNameOffset])), kTrain);
  EXPECT_EQ(decode_i32(&image[kFirst + 100]), 5);
  EXPECT_EQ(decode_i32(&image[kSecond + 100]), 3);
}

TEST(PackageTest, PackageWithoutRecordsIsSound) {
  Bytes image = sound_installer();
  image.resize(kFirstRecordOffset);
  Package package;
  EXPECT_TRUE(read_package(image, &package).passed());
  EXPECT_TRUE(package.records.empty());
}

TEST(PackageTest, LongestNamesFillTheirFieldsUpToTheNul) {
  std::string name(kMaxNameLength, 'n');
  Bytes image;
  ASSERT_TRUE(begin_installer(Bytes(), std::string(kMaxNameLength, 'r'), kTrain, &image));
  add(&image, name, "x");
  add(&image, "next.txt", "yz");
  Package package;
  ASSERT_TRUE(read_package(image, &package).passed());
  EXPECT_EQ(package.nome_percorso.size(), kMaxNameLength);
  ASSERT_EQ(package.records.size(), 2u);
  EXPECT_EQ(package.records[0].name, name);
  EXPECT_EQ(package.records[1].name, "next.txt");
}

TEST(PackageTest, EmptyRecordAndDuplicateNamesAreKept) {
  Bytes image;
  ASSERT_TRUE(begin_installer(Bytes(), kRoute, kTrain, &image));
  add(&image, "a.txt", "");
  add(&image, "a.txt", "second");
  Package package;
  ASSERT_TRUE(read_package(image, &package).passed());
  ASSERT_EQ(package.records.size(), 2u);
  EXPECT_EQ(package.records[0].size, 0u);
  EXPECT_EQ(package.records[1].size, 6u);
}

TEST(PackageWriterTest, RefusesWhatTheLayoutCannotHold) {
  Bytes image = {'k', 'e', 'p', 't'};
  const Bytes kept = image;
  EXPECT_FALSE(begin_installer(Bytes(kStubLimit, 0), kRoute, kTrain, &image));
  EXPECT_FALSE(begin_installer(Bytes(), std::string(100, 'r'), kTrain, &image));
  EXPECT_FALSE(begin_installer(Bytes(), kRoute, std::string(100, 't'), &image));
  EXPECT_FALSE(append_record("", nullptr, 0, &image));
  EXPECT_FALSE(append_record(std::string(100, 'n'), nullptr, 0, &image));
  EXPECT_FALSE(append_record(std::string("a\0b", 3), nullptr, 0, &image));
  EXPECT_EQ(image, kept);
  EXPECT_TRUE(begin_installer(Bytes(kStubLimit - 1, 0), kRoute, kTrain, &image));
}

struct FlawCase {
  const char* what;
  std::function<void(Bytes*)> spoil;
  PackageFlaw flaw;
  size_t offset;
};

void PrintTo(const FlawCase& c, std::ostream* os) { *os << c.what; }

class PackageFlawTest : public testing::TestWithParam<FlawCase> {};

TEST_P(PackageFlawTest, IsFoundAndPlaced) {
  const FlawCase& c = GetParam();
  Bytes image = sound_installer();
  c.spoil(&image);
  Package package;
  PackageCheck check = read_package(image, &package);
  EXPECT_EQ(check.flaw, c.flaw);
  EXPECT_EQ(check.offset, c.offset);
  EXPECT_FALSE(check.passed());
  const bool unsafe = c.flaw == PackageFlaw::kUnsafeRouteName ||
                      c.flaw == PackageFlaw::kUnsafeTrainName ||
                      c.flaw == PackageFlaw::kUnsafeRecordName;
  EXPECT_EQ(check.unsafe(), unsafe);
  EXPECT_EQ(check.damaged(), !unsafe);
  EXPECT_EQ(check.codice(), unsafe ? "1253" : "1252");
}

INSTANTIATE_TEST_SUITE_P(
    Flaws, PackageFlawTest,
    testing::Values(
        FlawCase{"file ends inside the name areas", [](Bytes* p) { p->resize(50000); },
                 PackageFlaw::kTooShort, 50000},
        FlawCase{"file ends one byte before the records", [](Bytes* p) { p->resize(kFirst - 1); },
                 PackageFlaw::kTooShort, kFirst - 1},
        FlawCase{"route area without NUL",
                 [](Bytes* p) { put_name(p, kRouteNameOffset, std::string(100, 'R')); },
                 PackageFlaw::kRouteNameWithoutNul, kRouteNameOffset},
        FlawCase{"train area without NUL",
                 [](Bytes* p) { put_name(p, kTrainNameOffset, std::string(100, 'T')); },
                 PackageFlaw::kTrainNameWithoutNul, kTrainNameOffset},
        FlawCase{"download cut inside the last content", [](Bytes* p) { p->resize(kEnd - 1); },
                 PackageFlaw::kContentPastEnd, kSecond},
        FlawCase{"download cut inside a length field", [](Bytes* p) { p->resize(kSecond + 102); },
                 PackageFlaw::kIncompleteRecord, kSecond},
        FlawCase{"download cut inside a name field", [](Bytes* p) { p->resize(kSecond + 3); },
                 PackageFlaw::kIncompleteRecord, kSecond},
        FlawCase{"stray bytes after the last record", [](Bytes* p) { p->push_back('x'); },
                 PackageFlaw::kIncompleteRecord, kEnd},
        FlawCase{"trailing record header without room for its content",
                 [](Bytes* p) { p->insert(p->end(), kRecordHeaderSize, 'x'); },
                 PackageFlaw::kRecordNameWithoutNul, kEnd},
        FlawCase{"record name without NUL",
                 [](Bytes* p) { put_name(p, kFirst, std::string(100, 'n')); },
                 PackageFlaw::kRecordNameWithoutNul, kFirst},
        FlawCase{"empty record name", [](Bytes* p) { put_name(p, kSecond, ""); },
                 PackageFlaw::kEmptyRecordName, kSecond},
        FlawCase{"negative length", [](Bytes* p) { put_length(p, kFirst, -1); },
                 PackageFlaw::kNegativeLength, kFirst},
        FlawCase{"most negative length", [](Bytes* p) { put_length(p, kSecond, INT32_MIN); },
                 PackageFlaw::kNegativeLength, kSecond},
        FlawCase{"length running past the end", [](Bytes* p) { put_length(p, kFirst, INT32_MAX); },
                 PackageFlaw::kContentPastEnd, kFirst},
        FlawCase{"length one byte short shifts the next record",
                 [](Bytes* p) { put_length(p, kFirst, 4); }, PackageFlaw::kContentPastEnd,
                 kSecond - 1},
        FlawCase{"record leaving the folder", [](Bytes* p) { put_name(p, kSecond, "..\\..\\x"); },
                 PackageFlaw::kUnsafeRecordName, kSecond},
        FlawCase{"record named ..", [](Bytes* p) { put_name(p, kFirst, ".."); },
                 PackageFlaw::kUnsafeRecordName, kFirst},
        FlawCase{"record naming a device", [](Bytes* p) { put_name(p, kFirst, "aux.txt"); },
                 PackageFlaw::kUnsafeRecordName, kFirst},
        FlawCase{"route name with a separator",
                 [](Bytes* p) { put_name(p, kRouteNameOffset, "../../windows"); },
                 PackageFlaw::kUnsafeRouteName, kRouteNameOffset},
        FlawCase{"train name with a drive colon",
                 [](Bytes* p) { put_name(p, kTrainNameOffset, "C:IR2230"); },
                 PackageFlaw::kUnsafeTrainName, kTrainNameOffset},
        FlawCase{"damaged and unsafe reports the damage",
                 [](Bytes* p) {
                   put_name(p, kFirst, "../evil");
                   p->resize(kEnd - 1);
                 },
                 PackageFlaw::kContentPastEnd, kSecond}),
    NameFromWhat());

TEST(PackageTest, UnsafeNameNamesTheRuleBroken) {
  Bytes image = sound_installer();
  put_name(&image, kSecond, "LPT1.txt");
  Package package;
  PackageCheck check = read_package(image, &package);
  EXPECT_EQ(check.flaw, PackageFlaw::kUnsafeRecordName);
  EXPECT_EQ(check.record, 1u);
  EXPECT_EQ(check.name_fault, NameFault::kDeviceName);
}

}  // namespace
}  // namespace binario
