#include "generate/stl_export.h"

#include "base/atomic_file.h"
#include "mesh/stl.h"

namespace boltgen {

std::string StlPath(std::string_view script_path, std::string_view drawing_name) {
  const std::size_t folder_end = script_path.find_last_of("/\\");
  std::string path(folder_end == std::string_view::npos ? std::string_view()
                                                        : script_path.substr(0, folder_end + 1));
  path += drawing_name;
  path += ".stl";
  return path;
}

StlExport WriteStlFiles(const std::vector<Part>& parts, std::string_view script_path) {
  StlExport result;
  for (const Part& part : parts) {
    const std::string path = StlPath(script_path, part.drawing_name);
    const std::string bytes =
        EncodeBinaryStl(PartMesh(part), "Quillfen 3D Bolt Generator: " + part.part_name);
    result.error = WriteFileAtomically(path, bytes);
    if (!result.error.empty()) return result;
    result.written.push_back(path);
  }
  return result;
}

StlExport WriteGenerationStl(const BoltDimensions& dims, const Controls& controls,
                             const GenerationInput& input, std::string_view script_path) {
  GenerationState state;
  state.dims = dims;
  std::vector<Part> parts;
  const GenerationResult built = BuildPartsInMemory(state, controls, input, parts);
  if (built.kind != GenerationResult::Kind::kWritten) return {{}, built.message};
  return WriteStlFiles(parts, script_path);
}

}  // namespace boltgen
