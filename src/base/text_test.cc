#include "base/text.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

TEST(Text, LinesEndAtCrLfCrOrLf) {
  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd\r\n\r\ne"), (Lines{"a", "b", "c", "d", "", "e"}));
  // LF CR is two line ends, with an empty line between them.
  EXPECT_EQ(SplitLines("a\n\rb\n\nc"), (Lines{"a", "", "b", "", "c"}));
}

}  // namespace
}  // namespace boltgen
