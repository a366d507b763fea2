#include "base/text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace binario {
namespace {

// The bytes and the NUL after them, as the file system sees them.
void ExpectText(const Text& text, std::string_view expected) {
  EXPECT_EQ(text.view(), expected);
  EXPECT_EQ(text.size(), expected.size());
  EXPECT_EQ(std::strlen(text.c_str()),
            expected.find('\0') == std::string_view::npos ? expected.size() : expected.find('\0'));
  EXPECT_EQ(text.c_str()[text.size()], '\0');
}

TEST(TextTest, AnEmptyTextIsAnEmptyCString) {
  Text text;
  ExpectText(text, "");
  EXPECT_TRUE(text.empty());
  text.append("");
  ExpectText(text, "");
}

TEST(TextTest, GrowsOneCharacterAtATime) {
  Text text;
  std::string expected;
  for (int i = 0; i < 1000; ++i) {
    char c = static_cast<char>('a' + i % 26);
    text.push_back(c);
    expected.push_back(c);
  }
  ExpectText(text, expected);
}

TEST(TextTest, KeepsBytesAsTheyAre) {
  Text text(std::string_view("\xe8\0x", 3));
  ExpectText(text, std::string_view("\xe8\0x", 3));
}

// The path builders append a text to itself.
TEST(TextTest, AppendsItsOwnCharacters) {
  Text text("abc");
  text.append(text.view());
  ExpectText(text, "abcabc");
  text.append(text.view().substr(1, 2));
  ExpectText(text, "abcabcbc");
}

TEST(TextTest, ClearAndTrimEndKeepTheNul) {
  Text text("LINEA   ");
  text.trim_end();
  ExpectText(text, "LINEA");
  text.clear();
  ExpectText(text, "");
  text.append("x");
  ExpectText(text, "x");
  Text spaces("   ");
  spaces.trim_end();
  ExpectText(spaces, "");
}

TEST(TextTest, CopiesAreIndependentAndMovesHandOver) {
  Text original("PADOVA");
  Text copy(original);
  copy.append(" C.LE");
  ExpectText(original, "PADOVA");
  ExpectText(copy, "PADOVA C.LE");

  Text assigned("x");
  assigned = original;
  ExpectText(assigned, "PADOVA");
  assigned = assigned;  // NOLINT: self-assignment on purpose
  ExpectText(assigned, "PADOVA");

  Text moved(std::move(copy));
  ExpectText(moved, "PADOVA C.LE");
  ExpectText(copy, "");  // NOLINT: a moved-from text is empty
  Text target("y");
  target = std::move(moved);
  ExpectText(target, "PADOVA C.LE");
  EXPECT_TRUE(target == Text("PADOVA C.LE"));
}

}  // namespace
}  // namespace binario
