#include "base/number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace boltgen {
namespace {

// True when `value` lies exactly halfway between two neighbours at
// `decimals` decimals, that is when value * 2 * 10^decimals is an odd
// integer. With value = m * 2^e (m odd) that product is m * 5^d * 2^(e+1+d),
// an odd integer exactly when e + 1 + d == 0; no rounding is involved.
bool IsExactHalf(double value, int decimals) {
  if (value == 0 || !std::isfinite(value)) return false;
  int exponent = 0;
  double mantissa = std::frexp(std::fabs(value), &exponent);  // [0.5, 1)
  // Make the mantissa an odd integer.
  auto m = static_cast<unsigned long long>(std::ldexp(mantissa, 53));
  exponent -= 53;
  while ((m & 1u) == 0) {
    m >>= 1;
    ++exponent;
  }
  return exponent + 1 + decimals == 0;
}

}  // namespace

void AppendNumber(std::string& out, double value, NumberMask mask) {
  if (std::isnan(value)) {
    out += "nan";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-inf" : "inf";
    return;
  }
  const int decimals = mask.decimals();
  // std::to_chars rounds the exact binary value correctly, exact halves to
  // even. Moving an exact half one step away from zero makes it round away
  // from zero, which is what a user reading "rounded" expects.
  if (IsExactHalf(value, decimals)) {
    value = std::nextafter(value, value < 0 ? -std::numeric_limits<double>::infinity()
                                            : std::numeric_limits<double>::infinity());
  }
  // The largest double written in fixed notation has 309 integer digits.
  char buffer[320 + 32];
  const double magnitude = std::fabs(value);
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                 std::chars_format::fixed, decimals);
  if (ec != std::errc()) {  // cannot happen with this buffer; be safe anyway
    out += "nan";
    return;
  }
  const std::size_t length = static_cast<std::size_t>(end - buffer);
  const std::size_t integer_digits = decimals > 0 ? length - 1 - static_cast<std::size_t>(decimals) : length;

  bool all_zero = true;
  for (const char* p = buffer; p != end; ++p) {
    if (*p != '0' && *p != '.') {
      all_zero = false;
      break;
    }
  }
  if (value < 0 && !all_zero) out += '-';

  // to_chars writes "0" for a value below one; a mask without compulsory
  // integer digits ("#.00") then shows none.
  const bool only_zero_integer = integer_digits == 1 && buffer[0] == '0';
  const std::size_t wanted = static_cast<std::size_t>(mask.min_integer_digits());
  if (only_zero_integer && wanted == 0) {
    out.append(buffer + 1, end);
    return;
  }
  if (integer_digits < wanted) out.append(wanted - integer_digits, '0');
  out.append(buffer, end);
}

std::string FormatNumber(double value, NumberMask mask) {
  std::string out;
  AppendNumber(out, value, mask);
  return out;
}

double RoundHalfEven(double value) {
  // The default floating-point environment rounds to nearest, ties to even.
  return std::nearbyint(value);
}

}  // namespace boltgen
