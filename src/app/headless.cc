#include "app/headless.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "app/console_platform.h"
#include "base/os.h"

namespace boltgen {
int RunHeadless(int argc, char** argv) {
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

}  // namespace boltgen
