#include "generate/driver.h"

#include <utility>

#include "base/atomic_file.h"
#include "generate/block_commands.h"
#include "generate/generation_steps.h"
#include "mesh/script_writer.h"

namespace boltgen {
namespace {

using Kind = GenerationResult::Kind;

// The status line, repainted at once; untouched when composing without a window.
void ShowStatus(Controls& controls, Platform* platform, std::string text) {
  if (platform == nullptr) return;
  controls.Status = std::move(text);
  platform->Repaint(controls);
}

}  // namespace

GenerationResult ComposeScript(GenerationState& state, Controls& controls, Platform* platform,
                               const GenerationInput& input, std::string& script) {
  ShowStatus(controls, platform, "Reading parameters ....");
  Controls effective;
  if (auto failed = PrepareGeneration(state, controls, input, effective)) return *failed;

  const std::string path = WithScriptExtension(controls.TXT_File.text);
  const BoltDimensions& dims = state.dims;

  ShowStatus(controls, platform, "Working ....");
  script.clear();
  bool first_part = true;
  BuildParts(state, effective, [&](std::string_view part_name, double z_offset) {
    ShowStatus(controls, platform, "Writing Script File: " + path);
    if (first_part) {
      const int nuts = effective.Chk_Nuts.checked ? 4 : 0;
      script.reserve(EstimatedScriptBytes(state.grid.ColumnCount, state.grid.RowCount, nuts));
      AppendScriptHeader(script, effective, dims, input.today);
    }
    first_part = false;
    AppendMeshPart(script, state.grid, part_name, 0, 0, z_offset);
  });
  if (effective.Chk_WBlock.checked) {
    ShowStatus(controls, platform, "Writing Block Commands to Script File: " + path);
    AppendBlockCommands(script, controls.TXT_File.text, dims, state.nut_offsets,
                        effective.Chk_Nuts.checked);
  }
  return {Kind::kWritten, {}, path};
}

GenerationResult CmdProcess(GenerationState& state, Controls& controls, Platform& platform,
                            const GenerationInput& input, const CompanionFiles& companions) {
  std::vector<OutputFile> files(1);
  GenerationResult result = ComposeScript(state, controls, &platform, input, files[0].bytes);
  if (result.kind != Kind::kWritten) return result;
  files[0].path = result.path;
  if (companions) {
    std::string refused = companions(state, result.path, files);
    if (!refused.empty()) return {Kind::kRefused, std::move(refused), result.path};
  }
  std::string error = WriteFilesAtomically(files);
  if (!error.empty()) return {Kind::kWriteFailed, std::move(error), result.path};
  ShowStatus(controls, &platform, "(Script File Written)Ready ....");
  platform.ProcessEvents();
  return result;
}

}  // namespace boltgen
