#include "base/os.h"

#include <cstdlib>
#include <string_view>

namespace boltgen::os {
#ifndef _WIN32
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace
#endif

// One rule for both systems, so that the front's hand-over to the window and
// the help button's viewer agree on whether anyone can see them.
bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && std::string_view(platform) == "offscreen") return false;
#ifdef _WIN32
  return true;
#else
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
#endif
}

// char8_t text is UTF-8 by definition, on every system.
std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

}  // namespace boltgen::os
