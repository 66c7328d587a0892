#include "app/window_start.h"

#ifndef _WIN32
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/bolt_app.h"
#include "base/os.h"

namespace boltgen {
#ifndef _WIN32
namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace
#endif

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && std::strcmp(platform, "offscreen") == 0) return false;
  return os::HasDesktop();
}

std::string OwnProgramPath(const char* argv0) {
  return os::ProgramPath(argv0 != nullptr ? argv0 : "boltgen");
}

std::optional<int> StartWindowIfDisplay(const std::string& program_path, char** argv) {
#ifdef _WIN32
  // The window is built for Linux only: on Windows every run is headless.
  (void)program_path, (void)argv;
  return std::nullopt;
#else
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
#endif
}

}  // namespace boltgen
