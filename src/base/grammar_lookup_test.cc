// One field read on its own: its bytes as an author sees them, and where the
// next field's read begins, for each kind of field the texts hold.

#include "base/grammar_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace binario::grammar {
namespace {

struct FieldCase {
  const char* what;
  std::string_view text;
  Width width;
  std::string_view field;  // the bytes [start, end)
  size_t next;
  FieldReader::Failure failure;
};

TEST(ReadFieldTest, SpansTheFieldAndResumesAfterItsDelimiter) {
  using F = FieldReader::Failure;
  const FieldCase cases[] = {
      {"number, blanks before the comma", "  120  , 5", Width::kI32, "120", 8, F::kNone},
      {"numbers parted by blanks", "10    52  0", Width::kI32, "10", 6, F::kNone},
      {"text to the line end", "stazione ALFA  \r\nx", Width::kText, "stazione ALFA", 17, F::kNone},
      {"quoted text with bytes after the quote", "\"A, B\" xy,z", Width::kText, "\"A, B\"", 10,
       F::kNone},
      {"decimal point", "8.5, 1", Width::kI32, "8.5", 4, F::kNotANumber},
      {"over a byte", "300\n", Width::kU8, "300", 4, F::kOutOfRange},
      {"past the end", "", Width::kI32, "", 0, F::kPastEnd},
  };
  for (const FieldCase& c : cases) {
    const FieldRead r = read_field(c.text, 0, c.width);
    EXPECT_EQ(c.text.substr(r.start, r.end - r.start), c.field) << c.what;
    EXPECT_EQ(r.next, c.next) << c.what;
    EXPECT_EQ(r.failure, c.failure) << c.what;
  }
}

TEST(ReadFieldTest, ReadsFromTheGivenByteAndAnswersOffsetsInTheWholeText) {
  const std::string_view text = "pendenza, 1500, -3\r\n";
  const FieldRead r = read_field(text, 15, Width::kI32);
  EXPECT_EQ(r.value, -3);
  EXPECT_EQ(r.start, 16u);
  EXPECT_EQ(r.end, 18u);
  EXPECT_EQ(r.next, text.size());
}

}  // namespace
}  // namespace binario::grammar
