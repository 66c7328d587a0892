#include "base/number_format.h"

#include <clocale>
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

TEST(NumberFormat, EveryMaskRoundsHalvesAwayFromZeroAndDropsTheSignOfZero) {
  const struct {
    double value;
    NumberMask mask;
    const char* text;
  } cases[] = {
      {1.5, "000.0000", "001.5000"}, {-0.25, "000.0000", "-000.2500"},
      {1234.56789, "000.0000", "1234.5679"}, {-12, "000.0000", "-012.0000"},
      {3, "0000.0000", "0003.0000"}, {0.0625, "00.0000", "00.0625"}, {7.5, "000.00", "007.50"},
      {12, "000.00", "012.00"}, {37, "000", "037"}, {240, "000", "240"},
      {0.25, "000.000", "000.250"}, {0.076923, "000.0000", "000.0769"},
      {-1.5, "###0.000", "-1.500"}, {12.3456, "###0.000", "12.346"}, {2, "00", "02"},
      {15, "00", "15"}, {3, "####0.0000", "3.0000"}, {0.5, "####0.0000", "0.5000"},
      {0.75, "0.0000", "0.7500"}, {1.75, "000.0", "001.8"}, {3, "00.000", "03.000"},
      {50, "0000.0", "0050.0"},
      // Exact halves go away from zero; values just below a half go down.
      {2.5, "000", "003"}, {-2.5, "000", "-003"}, {0.125, "0.00", "0.13"},
      {-2.90625, "000.0000", "-002.9063"}, {1.0005, "0.000", "1.000"},
      {0.30000000000000004, "0.0000", "0.3000"},
      // Only a value that rounds to something other than zero keeps its sign.
      {-1e-17, "000.0000", "000.0000"}, {-0.0, "000.0000", "000.0000"},
      {-0.00005, "000.0000", "-000.0001"},
      // Huge and non-finite values do not overflow.
      {std::numeric_limits<double>::infinity(), "000", "inf"}, {std::nan(""), "000", "nan"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.value, c.mask), c.text) << c.value;
  EXPECT_EQ(FormatNumber(1e300, "0.0000").size(), 301u + 5u);
  EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::max(), "000.0000").substr(0, 2), "-1");
}

TEST(NumberFormat, LocaleDoesNotChangeThePoint) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  std::string saved = previous ? previous : "C";
  // scripts/install-deps.sh makes this locale; C.UTF-8 would prove nothing.
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "no de_DE.UTF-8 locale, whose decimal mark is a comma (scripts/install-deps.sh)";
  }
  EXPECT_EQ(FormatNumber(1.5, "000.0000"), "001.5000");
  EXPECT_EQ(FormatNumber(-1234.5, "####0.000"), "-1234.500");
  EXPECT_EQ(FormatNumber(0.125, "0.00000"), "0.12500");
  std::setlocale(LC_ALL, saved.c_str());
}

// Script numbers take quick paths: "000.0000" below 1000 one of its own, and
// every mask of up to four decimals one bounded by magnitude (below 2^-15
// every mask's value rounds to zero; from 2^-11 to below 2^30 one 64-bit
// product is scaled back by a shift; wider bounds would overflow it). On
// every mask they must write what the general to_chars path writes: on both
// sides of each bound (1000 the coordinates' one), far beyond them, and on
// exact halves near them.
TEST(NumberFormat, QuickPathsAgreeWithGeneralPathOnEveryMask) {
  const NumberMask masks[] = {"000.0000", "0000.0000", "00.0000", "000.00", "000",    "000.000",
                              "###0.000", "00",        "####0.0000", "0.0000", "000.0", "00.000",
                              "0000.0",   "#.00",      "0",          "0.00",   "0.000", "0000",
                              "0.00000"};
  std::vector<double> values = {0.0, 5e-324, 1e20, 9.99995e6, 123456789.00005};
  for (const int exponent :
       {-16, -15, -14, -13, -12, -11, -10, 0, 3, 9, 29, 30, 31, 40, 50, 51, 52, 53, 63, 64}) {
    for (int step = 0; step < 64; ++step) {
      const double value = std::ldexp(1.0 + step / 64.0, exponent);
      values.push_back(value);
      values.push_back(std::nextafter(value, 0.0));
      values.push_back(std::nextafter(value, 1e300));
    }
  }
  // Exact halves of the last decimal are the odd multiples of 2^-(d+1):
  // small ones, and ones just below 2^30 and beyond it.
  for (int decimals = 0; decimals <= 5; ++decimals) {
    for (int odd = 1; odd < 80; odd += 2) {
      const double half = std::ldexp(odd, -(decimals + 1));
      for (const double base : {0.0, 1073741800.0, 1073741824.0}) values.push_back(base + half);
    }
  }
  for (const NumberMask& mask : masks) {
    for (const double magnitude : values) {
      for (const double value : {magnitude, -magnitude}) {
        std::string general;
        detail::AppendNumberGeneral(general, value, mask);
        ASSERT_EQ(FormatNumber(value, mask), general) << value << " with " << mask.decimals();
      }
    }
  }
}

}  // namespace
}  // namespace boltgen
