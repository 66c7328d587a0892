#ifndef BOLTGEN_APP_WINDOW_START_H_
#define BOLTGEN_APP_WINDOW_START_H_

#include <optional>
#include <string>

namespace boltgen {

// The program users start, which names the size table and the help document.
inline constexpr char kFrontProgramName[] = "boltgen";

// The window is a program of its own, installed beside `boltgen`, so that a
// headless run never maps the window's libraries.
inline constexpr char kWindowProgramName[] = "boltgen-window";

// Tells the window program which program the user started: the size table
// and the help document are named after it and looked for beside it.
inline constexpr char kProgramPathVariable[] = "BOLTGEN_PROGRAM";

// The `boltgen` beside the running program. A tool started on its own (the
// window program, the preview picture tool) stands for it, so that it finds
// the size table and the help document where `boltgen` would.
std::string FrontProgramBesideThis();

// On Windows, where there is always a display, every run but a batch run
// (/G:1, or a '?' for the help) is handed over: the window program is
// started with the command line exactly as typed and waited for.
// With a display, hands the whole run over to the window program beside
// `program_path`: the same process, the arguments exactly as given, and its
// exit status is the run's. Returns nothing when the run stays headless (no
// display, or no window program installed, as in a build without the
// window), and a failure status after a message on standard error when the
// window program is there but cannot be started.
std::optional<int> StartWindowIfDisplay(const std::string& program_path, char** argv);

}  // namespace boltgen

#endif  // BOLTGEN_APP_WINDOW_START_H_
