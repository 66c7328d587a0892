#include "app/window_start.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/bolt_app.h"
#include "app/command_line.h"
#include "base/os.h"
#include "base/path.h"

namespace boltgen {

std::string FrontProgramBesideThis() {
  return std::string(FolderPrefixOf(os::ProgramPath(kFrontProgramName))) + kFrontProgramName;
}

namespace {

// A batch run (/G:1, or a '?' for the help) writes to the console it was
// started from.
bool IsBatchRun(char** argv) {
  int argc = 0;
  while (argv[argc]) ++argc;
  const std::vector<std::string> arguments = os::Arguments(argc, argv);
  std::vector<const char*> words;
  for (const std::string& argument : arguments) words.push_back(argument.c_str());
  const std::vector<std::string> split =
      SplitArguments(JoinArguments(static_cast<int>(words.size()), words.data()));
  return AsksForHelp(split) || ParseSwitches(split).process_and_exit;
}

}  // namespace

std::optional<int> StartWindowIfDisplay(const std::string& program_path, char** argv) {
  // Where the window program takes this process's place, a display decides
  // and the window program does batch runs itself. Where this program has to
  // wait for it (Windows, where every session has a desktop), a batch run
  // stays on this console rather than pay for a second program.
  if (os::kRunInsteadWaits ? IsBatchRun(argv) : !os::HasDisplay()) return std::nullopt;
  const std::string window =
      std::string(FolderPrefixOf(program_path)) + kWindowProgramName + os::kProgramSuffix;
  const os::ErrorCode error = os::RunInstead(window, argv, kProgramPathVariable, program_path);
  // No window program: a build without the window, which stays headless.
  if (os::IsNotFound(error)) return std::nullopt;
  std::fprintf(stderr, "boltgen: cannot start the window program %s: %s\n", window.c_str(),
               os::ErrorText(error).c_str());
  return kExitFailed;
}

}  // namespace boltgen
