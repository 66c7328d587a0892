#ifndef BOLTGEN_APP_WIN_WIDE_TEXT_H_
#define BOLTGEN_APP_WIN_WIDE_TEXT_H_

#include <string>
#include <string_view>

namespace boltgen::win {

// The controls hold UTF-8, as the command line and a UTF-8 size table bring
// it; a size table in the system's 8-bit code page is shown in that code
// page rather than not at all.
std::wstring Wide(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace boltgen::win

#endif  // BOLTGEN_APP_WIN_WIDE_TEXT_H_
