#include "app/preview_parts.h"

#include "app/request.h"
#include "base/text.h"
#include "generate/parts.h"

namespace boltgen {

PreviewParts BuildPreviewParts(const BoltApp& app) {
  // A copy of the kept dimensions: a key missing from the section then
  // behaves as in the next generation, and the next generation as if no
  // preview had run.
  GenerationState state;
  state.dims = app.generation.dims;
  BoltRequest request = RequestFromControls(app.controls, app.is_metric);
  // The parts do not depend on the file name; an empty box refuses only the
  // script.
  if (TrimBlanks(request.file_name).empty()) request.file_name = "preview";
  const Result<BoltParts> built = BuildBoltParts(state, request, {app.size_table_path, {}});
  PreviewParts preview;
  if (!built) {
    preview.message = ReportedText(built.error());
    return preview;
  }
  for (const Part& part : built->parts) preview.meshes.push_back(PartMesh(part));
  return preview;
}

}  // namespace boltgen
