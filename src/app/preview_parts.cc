#include "app/preview_parts.h"

#include "base/text.h"
#include "generate/parts.h"

namespace boltgen {

PreviewParts BuildPreviewParts(const BoltApp& app) {
  // A copy of the kept dimensions: a key missing from the section then
  // behaves as in the next generation, and the next generation as if no
  // preview had run.
  GenerationState state;
  state.dims = app.generation.dims;
  Controls controls = app.controls;
  // The parts do not depend on the file name; an empty box refuses only the
  // script.
  if (TrimBlanks(controls.TXT_File.text).empty()) controls.TXT_File.text = "preview";
  std::vector<Part> parts;
  const GenerationResult built =
      BuildPartsInMemory(state, controls, {app.size_table_path, {}}, parts);
  PreviewParts preview;
  if (built.kind != GenerationResult::Kind::kWritten) {
    preview.message = built.message;
    return preview;
  }
  for (const Part& part : parts) preview.meshes.push_back(PartMesh(part));
  return preview;
}

}  // namespace boltgen
