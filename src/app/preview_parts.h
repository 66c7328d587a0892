#ifndef BOLTGEN_APP_PREVIEW_PARTS_H_
#define BOLTGEN_APP_PREVIEW_PARTS_H_

#include <string>
#include <vector>

#include "app/bolt_app.h"
#include "mesh/triangle_mesh.h"

namespace boltgen {

// What the preview shows: the part meshes where the script puts them, or
// why there are none.
struct PreviewParts {
  std::vector<TriangleMesh> meshes;  // bolt first, then the nuts
  std::string message;               // set when the choices give no parts
};

// The parts of the choices now in the window, built in memory as a
// generation would build them. Nothing is written, and neither the controls
// nor the kept dimensions of the next generation change.
PreviewParts BuildPreviewParts(const BoltApp& app);

}  // namespace boltgen

#endif  // BOLTGEN_APP_PREVIEW_PARTS_H_
