#ifndef BOLTGEN_BASE_NUMBER_FORMAT_H_
#define BOLTGEN_BASE_NUMBER_FORMAT_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace boltgen {

// A fixed number mask such as "000.0000" or "###0.000": each '0' before the
// point is an integer digit that is always shown (leading zeros), '#' one that
// is shown only when needed, and the characters after the point give the
// number of decimals, which are always shown. The decimal point is always '.',
// whatever the locale.
//
// Masks are parsed at compile time, so a malformed mask does not build.
class NumberMask {
 public:
  template <std::size_t N>
  consteval NumberMask(const char (&mask)[N]) {  // NOLINT: implicit by design
    bool after_point = false;
    for (std::size_t i = 0; i + 1 < N; ++i) {
      const char c = mask[i];
      if (c == '.') {
        if (after_point) throw "a mask has at most one point";
        after_point = true;
      } else if (c == '0') {
        after_point ? ++decimals_ : ++min_integer_digits_;
      } else if (c == '#') {
        if (after_point) throw "'#' after the point is not supported";
      } else {
        throw "a mask holds only '0', '#' and '.'";
      }
    }
    if (min_integer_digits_ > 40 || decimals_ > 40) throw "a mask of at most 40 digits each side";
  }

  constexpr int min_integer_digits() const { return min_integer_digits_; }
  constexpr int decimals() const { return decimals_; }

 private:
  int min_integer_digits_ = 0;
  int decimals_ = 0;
};

// Appends `value` written with `mask` to `out`: rounded to the mask's decimals
// (exact halves away from zero), integer digits padded with zeros up to the
// mask's minimum, a '-' in front of negative values. A value that rounds to
// zero is written without a sign. Non-finite values are written as "inf",
// "-inf" or "nan"; callers refuse them before they reach a script.
void AppendNumber(std::string& out, double value, NumberMask mask);

// The longest text a mask can produce: 309 integer digits of the largest
// double, a sign, a point and up to a few dozen decimals.
inline constexpr std::size_t kMaxNumberLength = 400;

// The same, written to `dest`, which must have room for kMaxNumberLength
// characters; returns the number of characters written. For callers that
// compose a whole line before appending it.
std::size_t WriteNumber(char* dest, double value, NumberMask mask);

// The same, returned as a new string.
std::string FormatNumber(double value, NumberMask mask);

namespace detail {
// The general path of AppendNumber, on std::to_chars; exposed so that tests
// can hold the fast integer path against it.
void AppendNumberGeneral(std::string& out, double value, NumberMask mask);
bool IsExactHalf(double value, int decimals);
}  // namespace detail

// Rounds to the nearest whole number, halves to the even neighbour, the rule
// for segment counts and list indexes.
double RoundHalfEven(double value);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_NUMBER_FORMAT_H_
