#include "config/leading_number.h"

#include <cmath>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

TEST(LeadingNumber, TakesTheNumberAtTheStart) {
  EXPECT_DOUBLE_EQ(LeadingNumber("0.076923 UNC"), 0.076923);
  EXPECT_DOUBLE_EQ(LeadingNumber("3/4"), 3);
  EXPECT_DOUBLE_EQ(LeadingNumber("2.5in"), 2.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("-2"), -2);
  EXPECT_DOUBLE_EQ(LeadingNumber("+.5"), 0.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("1.5.3"), 1.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("7,5"), 7);
}

TEST(LeadingNumber, NoDigitsGiveZero) {
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  EXPECT_EQ(LeadingNumber("."), 0);
  EXPECT_EQ(LeadingNumber("-"), 0);
  EXPECT_EQ(LeadingNumber("UNC 0.1"), 0);
}

TEST(LeadingNumber, BlanksTabsAndLineFeedsAreSkippedAnywhere) {
  EXPECT_DOUBLE_EQ(LeadingNumber("  \t0.75"), 0.75);
  EXPECT_DOUBLE_EQ(LeadingNumber("1 2.5"), 12.5);
  EXPECT_DOUBLE_EQ(LeadingNumber("- 3\n.5"), -3.5);
}

TEST(LeadingNumber, ExponentsWithEOrD) {
  EXPECT_DOUBLE_EQ(LeadingNumber("1E3"), 1000);
  EXPECT_DOUBLE_EQ(LeadingNumber("2.5d-1"), 0.25);
  EXPECT_DOUBLE_EQ(LeadingNumber("1e"), 1);
  EXPECT_DOUBLE_EQ(LeadingNumber("1e+x"), 1);
  EXPECT_DOUBLE_EQ(LeadingNumber("1 D 2"), 100);
}

TEST(LeadingNumber, OutOfRangeGivesInfinityOrZero) {
  EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
  EXPECT_LT(LeadingNumber("-1e999"), 0);
  EXPECT_EQ(LeadingNumber("1e-999"), 0);
  EXPECT_TRUE(std::isinf(LeadingNumber("0.001e99999999999")));
  EXPECT_TRUE(std::isfinite(LeadingNumber(std::string(400, '9').insert(0, "0."))));
}

}  // namespace
}  // namespace boltgen
