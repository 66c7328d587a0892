#include "base/text.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

TEST(Text, TrimRemovesSpacesButNotTabs) {
  EXPECT_EQ(TrimBlanks("  [Inch 3/4]  "), "[Inch 3/4]");
  EXPECT_EQ(TrimBlanks("\t[Inch]"), "\t[Inch]");
  EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(Text, LinesEndAtCrOrCrLfButNotAtLoneLf) {
  const auto lines = SplitLines("a\r\nb\rc\nd\r\n\r\ne");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[1], "b");
  EXPECT_EQ(lines[2], "c\nd");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], "e");
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SplitLines("x\r\n").size(), 1u);
}

TEST(Text, CaseFolding) {
  EXPECT_EQ(ToLowerAscii("[Inch 3/4] FLATS"), "[inch 3/4] flats");
  EXPECT_TRUE(EqualsIgnoreCase("bolt.SCR", "BOLT.scr"));
  EXPECT_FALSE(EqualsIgnoreCase("bolt.scr", "bolt.scx"));
}

}  // namespace
}  // namespace boltgen
