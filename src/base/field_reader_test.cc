#include "base/field_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace binario {
namespace {

std::string next_text(FieldReader& in) {
  Text t;
  in.read_text(&t);
  return std::string(t.view());
}

TEST(FieldReaderTest, NumbersAlsoEndAtBlanks) {
  FieldReader in("orologio,    10              52            0 \r\nsabbia, 300\r\n");
  EXPECT_EQ(next_text(in), "orologio");
  EXPECT_EQ(in.read_i16(), 10);
  EXPECT_EQ(in.read_i16(), 52);
  EXPECT_EQ(in.read_i16(), 0);
  EXPECT_EQ(in.field_offset(), 43u);  // the 0, after the blanks before it
  EXPECT_EQ(next_text(in), "sabbia");
  EXPECT_EQ(in.field_offset(), 47u);
  EXPECT_EQ(in.read_i32(), 300);
  EXPECT_EQ(in.field_offset(), 55u);
  EXPECT_TRUE(in.at_end());
  EXPECT_FALSE(in.failed());
}

TEST(FieldReaderTest, TextKeepsInnerBlanksAndLosesTrailingOnes) {
  FieldReader in("percentuale massa frenata,    125\r\n  BOLOGNA CENTRALE   \r\n");
  EXPECT_EQ(next_text(in), "percentuale massa frenata");
  EXPECT_EQ(in.read_i32(), 125);
  EXPECT_EQ(next_text(in), "BOLOGNA CENTRALE");
  EXPECT_TRUE(in.at_end());
}

TEST(FieldReaderTest, FieldBoundaries) {
  struct Case {
    const char* text;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"a,b\r\nc\r\n", {"a", "b", "c"}},
      {"a,b\nc\n", {"a", "b", "c"}},              // lone LF ends a line
      {"a,\r\nb\r\n", {"a", "", "b"}},            // comma at a line end: one empty field
      {"\"x, y\" dropped,z\r\n", {"x, y", "z"}},  // quoted field runs to its closing quote
      {"  \"(PONTE)(m 428    )\"\r\n", {"(PONTE)(m 428    )"}},
      {"--- a comment - here\r\n[fine]\r\n", {"--- a comment - here", "[fine]"}},
  };
  for (const Case& c : cases) {
    FieldReader in(c.text);
    std::vector<std::string> got;
    while (!in.at_end()) got.push_back(next_text(in));
    EXPECT_EQ(got, c.fields) << "text: " << c.text;
    EXPECT_FALSE(in.failed()) << "text: " << c.text;
  }
}

TEST(FieldReaderTest, EndIsKnownAfterTheLastField) {
  FieldReader in("[generale]\r\n[fine]\r\n");
  next_text(in);
  EXPECT_FALSE(in.at_end());
  EXPECT_EQ(next_text(in), "[fine]");
  EXPECT_TRUE(in.at_end());
}

TEST(FieldReaderTest, NumberFields) {
  struct Case {
    const char* text;
    int32_t value;
  };
  for (Case c : {Case{"007\r\n", 7},
                 {"-0050\r\n", -50},
                 {"+12,", 12},
                 {",", 0},
                 {"   \r\n", 0},
                 {"-2147483648\r\n", INT32_MIN},
                 {"\"42\"\r\n", 42}}) {
    FieldReader in(c.text);
    EXPECT_EQ(in.read_i32(), c.value) << "text: " << c.text;
    EXPECT_FALSE(in.failed()) << "text: " << c.text;
  }
}

TEST(FieldReaderTest, FailuresAreStickyAndNamed) {
  struct Case {
    const char* text;
    int width;  // 8, 16 or 32
    FieldReader::Failure failure;
  };
  const Case cases[] = {
      {"12abc\r\n", 32, FieldReader::Failure::kNotANumber},
      {"1.5\r\n", 32, FieldReader::Failure::kNotANumber},
      {"-\r\n", 32, FieldReader::Failure::kNotANumber},
      {"300\r\n", 8, FieldReader::Failure::kOutOfRange},
      {"-1\r\n", 8, FieldReader::Failure::kOutOfRange},
      {"40000\r\n", 16, FieldReader::Failure::kOutOfRange},
      {"2147483648\r\n", 32, FieldReader::Failure::kOutOfRange},
      {"99999999999999999999999\r\n", 32, FieldReader::Failure::kOutOfRange},
      {"", 32, FieldReader::Failure::kPastEnd},
  };
  for (const Case& c : cases) {
    const std::string text = std::string(c.text) + (c.text[0] ? "5\r\n" : "");
    FieldReader in(text);
    int64_t v = c.width == 8 ? in.read_u8() : c.width == 16 ? in.read_i16() : in.read_i32();
    EXPECT_EQ(v, 0) << "text: " << c.text;
    EXPECT_EQ(in.failure(), c.failure) << "text: " << c.text;
    // Later reads give nothing, even where a good number stands.
    EXPECT_EQ(in.read_i32(), 0);
    EXPECT_TRUE(in.failed());
  }
}

TEST(FieldReaderTest, ReadingPastTheEndFailsAtTheEndOfTheText) {
  FieldReader in("stazione, 0, 2\r\n");
  next_text(in);
  in.read_i32();
  in.read_u8();
  EXPECT_TRUE(in.at_end());
  EXPECT_FALSE(in.failed());
  in.read_i32();
  EXPECT_EQ(in.failure(), FieldReader::Failure::kPastEnd);
  EXPECT_EQ(in.field_offset(), 16u);
  // A failed reader stays where it failed.
  Text more;
  in.read_text(&more);
  EXPECT_EQ(in.field_offset(), 16u);
}

TEST(FieldReaderTest, AFailedNumberKeepsItsOffset) {
  FieldReader in("segnale, 1900, 2x, 4\r\n");
  next_text(in);
  in.read_i32();
  in.read_i32();
  EXPECT_EQ(in.failure(), FieldReader::Failure::kNotANumber);
  in.read_i32();
  EXPECT_EQ(in.field_offset(), 15u);
}

}  // namespace
}  // namespace binario
