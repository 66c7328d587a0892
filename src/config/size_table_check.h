#ifndef BOLTGEN_CONFIG_SIZE_TABLE_CHECK_H_
#define BOLTGEN_CONFIG_SIZE_TABLE_CHECK_H_

#include <string>
#include <string_view>

#include "base/error.h"

namespace boltgen {

// The largest size table value that is accepted. Every coordinate of a
// script is a sum of a few small multiples of these values (the nuts stand
// at up to five nut heights), so values below this keep every coordinate
// finite with a wide margin.
inline constexpr double kLargestTableValue = 1e300;

// Checks the section that `size_text` names (the size list's text, matched
// exactly, else without regard to case) so that a generation uses only what
// is written under its own header, and only values that mean what they say:
// every dimension key present, each value one finite decimal number greater
// than 0 (HghtWshFace and RadWshFace may be 0; the nut heights are held to
// that only `with_nuts`), at least one pitch and every pitch a number of 0 or
// more with an optional label, a header that closes its bracket, carries no
// comment and is not defined twice, and no line inside the section that is a
// header indented with a tab.
//
// Returns every problem, one per line in line order, each in the form
// "LABEL:LINE: [Size]: what is wrong", as one error; none when the section
// may generate, and also when no header names the size (the caller refuses
// that itself).
Result<> CheckSizeSection(std::string_view content, std::string_view label,
                             std::string_view size_text, bool with_nuts);

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_SIZE_TABLE_CHECK_H_
