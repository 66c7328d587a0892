#ifndef BOLTGEN_GENERATE_THREEMF_EXPORT_H_
#define BOLTGEN_GENERATE_THREEMF_EXPORT_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/length_unit.h"
#include "generate/parts.h"
#include "generate/print_layout.h"

namespace boltgen {

// Where the run's 3MF file goes: beside the script, under the script's name
// with ".3mf" in place of its extension. `script_path` carries ".scr".
std::string ThreeMfPath(std::string_view script_path);

// False in a build made without lib3mf: such a build refuses 3MF files.
bool CanWriteThreeMf();

// All parts of a run as one 3MF package in `bytes`: each part a mesh object
// of its own, named like the part, at its place in the script, with the
// model's unit set to the section's (3MF carries its unit, so nothing is
// scaled). With `placements` (one per part), each build item places its
// part by that transform; the mesh keeps the script's coordinates. Refuses
// with a message saying why no package could be made.
Result<std::string> EncodeThreeMf(const std::vector<Part>& parts, LengthUnit unit,
                                  const std::vector<Placement>* placements = nullptr);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_THREEMF_EXPORT_H_
