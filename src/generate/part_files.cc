#include "generate/part_files.h"

#include <optional>
#include <string>
#include <utility>

#include "generate/dxf_export.h"
#include "generate/stl_check.h"
#include "generate/stl_export.h"
#include "generate/threemf_export.h"

namespace boltgen {

Result<std::vector<OutputFile>> PartFiles(const BoltParts& parts) {
  const BoltRequest& request = parts.built;
  const LengthUnit unit = request.part_file_unit;
  std::vector<OutputFile> files;
  if (request.write_stl) {
    files = StlFiles(parts.parts, parts.script_path, unit);
    // A part too long for its detail at the file's precision is refused
    // rather than written broken; so is one without a surface.
    if (Result<> sound = CheckStlFiles(files); !sound) return sound.error();
  }
  if (request.write_dxf) {
    if (Result<> available = DxfAvailable(); !available) return available.error();
    for (OutputFile& file : DxfFiles(parts.parts, parts.script_path, unit)) {
      files.push_back(std::move(file));
    }
  }
  if (request.write_3mf) {
    // Threaded nuts are asked for to be printed with their bolt: the package
    // then lays the parts out on a plate.
    std::optional<PrintLayout> layout;
    if (request.nuts && request.threaded_nuts) layout = LayOutForPrinting(parts.parts, unit);
    // Laid out, the package is in millimetres, the placements scaling inch
    // parts: a slicer that reads an inch package scales its meshes but not
    // its build items' moves.
    Result<std::string> package =
        layout ? EncodeThreeMf(parts.parts, LengthUnit::kMillimetre, &layout->placements)
               : EncodeThreeMf(parts.parts, unit);
    if (!package) return package.error();
    files.push_back({ThreeMfPath(parts.script_path), std::move(package.value())});
  }
  return files;
}

}  // namespace boltgen
