#ifndef BOLTGEN_APP_HEADLESS_H_
#define BOLTGEN_APP_HEADLESS_H_

namespace boltgen {

// The whole program without a window: start-up, the command line and, with
// /G:1, one generation, talking to the terminal. Returns the exit status:
// kExitOk after the help or a written script, kExitFailed after an error,
// kExitUsage when the command line asks for neither.
int RunHeadless(int argc, char** argv);

}  // namespace boltgen

#endif  // BOLTGEN_APP_HEADLESS_H_
