#include "generate/parts.h"

#include "base/path.h"
#include "generate/block_commands.h"
#include "generate/generation_steps.h"
#include "mesh/grid_triangulation.h"
#include "mesh/script_writer.h"

namespace boltgen {
namespace {

// The nut codes in the order MakeNuts hands the nuts over.
constexpr std::string_view kNutCodes[] = {"HNSW", "HNJW", "HNJP", "HNSP"};

}  // namespace

std::string DrawingBaseName(std::string_view file_name) {
  const std::string script_name = WithScriptExtension(file_name);
  std::string_view base = std::string_view(script_name).substr(0, script_name.size() - 4);
  return std::string(FileNameOf(base));
}

std::string PartFilePath(std::string_view script_path, std::string_view drawing_name,
                         std::string_view extension) {
  std::string path(FolderPrefixOf(script_path));
  path += drawing_name;
  path += extension;
  return path;
}

GenerationResult BuildPartsInMemory(GenerationState& state, const Controls& controls,
                                    const GenerationInput& input, std::vector<Part>& parts) {
  parts.clear();
  Controls effective;
  if (auto failed = PrepareGeneration(state, controls, input, effective)) return *failed;
  const std::string base = DrawingBaseName(controls.TXT_File.text);
  BuildParts(state, effective, [&](std::string_view part_name, double z_offset) {
    const std::size_t nut = parts.empty() ? 0 : parts.size() - 1;
    std::string drawing = parts.empty() ? base : NutBlockName(base, kNutCodes[nut % 4]);
    parts.push_back({std::string(part_name), std::move(drawing), z_offset, GridCopy(state.grid)});
  });
  return {GenerationResult::Kind::kWritten, {}, WithScriptExtension(controls.TXT_File.text)};
}

TriangleMesh PartMesh(const Part& part) {
  TriangleMesh mesh = TriangulateGrid(part.grid);
  for (Point3& v : mesh.vertices) v.z += part.z_offset;
  return mesh;
}

}  // namespace boltgen
