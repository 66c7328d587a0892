#ifndef BOLTGEN_GENERATE_STL_EXPORT_H_
#define BOLTGEN_GENERATE_STL_EXPORT_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/atomic_file.h"
#include "base/length_unit.h"
#include "generate/parts.h"

namespace boltgen {

// Where a part's STL file goes: the script's folder, the part's drawing name,
// ".stl".
std::string StlPath(std::string_view script_path, std::string_view drawing_name);

// STL has no unit field and slicers read millimetres: a part measured in
// `unit` is written scaled to millimetres.
double MillimetresPer(LengthUnit unit);

// Each part as a binary STL file beside the script, in millimetres (parts of
// an inch section scaled by 25.4, the header says "mm") and at the part's
// place in the script, in the order of the parts.
std::vector<OutputFile> StlFiles(const std::vector<Part>& parts, std::string_view script_path,
                                 LengthUnit unit);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_STL_EXPORT_H_
