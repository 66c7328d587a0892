#include "app/headless.h"
#include "app/window_start.h"

// One command for both ways of working: with a display the window program
// takes the run over; without one this Qt-free program does the work, so a
// batch run pays for no window libraries.
int main(int argc, char** argv) {
  using namespace boltgen;
  if (const auto status = StartWindowIfDisplay(OwnProgramPath(argc > 0 ? argv[0] : nullptr), argv)) {
    return *status;
  }
  return RunHeadless(argc, argv);
}
