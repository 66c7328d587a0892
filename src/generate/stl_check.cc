#include "generate/stl_check.h"

#include <cmath>
#include <string_view>
#include <utility>

#include "mesh/stl.h"
#include "mesh/triangle_mesh.h"

namespace boltgen {
namespace {

Error Refusal(const std::string& path, std::string_view why) {
  std::string message = "Cannot write the STL file \"";
  message += path;
  message += "\": ";
  message += why;
  message += ". Nothing was written.";
  return Error{std::move(message)};
}

bool AllFinite(const TriangleMesh& mesh) {
  for (const Point3& p : mesh.vertices) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
  }
  return true;
}

}  // namespace

Result<> CheckStlFile(const OutputFile& file) {
  const std::optional<TriangleMesh> mesh = DecodeBinaryStl(file.bytes);
  if (!mesh) return Refusal(file.path, "the file would be malformed");
  if (mesh->triangles.empty()) return Refusal(file.path, "the part has no surface");
  if (!AllFinite(*mesh)) {
    return Refusal(file.path, "the part reaches beyond the range of the file's 32-bit numbers");
  }
  const EdgeReport report = CheckEdges(*mesh);
  if (report.IsClosedManifold()) return Done();
  // Where this happens the part's detail is finer than 32-bit numbers can
  // hold so far from the origin (a very long bolt): the file would show a
  // broken surface, which slicers reject or repair wrongly.
  std::string why = "at 32-bit precision its surface would not be closed (";
  why += std::to_string(report.open_edges) + " open, ";
  why += std::to_string(report.non_manifold_edges) + " over-used and ";
  why += std::to_string(report.misoriented_edges) + " misoriented edges, ";
  why += std::to_string(report.degenerate_triangles) + " collapsed triangles); choose a shorter length";
  return Refusal(file.path, why);
}

Result<> CheckStlFiles(const std::vector<OutputFile>& files) {
  for (const OutputFile& file : files) {
    const std::string_view path = file.path;
    if (path.size() < 4 || path.substr(path.size() - 4) != ".stl") continue;
    if (Result<> sound = CheckStlFile(file); !sound) return sound;
  }
  return Done();
}

}  // namespace boltgen
