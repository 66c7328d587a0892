#include "config/leading_number.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

TEST(LeadingNumber, TakesTheNumberAtTheStartSkippingBlanksAnywhere) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<const char*, double> cases[] = {
      {"0.076923 UNC", 0.076923}, {"3/4", 3},       {"2.5in", 2.5},    {"-2", -2},
      {"+.5", 0.5},               {"1.5.3", 1.5},   {"7,5", 7},
      // No digits: zero.
      {"abc", 0},                 {"", 0},          {".", 0},          {"-", 0},
      {"UNC 0.1", 0},
      // Blanks, tabs and line feeds are skipped, inside the number too.
      {"  \t0.75", 0.75},         {"1 2.5", 12.5},  {"- 3\n.5", -3.5},
      // Exponents with E or D; a bare exponent letter is ignored.
      {"1E3", 1000},              {"2.5d-1", 0.25}, {"1e", 1},         {"1e+x", 1},
      {"1 D 2", 100},
      // Out of range: infinity or zero.
      {"1e999", inf},             {"-1e999", -inf}, {"1e-999", 0},     {"0.001e99999999999", inf},
  };
  for (const auto& [text, expected] : cases) {
    // Zero and infinity exactly: the nearest subnormal or DBL_MAX is a fault.
    if (expected == 0 || std::isinf(expected)) {
      EXPECT_EQ(LeadingNumber(text), expected) << text;
    } else {
      EXPECT_DOUBLE_EQ(LeadingNumber(text), expected) << text;
    }
  }
  EXPECT_TRUE(std::isfinite(LeadingNumber(std::string(400, '9').insert(0, "0."))));
}

TEST(DecimalNumber, OnlyOneFiniteDecimalNumberAndNothingElse) {
  const std::pair<const char*, double> numbers[] = {
      {"0.75", 0.75}, {"-2", -2}, {"+3", 3}, {".5", 0.5}, {"5.", 5}, {"1.5e3", 1500},
      {"2E-1", 0.2},  {"0", 0},   {"1e-999", 0}};
  for (const auto& [text, expected] : numbers) EXPECT_EQ(DecimalNumber(text), expected) << text;
  for (const char* text : {"", ".", "-", "abc", "0,75", "0x10", "nan", "inf", "1e999", "1 1/4",
                           " 1", "1 ", "1\t", "1..2", "1e", "1e+", "2.5d-1", "7abc", "--1"}) {
    EXPECT_EQ(DecimalNumber(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace boltgen
