#ifndef BOLTGEN_GENERATE_PARTS_H_
#define BOLTGEN_GENERATE_PARTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "config/bolt_dimensions.h"
#include "config/bolt_request.h"
#include "generate/generation.h"
#include "geometry/nuts.h"
#include "mesh/grid_copy.h"
#include "mesh/triangle_mesh.h"

namespace boltgen {

inline constexpr std::string_view kBoltPartName = "Hex Head Cap Screw(Bolt)";

// One part of a generation, kept after the shared grid has moved on.
struct Part {
  std::string part_name;         // as the script names it
  std::string drawing_name;      // its drawing export: the base name, or the nut's block name
  const NutKind* nut = nullptr;  // which nut it is; none for the bolt
  double z_offset = 0;           // where the script puts it along the axis
  GridCopy grid;
};

// Every part of one request, each built once: the script, its block
// commands, the part files and the preview all read this.
struct BoltParts {
  BoltRequest built;        // the request as built: nuts imply a washer face
  BoltDimensions dims;      // the dimensions the parts were built with
  std::string script_path;  // the script's file name, with its extension
  std::vector<Part> parts;  // the bolt, then with nuts the nuts in the order of kNutKinds
};

// The script's file name without its folder and extension: the base name
// that the drawing exports are named after.
std::string DrawingBaseName(std::string_view file_name);

// Where a part's own file goes: the script's folder, the part's drawing
// name, then `extension` (".stl", ".dxf").
std::string PartFilePath(std::string_view script_path, std::string_view drawing_name,
                         std::string_view extension);

// Reads the requested size from the size table once, refuses what cannot be
// generated before any geometry is built, then builds the bolt body, its
// threads unless a plain body is asked for, and the nuts one after another in
// `state.grid`, keeping each part. Reports "Reading parameters ...." and,
// once the choices hold, "Working ....". `state` changes as a generation
// changes it; pass a copy of the dimensions to keep them.
Result<BoltParts> BuildBoltParts(GenerationState& state, const BoltRequest& request,
                                 const GenerationInput& input,
                                 const StatusReport& report = nullptr);

// The part as a closed triangle mesh where the script puts it.
TriangleMesh PartMesh(const Part& part);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_PARTS_H_
