#include "base/coding.h"

#include <gtest/gtest.h>

namespace binario {
namespace {

TEST(CodingTest, IntegersAreLittleEndianAtTheirWidths) {
  Bytes out;
  put_u8(&out, 0xAB);
  put_i16(&out, 5121);
  put_i16(&out, -2);
  put_i32(&out, 39180);
  put_i32(&out, -450);
  EXPECT_EQ(out,
            (Bytes{0xAB, 0x01, 0x14, 0xFE, 0xFF, 0x0C, 0x99, 0x00, 0x00, 0x3E, 0xFE, 0xFF, 0xFF}));
  EXPECT_EQ(decode_i16(&out[1]), 5121);
  EXPECT_EQ(decode_i16(&out[3]), -2);
  EXPECT_EQ(decode_i32(&out[5]), 39180);
  EXPECT_EQ(decode_i32(&out[9]), -450);
  // A 64-bit length, as an installer's seal holds one.
  out.clear();
  put_fixed(&out, 0x0102030405060708u, 8);
  EXPECT_EQ(out, (Bytes{0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01}));
  EXPECT_EQ(decode_u64(out.data()), 0x0102030405060708u);
}

TEST(CodingTest, DoublesAreTheirIeeeBitPattern) {
  Bytes out;
  put_f64(&out, 1.0);
  EXPECT_EQ(out, (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
  put_f64(&out, -0.0004);
  EXPECT_EQ(decode_f64(&out[8]), -0.0004);
}

TEST(CodingTest, TextIsLengthThenCharacters) {
  Bytes out;
  put_text(&out, "PO\xE0");
  EXPECT_EQ(out, (Bytes{3, 0, 'P', 'O', 0xE0}));
  out.clear();
  put_text(&out, "");
  EXPECT_EQ(out, (Bytes{0, 0}));
}

}  // namespace
}  // namespace binario
