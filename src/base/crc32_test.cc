#include "base/crc32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace binario {
namespace {

const uint8_t* bytes(const char* s) { return reinterpret_cast<const uint8_t*>(s); }

TEST(Crc32, KnownValues) {
  // The check value of the CRC-32 catalogue, and the empty run.
  EXPECT_EQ(crc32(bytes("123456789"), 9), 0xCBF43926u);
  EXPECT_EQ(crc32(nullptr, 0), 0u);
  EXPECT_EQ(crc32(bytes("The quick brown fox jumps over the lazy dog"), 43), 0x414FA339u);
}

TEST(Crc32, PiecesContinueTheRun) {
  const char* text = "BOLOGNA CENTRALE_VENEZIA SANTA LUCIA";
  const size_t n = std::strlen(text);
  for (size_t cut = 0; cut <= n; ++cut) {
    EXPECT_EQ(crc32(bytes(text) + cut, n - cut, crc32(bytes(text), cut)), crc32(bytes(text), n))
        << "cut at " << cut;
  }
}

TEST(Crc32, EverySingleBitFlipChangesTheValue) {
  uint8_t data[64];
  for (size_t i = 0; i < sizeof data; ++i) data[i] = static_cast<uint8_t>(i * 37);
  const uint32_t sound = crc32(data, sizeof data);
  for (size_t i = 0; i < sizeof data; ++i) {
    for (int bit = 0; bit < 8; ++bit) {
      data[i] ^= static_cast<uint8_t>(1 << bit);
      EXPECT_NE(crc32(data, sizeof data), sound) << "byte " << i << " bit " << bit;
      data[i] ^= static_cast<uint8_t>(1 << bit);
    }
  }
}

}  // namespace
}  // namespace binario
