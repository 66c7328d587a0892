#ifndef BOLTGEN_FUZZ_FUZZ_SUPPORT_H_
#define BOLTGEN_FUZZ_FUZZ_SUPPORT_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "app/bolt_app.h"
#include "app/platform.h"

namespace boltgen::fuzz {

// A platform that shows nothing and never sleeps: fuzzing runs thousands of
// programs a second.
class SilentPlatform : public Platform {
 public:
  void Repaint(const Controls&) override {}
  void ProcessEvents() override {}
  void ShowMessage(MessageKind, std::string_view) override {}
  void Sleep(int) override {}
  bool OpenDocument(const std::string&) override { return true; }
  void EndProgram(int) override {}
  void ShowWindow() override {}
};

// Splits a fuzz input at the first "\n====\n" into two texts (the second
// empty when there is no separator).
inline std::pair<std::string_view, std::string_view> SplitInput(const std::uint8_t* data,
                                                                 std::size_t size) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  constexpr std::string_view kSeparator = "\n====\n";
  const auto at = all.find(kSeparator);
  if (at == std::string_view::npos) return {all, {}};
  return {all.substr(0, at), all.substr(at + kSeparator.size())};
}

// A fresh folder for one fuzz run's files, made once per process.
std::string ScratchFolder();

// Writes `table` as boltgen.ini into the scratch folder; returns its path,
// or an empty text when it could not be written.
std::string WriteScratchTable(std::string_view table);

// The switches with every /G: turned into a key the program ignores: the
// target runs the generation itself, without the unattended pauses.
std::string WithoutProcessSwitch(std::string_view switches);

// The headless program after its load handler, run with `switches` (every
// /G: disarmed as above) from `program_folder`, which holds its size table,
// and working in the scratch folder: the state the targets probe.
struct LoadedApp {
  LoadedApp(std::string_view switches, const std::string& program_folder);

  SilentPlatform platform;  // first: the program keeps a reference to it
  BoltApp app;
};

}  // namespace boltgen::fuzz

#endif  // BOLTGEN_FUZZ_FUZZ_SUPPORT_H_
