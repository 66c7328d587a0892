#include "base/date.h"

#include <ctime>

#include "base/number_format.h"
#include "base/os.h"

namespace boltgen {

Date Today() {
  const std::tm local = os::LocalTime(std::time(nullptr));
  return Date{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

std::string FormatDate(const Date& date) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const int month = date.month >= 1 && date.month <= 12 ? date.month : 1;
  std::string out = FormatNumber(date.day, "00");
  out += ' ';
  out += kMonths[month - 1];
  out += ' ';
  out += FormatNumber(date.year, "0000");
  return out;
}

}  // namespace boltgen
