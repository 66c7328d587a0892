#include "app/headless.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "app/console_platform.h"
#include "base/atomic_file.h"
#include "base/os.h"

namespace boltgen {
namespace {

int Run(int argc, char** argv) {
  AppEnvironment environment;
  os::PrepareConsole();
  // The program's own path names the size table and is where the shipped
  // data files are looked for when the working folder has none.
  const std::vector<std::string> arguments = os::Arguments(argc, argv);
  environment.program_path = os::ProgramPath(arguments.empty() ? "boltgen" : arguments[0]);
  std::vector<const char*> words;
  for (const std::string& argument : arguments) words.push_back(argument.c_str());
  environment.raw_args = JoinArguments(static_cast<int>(words.size()), words.data());
  environment.headless = true;

  ConsolePlatform platform(stdout, stderr);
  BoltApp app(platform, environment);
  app.Form_Load();

  if (const auto status = app.exit_status()) {
    if (*status == kExitOk && !app.written_script().empty()) {
      std::fprintf(stdout, "%s\n", app.written_script().c_str());
      for (const std::string& stl : app.companion_files()) std::fprintf(stdout, "%s\n", stl.c_str());
    }
    return *status;
  }
  std::fputs("boltgen: no display; add /G:1 to generate, or ? for help\n", stderr);
  return kExitUsage;
}

}  // namespace

int RunHeadless(int argc, char** argv) {
  InstallSignalCleanup();
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
