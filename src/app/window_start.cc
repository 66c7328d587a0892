#include "app/window_start.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/bolt_app.h"

namespace boltgen {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && std::strcmp(platform, "offscreen") == 0) return false;
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

std::string OwnProgramPath(const char* argv0) {
  char buffer[4096];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length > 0) return std::string(buffer, static_cast<std::size_t>(length));
  return argv0 != nullptr ? argv0 : "boltgen";
}

std::optional<int> StartWindowIfDisplay(const std::string& program_path, char** argv) {
  if (!HasDisplay()) return std::nullopt;
  const std::string window = FolderOf(program_path) + "/" + kWindowProgramName;
  setenv(kProgramPathVariable, program_path.c_str(), 1);
  execv(window.c_str(), argv);  // returns only when the window program did not start
  const int error = errno;
  unsetenv(kProgramPathVariable);
  if (error == ENOENT) return std::nullopt;
  std::fprintf(stderr, "boltgen: cannot start the window program %s: %s\n", window.c_str(),
               std::strerror(error));
  return kExitFailed;
}

}  // namespace boltgen
