#include "generate/stl_export.h"

#include "mesh/stl.h"

namespace boltgen {

std::string StlPath(std::string_view script_path, std::string_view drawing_name) {
  return PartFilePath(script_path, drawing_name, ".stl");
}

double MillimetresPer(LengthUnit unit) { return unit == LengthUnit::kInch ? 25.4 : 1; }

std::vector<OutputFile> StlFiles(const std::vector<Part>& parts, std::string_view script_path,
                                 LengthUnit unit) {
  const double scale = MillimetresPer(unit);
  std::vector<OutputFile> files;
  for (const Part& part : parts) {
    TriangleMesh mesh = PartMesh(part);
    // Metric parts are left exactly as they are.
    if (scale != 1) {
      for (Point3& v : mesh.vertices) v = scale * v;
    }
    files.push_back({StlPath(script_path, part.drawing_name),
                     EncodeBinaryStl(mesh, "Quillfen 3D Bolt Generator: " + part.part_name +
                                               ", unit mm")});
  }
  return files;
}

}  // namespace boltgen
