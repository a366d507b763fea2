#include "package/name_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace binario {
namespace {

struct NameCase {
  std::string name;
  NameUse use;
  NameFault expected;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << '"' << c.name << '"'; }

constexpr NameUse kFile = NameUse::kFileName;
constexpr NameUse kScenario = NameUse::kScenarioName;

class NameRulesTest : public testing::TestWithParam<NameCase> {};

TEST_P(NameRulesTest, ChecksName) {
  const NameCase& c = GetParam();
  EXPECT_EQ(check_name(c.name, c.use), c.expected) << "name: " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameRulesTest,
    testing::Values(
        // Names a scenario really uses.
        NameCase{"BOLOGNA CENTRALE_VENEZIA SANTA LUCIA", kScenario, NameFault::kNone},
        NameCase{"BOLOGNA CENTRALE_VENEZIA SANTA LUCIA_IR2230-.txt", kFile, NameFault::kNone},
        NameCase{"citt\xe0 d'\xe9t\xe9 \xff.txt", kFile, NameFault::kNone},
        NameCase{"..x", kFile, NameFault::kNone}, NameCase{"...", kFile, NameFault::kNone},
        // Anything that leaves the folder or confuses the file system.
        NameCase{"../x", kFile, NameFault::kForbiddenByte},
        NameCase{"..\\..\\x", kFile, NameFault::kForbiddenByte},
        NameCase{"C:x", kFile, NameFault::kForbiddenByte},
        NameCase{"a\tb", kFile, NameFault::kForbiddenByte},
        NameCase{std::string("a\x1f", 2), kFile, NameFault::kForbiddenByte},
        NameCase{"a<b", kFile, NameFault::kForbiddenByte},
        NameCase{"a>b", kFile, NameFault::kForbiddenByte},
        NameCase{"a\"b", kFile, NameFault::kForbiddenByte},
        NameCase{"a|b", kFile, NameFault::kForbiddenByte},
        NameCase{"a?b", kFile, NameFault::kForbiddenByte},
        NameCase{"a*b", kFile, NameFault::kForbiddenByte},
        NameCase{"ROMA/TERMINI", kScenario, NameFault::kForbiddenByte},
        NameCase{"IR\\2230", kScenario, NameFault::kForbiddenByte},
        // Dot names.
        NameCase{".", kFile, NameFault::kDotName}, NameCase{"..", kFile, NameFault::kDotName},
        // Devices, in any case and with any extension; near misses are files.
        NameCase{"CON", kFile, NameFault::kDeviceName},
        NameCase{"con.txt", kFile, NameFault::kDeviceName},
        NameCase{"Nul.tar.gz", kFile, NameFault::kDeviceName},
        NameCase{"aux", kFile, NameFault::kDeviceName},
        NameCase{"PRN.dat", kFile, NameFault::kDeviceName},
        NameCase{"COM1", kFile, NameFault::kDeviceName},
        NameCase{"lpt9.txt", kFile, NameFault::kDeviceName},
        NameCase{"CON .txt", kFile, NameFault::kDeviceName},
        NameCase{"COM0", kFile, NameFault::kNone}, NameCase{"COM10.txt", kFile, NameFault::kNone},
        NameCase{"CONSOLE.txt", kFile, NameFault::kNone},
        NameCase{"readme.con", kFile, NameFault::kNone}, NameCase{"x.CON", kFile, NameFault::kNone},
        // The installer's temporary names, in any letter case, for any use:
        // the next run would remove such a file, or read it as its journal.
        NameCase{"binario-tmp-journal", kFile, NameFault::kTemporaryName},
        NameCase{"Binario-TMP-7-0.txt", kFile, NameFault::kTemporaryName},
        NameCase{"binario-tmp-", kScenario, NameFault::kTemporaryName},
        NameCase{"binario-tmp", kFile, NameFault::kNone},
        NameCase{"my binario-tmp-1", kFile, NameFault::kNone},
        // A route or train name is only a part of a file name: a device name or
        // a dot is harmless there.
        NameCase{"CON", kScenario, NameFault::kNone}, NameCase{"..", kScenario, NameFault::kNone}));

TEST(NameRulesTest, FirstForbiddenByteIsReported) {
  EXPECT_EQ(first_forbidden_byte("ok name"), -1);
  EXPECT_EQ(first_forbidden_byte("a:b/c"), ':');
  EXPECT_EQ(first_forbidden_byte(std::string("x\0y", 3)), 0);
}

TEST(NameRulesTest, SameFileNameIgnoresOnlyAsciiLetterCase) {
  EXPECT_TRUE(same_file_name("Note.TXT", "note.txt"));
  EXPECT_FALSE(same_file_name("note.txt", "note.txt "));
  EXPECT_FALSE(same_file_name("\xc8.txt", "\xe8.txt"));
}

}  // namespace
}  // namespace binario
