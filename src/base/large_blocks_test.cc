#include "base/large_blocks.h"

#include <algorithm>
#include <memory>

#include <gtest/gtest.h>


namespace boltgen {
namespace {

// Blocks come zero-filled and whole, and only blocks handed out are taken
// back: the program's operator delete asks about every pointer it frees.
TEST(LargeBlocks, AreZeroedWritableAndKnownOnlyUntilReleased) {
  const std::size_t bytes = 3 * kLargeBlockBytes + 5;
  auto* first = static_cast<unsigned char*>(AllocateLargeBlock(bytes));
  auto* second = static_cast<unsigned char*>(AllocateLargeBlock(kLargeBlockBytes));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  for (std::size_t i = 0; i < bytes; i += 4093) EXPECT_EQ(first[i], 0) << i;
  EXPECT_EQ(first[bytes - 1], 0);
  first[0] = first[bytes - 1] = 0xA5;

  int on_stack = 0;
  const auto on_heap = std::make_unique<int>(0);
  EXPECT_FALSE(ReleaseLargeBlock(nullptr));
  EXPECT_FALSE(ReleaseLargeBlock(&on_stack));
  EXPECT_FALSE(ReleaseLargeBlock(on_heap.get()));
  EXPECT_FALSE(ReleaseLargeBlock(first + 1));  // inside a block is not a block

  // Given back in either order; a second release is refused.
  EXPECT_TRUE(ReleaseLargeBlock(std::max(first, second)));
  EXPECT_TRUE(ReleaseLargeBlock(std::min(first, second)));
  EXPECT_FALSE(ReleaseLargeBlock(first));
  EXPECT_FALSE(ReleaseLargeBlock(second));
}

}  // namespace
}  // namespace boltgen
