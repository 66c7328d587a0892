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
#include "base/path.h"

namespace boltgen {

std::string FrontProgramBesideThis() {
  return std::string(FolderPrefixOf(os::ProgramPath(kFrontProgramName))) + kFrontProgramName;
}

std::optional<int> StartWindowIfDisplay(const std::string& program_path, char** argv) {
#ifdef _WIN32
  // The window is built for Linux only: on Windows every run is headless.
  (void)program_path, (void)argv;
  return std::nullopt;
#else
  if (!os::HasDisplay()) return std::nullopt;
  const std::string window = std::string(FolderPrefixOf(program_path)) + kWindowProgramName;
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
