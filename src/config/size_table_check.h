#ifndef BOLTGEN_CONFIG_SIZE_TABLE_CHECK_H_
#define BOLTGEN_CONFIG_SIZE_TABLE_CHECK_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "config/size_table_sections.h"

namespace boltgen {

// The largest size table value that is accepted. Every coordinate of a
// script is a sum of a few small multiples of these values (the nuts stand
// at up to five nut heights), so values below this keep every coordinate
// finite with a wide margin.
inline constexpr double kLargestTableValue = 1e300;

// The finest pitch other than 0: scripts and file names show pitches with
// four decimals, so a finer one would read as 0.0000.
inline constexpr double kFinestPitch = 0.0001;

// Checks `section` of `table` so that a generation uses only what is written
// under its own header, and only values that mean what they say, by the rules
// of kSizeTableKeys: every required key present, each length one finite
// decimal number greater than 0 (or 0 and more where 0 is allowed; the nut
// heights held to that only `with_nuts`), paired keys given together, at
// least one pitch and every pitch 0 or a number of at least kFinestPitch with
// an optional label; a header that stands at the line's start (blanks aside),
// closes its bracket, carries no comment and is not defined twice; and no
// control character in the size name or a pitch label, which a script would
// carry.
//
// Each problem is one line "LABEL:LINE: [Size]: what is wrong"; all of them,
// in line order, make the error. A section that may generate gives its
// warnings in the same form: the keys it gives more than once (the last
// line's value is used).
Result<std::vector<std::string>> CheckSizeSection(const SizeTableSections& table,
                                                  const TableSection& section,
                                                  std::string_view label, bool with_nuts);

}  // namespace boltgen

#endif  // BOLTGEN_CONFIG_SIZE_TABLE_CHECK_H_
