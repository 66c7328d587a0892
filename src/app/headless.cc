#include "app/headless.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "app/console_platform.h"

namespace boltgen {
namespace {

// The program's own path, which names the size table and is where the
// shipped data files are looked for when the working folder has none.
std::string ProgramPath(const char* argv0) {
  char buffer[4096];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length > 0) return std::string(buffer, static_cast<std::size_t>(length));
  return argv0 != nullptr ? argv0 : "boltgen";
}

int Run(int argc, char** argv) {
  AppEnvironment environment;
  environment.program_path = ProgramPath(argc > 0 ? argv[0] : nullptr);
  environment.raw_args = JoinArguments(argc, argv);
  environment.headless = true;

  ConsolePlatform platform(stdout, stderr, /*skip_sleeps=*/true);
  BoltApp app(platform, environment);
  app.Form_Load();

  if (const auto status = app.exit_status()) {
    if (*status == kExitOk && app.last_result().kind == GenerationResult::Kind::kWritten &&
        !app.last_result().path.empty()) {
      std::fprintf(stdout, "%s\n", app.last_result().path.c_str());
      for (const std::string& stl : app.companion_files()) std::fprintf(stdout, "%s\n", stl.c_str());
    }
    return *status;
  }
  std::fputs("boltgen: no display; add /G:1 to generate, or ? for help\n", stderr);
  return kExitUsage;
}

}  // namespace

int RunHeadless(int argc, char** argv) {
  const int status = Run(argc, argv);
  // The written paths and the help are what a batch job reads: losing them,
  // as on a full disk, is a failure like any other.
  const bool flush_failed = std::fflush(stdout) != 0;
  if (flush_failed || std::ferror(stdout)) {
    const std::string reason = flush_failed ? std::string(": ") + std::strerror(errno) : "";
    std::fprintf(stderr, "boltgen: cannot write to standard output%s\n", reason.c_str());
    return status == kExitOk ? kExitFailed : status;
  }
  return status;
}

}  // namespace boltgen
