// A whole generation in memory from a fuzzed size table and fuzzed switches,
// its STL files included: it ends in a script with sound STL files or in one
// of the program's own messages; the grid's bounds check aborts on any index
// outside it.
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/bolt_app.h"
#include "app/file_name.h"
#include "generate/driver.h"
#include "generate/parts.h"
#include "generate/stl_check.h"
#include "generate/stl_export.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [table, switches] = boltgen::fuzz::SplitInput(data, size);
  const std::string folder = boltgen::fuzz::ScratchFolder();
  const std::string table_path = boltgen::fuzz::WriteScratchTable(table);
  if (table_path.empty()) return 0;
  const std::string args = boltgen::fuzz::WithoutProcessSwitch(switches);
  boltgen::fuzz::SilentPlatform platform;
  boltgen::AppEnvironment environment;
  environment.program_path = folder + "/boltgen";
  environment.raw_args = args;
  environment.working_dir = folder;
  environment.headless = true;
  boltgen::BoltApp app(platform, environment);
  app.Form_Load();
  if (app.exit_status()) return 0;  // no size listed, or a bad switch: a message was shown

  std::string script;
  const auto result = boltgen::ComposeScript(app.generation, app.controls, &platform,
                                             {app.size_table_path, boltgen::Date{6, 12, 2026}},
                                             script);
  using Kind = boltgen::GenerationResult::Kind;
  if (result.kind != Kind::kWritten) {
    if (result.message.empty()) __builtin_trap();  // every refusal says why
    return 0;
  }
  if (script.size() < 2 || script.compare(script.size() - 2, 2, "\r\n") != 0) __builtin_trap();

  // The STL files as "Write STL" adds them: each one sound, or the run
  // refused with a message that names the file.
  boltgen::GenerationState copy;
  copy.dims = app.generation.dims;
  std::vector<boltgen::Part> parts;
  const auto built = boltgen::BuildPartsInMemory(copy, app.controls,
                                                 {app.size_table_path, boltgen::Date{6, 12, 2026}},
                                                 parts);
  if (built.kind != Kind::kWritten || parts.empty()) __builtin_trap();  // the script was made
  // In the table's unit as the file name names it, as the program writes them.
  const boltgen::LengthUnit unit = boltgen::SizeTextUnit(app.controls.Cmb_Size.text, app.IsMetric);
  const std::vector<boltgen::OutputFile> files = boltgen::StlFiles(parts, result.path, unit);
  const std::string problem = boltgen::StlFilesProblem(files);
  if (!problem.empty() && problem.find(".stl\"") == std::string::npos) __builtin_trap();
  return 0;
}
