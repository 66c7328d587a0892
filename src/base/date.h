#ifndef BOLTGEN_BASE_DATE_H_
#define BOLTGEN_BASE_DATE_H_

#include <string>

namespace boltgen {

struct Date {
  int day = 1;    // 1..31
  int month = 1;  // 1..12
  int year = 1970;
};

// Today in the local time zone.
Date Today();

// "DD MMM YYYY" with the English month abbreviation, whatever the locale:
// "06 Dec 2026".
std::string FormatDate(const Date& date);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_DATE_H_
