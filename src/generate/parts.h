#ifndef BOLTGEN_GENERATE_PARTS_H_
#define BOLTGEN_GENERATE_PARTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/controls.h"
#include "generate/driver.h"
#include "mesh/grid_copy.h"
#include "mesh/triangle_mesh.h"

namespace boltgen {

// One part of a generation, kept after the shared grid has moved on.
struct Part {
  std::string part_name;     // as the script names it
  std::string drawing_name;  // its drawing export: the base name, or the nut block name
  double z_offset = 0;       // where the script puts it along the axis
  GridCopy grid;
};

// The script's file name without its folder and extension: the base name
// that the drawing exports are named after.
std::string DrawingBaseName(std::string_view file_name);

// Where a part's own file goes: the script's folder, the part's drawing
// name, then `extension` (".stl", ".dxf").
std::string PartFilePath(std::string_view script_path, std::string_view drawing_name,
                         std::string_view extension);

// Builds the parts that the choices ask for, as a generation builds them but
// in memory only: nothing is written and the status line is not touched.
// Refuses exactly what a generation refuses. `state` is changed as a
// generation changes it; pass a copy of the dimensions to keep them.
GenerationResult BuildPartsInMemory(GenerationState& state, const Controls& controls,
                                    const GenerationInput& input, std::vector<Part>& parts);

// The part as a closed triangle mesh where the script puts it.
TriangleMesh PartMesh(const Part& part);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_PARTS_H_
