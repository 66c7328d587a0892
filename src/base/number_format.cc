#include "base/number_format.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <limits>

namespace boltgen {
namespace {

using uint128 = unsigned __int128;

constexpr std::uint64_t kPowersOf10[] = {1,         10,         100,         1000,
                                         10000,     100000,     1000000,     10000000,
                                         100000000, 1000000000, 10000000000, 100000000000};
constexpr int kMaxExactDecimals = 11;

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes exactly `count` digits of `value` (the low ones, zero-padded) ending
// just before `end`, two at a time; returns the new start.
// Unsigned is either 64 or 32 bits: the narrower divides more cheaply.
template <typename Unsigned>
inline __attribute__((always_inline)) char* WriteDigits(char* end, Unsigned value, int count) {
  while (count >= 2) {
    const auto pair = static_cast<std::size_t>(value % 100) * 2;
    value /= 100;
    *--end = kDigitPairs[pair + 1];
    *--end = kDigitPairs[pair];
    count -= 2;
  }
  if (count == 1) *--end = static_cast<char>('0' + value % 10);
  return end;
}

int DigitCount(std::uint64_t value) {
  int count = 1;
  while (value >= 10) {
    value /= 10;
    ++count;
  }
  return count;
}

// small / 10^decimals with the divisor a constant in the common cases, so
// that the compiler turns the division into a multiplication.
std::uint64_t DividePowerOf10(std::uint64_t small, int decimals) {
  switch (decimals) {
    case 0: return small;
    case 2: return small / 100;
    case 3: return small / 1000;
    case 4: return small / 10000;
    default: return small / kPowersOf10[decimals];
  }
}

// Beyond 64 bits (magnitudes near 10^19 and up): digit by digit into a
// buffer, then copied. No script number gets here.
std::size_t WriteWide(char* dest, bool negative, uint128 units, NumberMask mask) {
  const int decimals = mask.decimals();
  char buffer[64];
  char* const end = buffer + sizeof buffer;
  char* p = end;
  const uint128 integer_wide = units / kPowersOf10[decimals];
  if (decimals > 0) {
    p = WriteDigits(p, static_cast<std::uint64_t>(units - integer_wide * kPowersOf10[decimals]),
                    decimals);
    *--p = '.';
  }
  uint128 rest = integer_wide;
  while (rest > std::numeric_limits<std::uint64_t>::max()) {
    *--p = static_cast<char>('0' + static_cast<int>(rest % 10));
    rest /= 10;
  }
  const auto integer_part = static_cast<std::uint64_t>(rest);
  p = WriteDigits(p, integer_part, std::max(DigitCount(integer_part), mask.min_integer_digits()));
  if (negative) *--p = '-';
  const auto length = static_cast<std::size_t>(end - p);
  std::memcpy(dest, p, length);
  return length;
}

// The digits of "000.0000" below 1000, nearly every number of a script, with
// every count known to the compiler.
inline std::size_t WriteCoordinate(char* dest, bool negative, std::uint64_t units) {
  const bool sign = negative && units != 0;
  const std::size_t length = 8 + static_cast<std::size_t>(sign);
  const auto scaled = static_cast<std::uint32_t>(units);
  const std::uint32_t integer_part = scaled / 10000;
  const std::uint32_t fraction = scaled - integer_part * 10000;
  char* p = dest + length;
  p = WriteDigits(p, fraction, 4);
  *--p = '.';
  p = WriteDigits(p, integer_part, 3);
  if (sign) *--p = '-';
  return length;
}

// Writes the magnitude `units` (in units of 10^-decimals) with the mask's
// padding to `dest`. The length is known before the first digit, so the
// digits go straight to their places, right to left: the writer calls this
// for every coordinate of every script.
std::size_t WriteScaled(char* dest, bool negative, uint128 units, NumberMask mask) {
  if (units > std::numeric_limits<std::uint64_t>::max()) return WriteWide(dest, negative, units, mask);
  const int decimals = mask.decimals();
  const auto small = static_cast<std::uint64_t>(units);
  if (decimals == 4 && mask.min_integer_digits() == 3 && small < 10000000) {
    return WriteCoordinate(dest, negative, small);
  }
  const std::uint64_t integer_part = DividePowerOf10(small, decimals);
  // A value below one has "0" as its integer part, shown only if the mask
  // asks for at least one integer digit.
  const int integer_digits = std::max(integer_part == 0 ? 0 : DigitCount(integer_part),
                                      mask.min_integer_digits());
  const bool sign = negative && small != 0;
  const std::size_t length = static_cast<std::size_t>(sign) +
                             static_cast<std::size_t>(integer_digits) +
                             (decimals > 0 ? 1 + static_cast<std::size_t>(decimals) : 0);
  char* p = dest + length;
  if (decimals > 0) {
    p = WriteDigits(p, small - integer_part * kPowersOf10[decimals], decimals);
    *--p = '.';
  }
  p = WriteDigits(p, integer_part, integer_digits);
  if (sign) *--p = '-';
  return length;
}

// The exact path: a double is m * 2^e with integer m, so value * 10^d is
// m * 10^d * 2^e, computed exactly in 128-bit integers and rounded once,
// exact halves away from zero. Covers every value a script can hold; returns
// 0 for the rest (huge magnitudes), which take the general path.
std::size_t WriteExact(char* dest, double value, NumberMask mask) {
  const int decimals = mask.decimals();
  if (decimals > kMaxExactDecimals) return 0;
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
    if (exponent > 30) return 0;  // keeps units below 2^120
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
  return WriteScaled(dest, negative, units, mask);
}

// The quick path, which every vertex coordinate takes: at most four
// decimals and a magnitude from 2^-11 to below 2^30, where the exact product
// mantissa * 10^decimals fits in 67 bits and the shift that scales it back
// lies between 22 and 62, so that plain 64-bit shifts suffice and one
// multiplication does the work. Magnitudes below 2^-15 are below half of
// 10^-4 and round to zero. Returns false for everything else, which takes
// the exact 128-bit path.
inline bool ScaleQuickly(double value, int decimals, std::uint64_t& units, bool& negative) {
  constexpr int kTinyBiasedExponent = 1023 - 15;  // below 2^-15
  constexpr int kLowBiasedExponent = 1023 - 11;   // 2^-11
  constexpr int kHighBiasedExponent = 1023 + 30;  // 2^30
  if (decimals > 4) return false;
  const auto bits = std::bit_cast<std::uint64_t>(value);
  negative = (bits >> 63) != 0;
  const int biased_exponent = static_cast<int>((bits >> 52) & 0x7ff);
  if (biased_exponent < kTinyBiasedExponent) {
    units = 0;
    return true;
  }
  if (biased_exponent < kLowBiasedExponent || biased_exponent >= kHighBiasedExponent) return false;
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const uint128 scaled = static_cast<uint128>(mantissa) * kPowersOf10[decimals];
  const auto low = static_cast<std::uint64_t>(scaled);
  const auto high = static_cast<std::uint64_t>(scaled >> 64);
  // value * 10^decimals = scaled / 2^shift. Shifting by one less keeps the
  // first dropped bit; adding it rounds exact halves away from zero.
  const int half_shift = 1075 - biased_exponent - 1;  // 22 .. 62
  const std::uint64_t twice = (low >> half_shift) | (high << (64 - half_shift));
  units = (twice + 1) >> 1;
  return true;
}

// Everything the quick path leaves: huge, tiny and non-finite values, and
// masks with more than four decimals. Kept out of line so that the quick
// path needs no stack frame.
__attribute__((noinline)) std::size_t WriteNumberSlowly(char* dest, double value, NumberMask mask) {
  if (std::isfinite(value)) {
    if (const std::size_t length = WriteExact(dest, value, mask)) return length;
    std::string general;
    detail::AppendNumberGeneral(general, value, mask);
    std::memcpy(dest, general.data(), general.size());
    return general.size();
  }
  const std::string_view text = std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
  std::memcpy(dest, text.data(), text.size());
  return text.size();
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
  // even. An exact half is written with one more decimal, which is then the
  // final '5', exactly; dropping it and adding one unit of the last kept
  // decimal rounds it away from zero. (Stepping the value to its neighbour
  // double would skip past the next decimal where doubles are coarser.)
  const bool exact_half = IsExactHalf(value, decimals);
  char digits[402];  // room for a carry in front of the largest text
  char* const buffer = digits + 1;
  auto [end, ec] = std::to_chars(buffer, digits + sizeof digits, std::fabs(value),
                                 std::chars_format::fixed, decimals + (exact_half ? 1 : 0));
  if (ec != std::errc()) {
    out += "nan";
    return;
  }
  if (exact_half) {
    --end;
    if (decimals == 0) --end;  // the point written before the half's digit
    char* p = end;
    while (p != buffer) {
      --p;
      if (*p == '.') continue;
      if (*p != '9') {
        ++*p;
        break;
      }
      *p = '0';
      if (p == buffer) {
        std::memmove(buffer + 1, buffer, static_cast<std::size_t>(end - buffer));
        *buffer = '1';
        ++end;
      }
    }
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

std::size_t WriteNumber(char* dest, double value, NumberMask mask) {
  std::uint64_t units;
  bool negative;
  if (!ScaleQuickly(value, mask.decimals(), units, negative)) [[unlikely]] {
    return WriteNumberSlowly(dest, value, mask);
  }
  if (mask.decimals() == 4 && mask.min_integer_digits() == 3 && units < 10000000) [[likely]] {
    return WriteCoordinate(dest, negative, units);
  }
  return WriteScaled(dest, negative, units, mask);
}

void AppendNumber(std::string& out, double value, NumberMask mask) {
  char buffer[kMaxNumberLength];
  out.append(buffer, WriteNumber(buffer, value, mask));
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
