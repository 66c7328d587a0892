#include "generate/stl_export.h"

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

std::vector<OutputFile> StlFiles(const std::vector<Part>& parts, std::string_view script_path) {
  std::vector<OutputFile> files;
  for (const Part& part : parts) {
    files.push_back({StlPath(script_path, part.drawing_name),
                     EncodeBinaryStl(PartMesh(part),
                                     "Quillfen 3D Bolt Generator: " + part.part_name)});
  }
  return files;
}

}  // namespace boltgen
