#include "platform/page_block.h"

#include <gtest/gtest.h>

#include <utility>

namespace binario {
namespace {

// Sizes around the 4 KB and 2 MB page boundaries: every byte reads as zero
// and the first and last can be written.
TEST(PageBlockTest, EveryByteIsZeroAndWritable) {
  for (size_t size : {size_t{2}, size_t{4095}, size_t{4097}, (size_t{2} << 20) - 1,
                      (size_t{2} << 20) + 1, size_t{5} << 20}) {
    SCOPED_TRACE(size);
    PageBlock block(size);
    ASSERT_NE(block.data(), nullptr);
    ASSERT_EQ(block.size(), size);
    size_t nonzero = 0;
    for (size_t i = 0; i < size; ++i) nonzero += block[i] != 0;
    EXPECT_EQ(nonzero, 0u);
    block[0] = 1;
    block[size - 1] = 2;
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[size - 1], 2);
  }
}

TEST(PageBlockTest, MovingHandsOverTheBlock) {
  PageBlock a(100);
  a[99] = 7;
  const uint8_t* bytes = a.data();
  PageBlock b(std::move(a));
  EXPECT_EQ(a.data(), nullptr);
  EXPECT_EQ(a.size(), 0u);
  EXPECT_EQ(b.data(), bytes);
  EXPECT_EQ(b[99], 7);
  PageBlock c(10);
  c = std::move(b);
  EXPECT_EQ(c.data(), bytes);
  EXPECT_EQ(c.size(), 100u);
}

TEST(PageBlockTest, AnEmptyBlockHasNoBytes) {
  PageBlock block(0);
  EXPECT_EQ(block.size(), 0u);
  PageBlock none;
  EXPECT_EQ(none.data(), nullptr);
}

}  // namespace
}  // namespace binario
