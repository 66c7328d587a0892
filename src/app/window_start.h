#ifndef BOLTGEN_APP_WINDOW_START_H_
#define BOLTGEN_APP_WINDOW_START_H_

#include <optional>
#include <string>

namespace boltgen {

// The window is a program of its own, installed beside `boltgen`, so that a
// headless run never maps the window's libraries.
inline constexpr char kWindowProgramName[] = "boltgen-window";

// Tells the window program which program the user started: the size table
// and the help document are named after it and looked for beside it.
inline constexpr char kProgramPathVariable[] = "BOLTGEN_PROGRAM";

// True when a graphical session is there to show a window or a document:
// DISPLAY or WAYLAND_DISPLAY is set and Qt is not told to draw offscreen.
bool HasDisplay();

// The running program's own path, resolved; argv0 when that fails.
std::string OwnProgramPath(const char* argv0);

// With a display, hands the whole run over to the window program beside
// `program_path`: the same process, the arguments exactly as given, and its
// exit status is the run's. Returns nothing when the run stays headless (no
// display, or no window program installed, as in a build without the
// window), and a failure status after a message on standard error when the
// window program is there but cannot be started.
std::optional<int> StartWindowIfDisplay(const std::string& program_path, char** argv);

}  // namespace boltgen

#endif  // BOLTGEN_APP_WINDOW_START_H_
