#include "base/large_page_allocator.h"

#include <cstddef>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// A container that grows from heap blocks into large pages and back keeps
// its elements at every step, and each block goes back to where it came
// from (a block given to the wrong one ends the test program).
TEST(LargePageAllocator, KeepsTheElementsAcrossTheThresholdBothWays) {
  constexpr std::size_t kLarge = kLargePageRequestBytes / sizeof(double) + 3;
  std::vector<double, LargePageAllocator<double>> values;
  for (std::size_t i = 0; i < 2 * kLarge; ++i) values.push_back(static_cast<double>(i));
  ASSERT_GE(values.capacity() * sizeof(double), kLargePageRequestBytes);
  values.resize(10);
  values.shrink_to_fit();
  ASSERT_LT(values.capacity() * sizeof(double), kLargePageRequestBytes);
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i], static_cast<double>(i));

  std::vector<double, LargePageAllocator<double>> large(kLarge);
  for (const double value : large) ASSERT_EQ(value, 0.0);
  large.back() = 7;
  const std::vector<double, LargePageAllocator<double>> copy = large;
  EXPECT_EQ(copy.back(), 7);
  EXPECT_EQ(copy.front(), 0);
}

}  // namespace
}  // namespace boltgen
