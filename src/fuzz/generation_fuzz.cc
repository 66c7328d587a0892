// A whole generation in memory from a fuzzed size table and fuzzed switches,
// its STL files included: it ends in a script with sound STL files or in one
// of the program's own messages; the grid's bounds check aborts on any index
// outside it.
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/bolt_app.h"
#include "app/request.h"
#include "generate/driver.h"
#include "generate/parts.h"
#include "generate/stl_check.h"
#include "generate/stl_export.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [table, switches] = boltgen::fuzz::SplitInput(data, size);
  if (boltgen::fuzz::WriteScratchTable(table).empty()) return 0;
  boltgen::fuzz::LoadedApp loaded(switches, boltgen::fuzz::ScratchFolder());
  boltgen::BoltApp& app = loaded.app;
  if (app.exit_status()) return 0;  // no size listed, or a bad switch: a message was shown

  const boltgen::BoltRequest request = boltgen::RequestFromControls(app.controls, app.is_metric);
  const auto parts = boltgen::BuildBoltParts(app.generation, request,
                                             {app.size_table_path, boltgen::Date{6, 12, 2026}});
  if (!parts) {
    if (parts.error().message.empty()) __builtin_trap();  // every refusal says why
    return 0;
  }
  if (parts->parts.empty()) __builtin_trap();
  const std::string script = boltgen::ScriptText(parts.value(), boltgen::Date{6, 12, 2026});
  if (script.size() < 2 || script.compare(script.size() - 2, 2, "\r\n") != 0) __builtin_trap();

  // The STL files as "Write STL" adds them, from the same parts: each one
  // sound, or the run refused with a message that names the file.
  const std::vector<boltgen::OutputFile> files =
      boltgen::StlFiles(parts->parts, parts->script_path, request.part_file_unit);
  const boltgen::Result<> sound = boltgen::CheckStlFiles(files);
  if (!sound && sound.error().message.find(".stl\"") == std::string::npos) __builtin_trap();
  return 0;
}
