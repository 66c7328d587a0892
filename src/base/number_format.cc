#include "base/number_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace boltgen {
namespace {

using uint128 = unsigned __int128;

constexpr std::uint64_t kPowersOf10[] = {1,         10,         100,         1000,
                                         10000,     100000,     1000000,     10000000,
                                         100000000, 1000000000, 10000000000, 100000000000};
constexpr int kMaxExactDecimals = 11;

// Writes the magnitude `units` (in units of 10^-decimals) with the mask's
// padding. Digits are produced right to left into a small stack buffer.
void AppendScaled(std::string& out, bool negative, uint128 units, NumberMask mask) {
  const int decimals = mask.decimals();
  char digits[48];
  int length = 0;
  if (units <= std::numeric_limits<std::uint64_t>::max()) {
    auto small = static_cast<std::uint64_t>(units);  // 64-bit division is much cheaper
    do {
      digits[length++] = static_cast<char>('0' + small % 10);
      small /= 10;
    } while (small != 0);
  } else {
    do {
      digits[length++] = static_cast<char>('0' + static_cast<int>(units % 10));
      units /= 10;
    } while (units != 0);
  }
  const bool is_zero = length == 1 && digits[0] == '0';
  // Decimals need at least `decimals` digits; pad the fraction with zeros.
  while (length < decimals) digits[length++] = '0';
  int integer_digits = length - decimals;
  // A value below one has "0" as its integer part, shown only if the mask
  // asks for at least one integer digit.
  const int shown_integer_digits = std::max(integer_digits, mask.min_integer_digits());

  if (negative && !is_zero) out += '-';
  out.append(static_cast<std::size_t>(shown_integer_digits - integer_digits), '0');
  for (int i = length - 1; i >= decimals; --i) out += digits[i];
  if (decimals > 0) {
    out += '.';
    for (int i = decimals - 1; i >= 0; --i) out += digits[i];
  }
}

// The exact path: a double is m * 2^e with integer m, so value * 10^d is
// m * 10^d * 2^e, computed exactly in 128-bit integers and rounded once,
// exact halves away from zero. Covers every value a script can hold; returns
// false for the rest (huge magnitudes), which take the general path.
bool AppendExact(std::string& out, double value, NumberMask mask) {
  const int decimals = mask.decimals();
  if (decimals > kMaxExactDecimals) return false;
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const int biased_exponent = static_cast<int>((bits >> 52) & 0x7ff);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  std::uint64_t mantissa;
  int exponent;
  if (biased_exponent == 0) {  // zero and subnormals
    mantissa = fraction;
    exponent = -1074;
  } else {
    mantissa = fraction | (std::uint64_t{1} << 52);
    exponent = biased_exponent - 1075;
  }
  // mantissa * 10^decimals < 2^53 * 2^37 = 2^90.
  const uint128 scaled = static_cast<uint128>(mantissa) * kPowersOf10[decimals];
  uint128 units;
  if (exponent >= 0) {
    if (exponent > 30) return false;  // keeps units below 2^120
    units = scaled << exponent;
  } else {
    const int shift = -exponent;
    if (shift > 100) {
      units = 0;  // scaled < 2^90 is below half a unit
    } else {
      units = scaled >> shift;
      const uint128 remainder = scaled - (units << shift);
      const uint128 half = static_cast<uint128>(1) << (shift - 1);
      if (remainder >= half) ++units;
    }
  }
  AppendScaled(out, negative, units, mask);
  return true;
}

}  // namespace

namespace detail {

bool IsExactHalf(double value, int decimals) {
  if (value == 0 || !std::isfinite(value)) return false;
  int exponent = 0;
  const double mantissa = std::frexp(std::fabs(value), &exponent);  // [0.5, 1)
  auto m = static_cast<unsigned long long>(std::ldexp(mantissa, 53));
  exponent -= 53;
  while ((m & 1u) == 0) {
    m >>= 1;
    ++exponent;
  }
  // value * 2 * 10^d = m * 5^d * 2^(exponent + 1 + d) is an odd integer
  // exactly when that power of two is 2^0.
  return exponent + 1 + decimals == 0;
}

void AppendNumberGeneral(std::string& out, double value, NumberMask mask) {
  const int decimals = mask.decimals();
  // std::to_chars rounds the exact binary value correctly, exact halves to
  // even; moving an exact half one step away from zero rounds it away.
  if (IsExactHalf(value, decimals)) {
    value = std::nextafter(value, value < 0 ? -std::numeric_limits<double>::infinity()
                                            : std::numeric_limits<double>::infinity());
  }
  char buffer[400];  // 309 integer digits at most, plus the decimals
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                 std::chars_format::fixed, decimals);
  if (ec != std::errc()) {
    out += "nan";
    return;
  }
  const auto length = static_cast<int>(end - buffer);
  const int integer_digits = decimals > 0 ? length - 1 - decimals : length;
  bool is_zero = true;
  for (const char* p = buffer; p != end; ++p) {
    if (*p != '0' && *p != '.') is_zero = false;
  }
  if (value < 0 && !is_zero) out += '-';
  const bool zero_integer = integer_digits == 1 && buffer[0] == '0';
  if (zero_integer && mask.min_integer_digits() == 0) {
    out.append(buffer + 1, end);
    return;
  }
  if (integer_digits < mask.min_integer_digits()) {
    out.append(static_cast<std::size_t>(mask.min_integer_digits() - integer_digits), '0');
  }
  out.append(buffer, end);
}

}  // namespace detail

void AppendNumber(std::string& out, double value, NumberMask mask) {
  if (std::isnan(value)) {
    out += "nan";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-inf" : "inf";
    return;
  }
  if (!AppendExact(out, value, mask)) detail::AppendNumberGeneral(out, value, mask);
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
