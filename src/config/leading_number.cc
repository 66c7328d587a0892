#include "config/leading_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace boltgen {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks the text, skipping blanks, tabs and line feeds wherever they stand.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { Skip(); }
  bool done() const { return pos_ >= text_.size(); }
  char peek() const { return done() ? '\0' : text_[pos_]; }
  void advance() {
    ++pos_;
    Skip();
  }

 private:
  void Skip() {
    while (pos_ < text_.size() && IsSkipped(text_[pos_])) ++pos_;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

double LeadingNumber(std::string_view text) {
  Cursor cursor(text);
  bool negative = false;
  if (cursor.peek() == '+' || cursor.peek() == '-') {
    negative = cursor.peek() == '-';
    cursor.advance();
  }
  std::string mantissa;  // digits and at most one point, without the sign
  bool any_digit = false;
  bool seen_point = false;
  long long integer_digits = 0;  // digits before the point, leading zeros excluded
  while (!cursor.done()) {
    const char c = cursor.peek();
    if (IsDigit(c)) {
      any_digit = true;
      if (!seen_point && (c != '0' || integer_digits > 0)) ++integer_digits;
      mantissa += c;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
      mantissa += c;
    } else {
      break;
    }
    cursor.advance();
  }
  if (!any_digit) return 0.0;

  // An exponent counts only when digits follow its letter (and sign).
  long long exponent = 0;
  const char e = cursor.peek();
  if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
    Cursor probe = cursor;
    probe.advance();
    bool exponent_negative = false;
    if (probe.peek() == '+' || probe.peek() == '-') {
      exponent_negative = probe.peek() == '-';
      probe.advance();
    }
    if (IsDigit(probe.peek())) {
      while (IsDigit(probe.peek())) {
        // Saturate: anything past a few thousand is over- or underflow anyway.
        if (exponent < 100000) exponent = exponent * 10 + (probe.peek() - '0');
        probe.advance();
      }
      if (exponent_negative) exponent = -exponent;
    }
  }

  std::string number = mantissa;
  if (number.front() == '.') number.insert(number.begin(), '0');
  if (number.back() == '.') number.pop_back();
  number += 'e';
  number += std::to_string(exponent);

  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                         std::chars_format::scientific);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    // from_chars leaves the value alone; tell overflow from underflow by the
    // position of the first significant digit.
    const bool overflow = integer_digits + exponent > 0;
    value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

std::optional<double> DecimalNumber(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t from = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i - from;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissa_digits = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa_digits += digits();
  }
  if (mantissa_digits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  const double value = LeadingNumber(text);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace boltgen
