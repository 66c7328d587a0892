#include "app/headless.h"
#include "app/window_start.h"
#include "base/atomic_file.h"
#include "base/os.h"

// One command for both ways of working: with a display the window program
// takes the run over; without one this Qt-free program does the work, so a
// batch run pays for no window libraries.
int main(int argc, char** argv) {
  using namespace boltgen;
  // Before anything else: a signal at any moment ends the run with 128 + its
  // number and leaves no temporary.
  InstallSignalCleanup();
  const std::string program_path = os::ProgramPath(argc > 0 ? argv[0] : kFrontProgramName);
  if (const auto status = StartWindowIfDisplay(program_path, argv)) return *status;
  return RunHeadless(argc, argv);
}
