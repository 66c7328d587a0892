#ifndef BOLTGEN_GENERATE_ZIP_TIMES_H_
#define BOLTGEN_GENERATE_ZIP_TIMES_H_

#include <cstdint>
#include <string>

#include "base/error.h"

namespace boltgen {

// A date and time as a zip archive keeps them (MS-DOS fields).
struct ZipTime {
  std::uint16_t date;  // (year - 1980) << 9 | month << 5 | day
  std::uint16_t time;  // hour << 11 | minute << 5 | second / 2
};

// 1980-01-01 00:00:00, the first the fields can hold: a real date that is
// the same for every run, so that the same request gives the same bytes.
inline constexpr ZipTime kFixedZipTime{(0 << 9) | (1 << 5) | 1, 0};

// Gives every entry of the archive `zip` the time `when`, in its local
// header and in the central directory, ZIP64 records included. The entries'
// contents and checksums stay as they are. An error, and `zip` unchanged,
// when the archive is not laid out as a zip archive must be.
Result<> SetZipEntryTimes(std::string& zip, ZipTime when);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_ZIP_TIMES_H_
