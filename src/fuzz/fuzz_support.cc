#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace boltgen::fuzz {

std::string ScratchFolder() {
  static const std::string folder = [] {
    std::string pattern = "/tmp/boltgen-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    return pattern;
  }();
  return folder;
}

std::string WriteScratchTable(std::string_view table) {
  const std::string path = ScratchFolder() + "/boltgen.ini";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return {};
  const bool written = std::fwrite(table.data(), 1, table.size(), file) == table.size();
  return std::fclose(file) == 0 && written ? path : std::string();
}

std::string WithoutProcessSwitch(std::string_view switches) {
  std::string args(switches);
  for (std::size_t at = args.find("/G:"); at != std::string::npos; at = args.find("/G:", at)) {
    args[at + 1] = 'g';
  }
  return args;
}

namespace {

AppEnvironment HeadlessEnvironment(std::string_view switches, const std::string& program_folder) {
  AppEnvironment environment;
  environment.program_path = program_folder + "/boltgen";
  environment.raw_args = WithoutProcessSwitch(switches);
  environment.working_dir = ScratchFolder();
  environment.headless = true;
  return environment;
}

}  // namespace

LoadedApp::LoadedApp(std::string_view switches, const std::string& program_folder)
    : app(platform, HeadlessEnvironment(switches, program_folder)) {
  app.Form_Load();
}

}  // namespace boltgen::fuzz

// ASan keeps freed blocks in a quarantine, 256 MB by default, so that a late
// use of one is caught. A fuzz target frees all it allocates for an input
// before the next one, so over a run the quarantine alone fills towards the
// fuzzer's 256 MB RSS limit and a long clean run ends as out-of-memory.
// 16 MB still holds the blocks freed by the last inputs, so a use soon after
// a free is caught; the sanitized unit tests keep the full quarantine.
// ASAN_OPTIONS given at run time still wins.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
