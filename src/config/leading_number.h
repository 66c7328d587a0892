#ifndef BOLTGEN_CONFIG_LEADING_NUMBER_H_
#define BOLTGEN_CONFIG_LEADING_NUMBER_H_

#include <optional>
#include <string_view>

namespace boltgen {

// The value of the number at the start of a text, the one conversion of text
// to number in the program. Spaces, tabs and line feeds are skipped wherever
// they stand; an optional sign, digits, one '.' (always '.', whatever the
// locale) and an optional exponent introduced by E or D (either case) are
// taken; reading stops at the first other character. No digits give 0, so
// "0.1 UNC" is 0.1, "3/4" is 3 and "abc" is 0. A number too large for a
// double gives an infinity, which callers refuse; one too small gives 0.
double LeadingNumber(std::string_view text);

// The value of a text that is one finite decimal number and nothing else: an
// optional sign, digits with at most one '.', and an optional exponent of E
// and digits ("0.75", "-2", ".5", "1.5e3"). Nothing otherwise: "", "abc",
// "0,75", "0x10", "nan", "1 1/4", " 1" and "1e999" all give nullopt. Where
// a number is required this is the check; the value is LeadingNumber's.
std::optional<double> DecimalNumber(std::string_view text);

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_LEADING_NUMBER_H_
