// LeadingNumber and the number masks on arbitrary text: no crash, and every
// finite number written with a mask reads back as the same number to within
// the mask's rounding.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "base/number_format.h"
#include "config/leading_number.h"

namespace {

void CheckRoundTrip(double value, boltgen::NumberMask mask, double half_unit) {
  const std::string text = boltgen::FormatNumber(value, mask);
  const double back = boltgen::LeadingNumber(text);
  if (std::fabs(back - value) > half_unit * 1.000001 + std::fabs(value) * 1e-15) {
    std::fprintf(stderr, "%.17g written as %s reads back as %.17g\n", value, text.c_str(), back);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = boltgen::LeadingNumber(text);
  if (!std::isfinite(value) || std::fabs(value) > 1e15) return 0;
  CheckRoundTrip(value, "000.0000", 0.00005);
  CheckRoundTrip(value, "###0.000", 0.0005);
  CheckRoundTrip(value, "####0.0000", 0.00005);
  CheckRoundTrip(value, "000", 0.5);
  CheckRoundTrip(value, "00", 0.5);
  CheckRoundTrip(value, "0000.0", 0.05);
  (void)boltgen::RoundHalfEven(value);
  return 0;
}
