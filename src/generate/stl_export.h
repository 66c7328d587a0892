#ifndef BOLTGEN_GENERATE_STL_EXPORT_H_
#define BOLTGEN_GENERATE_STL_EXPORT_H_

#include <string>
#include <string_view>
#include <vector>

#include "generate/parts.h"

namespace boltgen {

// Where a part's STL file goes: the script's folder, the part's drawing name,
// ".stl".
std::string StlPath(std::string_view script_path, std::string_view drawing_name);

struct StlExport {
  std::vector<std::string> written;  // the paths, in the order of the parts
  std::string error;                 // empty when every file was written
};

// Writes each part as a binary STL file beside the script, in the size
// table's unit and at the part's place in the script. Each file is written
// complete or not at all; the first failure stops the export.
StlExport WriteStlFiles(const std::vector<Part>& parts, std::string_view script_path);

// The STL files of the generation that has just written `script_path`: its
// parts built again in memory from the same choices, starting from the
// dimensions it left (`dims`, which stay as they are), so that they are the
// parts of the script.
StlExport WriteGenerationStl(const BoltDimensions& dims, const Controls& controls,
                             const GenerationInput& input, std::string_view script_path);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_STL_EXPORT_H_
