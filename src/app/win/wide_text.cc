#include "app/win/wide_text.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "base/os.h"

namespace boltgen::win {

std::wstring Wide(std::string_view text) {
  std::wstring wide;
  if (os::ToWide(text, wide)) return wide;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  wide.resize(static_cast<std::size_t>(length));
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string Narrow(std::wstring_view text) { return os::FromWide(text); }

}  // namespace boltgen::win
