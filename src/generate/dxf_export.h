#ifndef BOLTGEN_GENERATE_DXF_EXPORT_H_
#define BOLTGEN_GENERATE_DXF_EXPORT_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/length_unit.h"
#include "generate/parts.h"

namespace boltgen {

// Where a part's DXF file goes: the script's folder, the part's drawing name,
// ".dxf".
std::string DxfPath(std::string_view script_path, std::string_view drawing_name);

// The part as a DXF drawing (AutoCAD 2000 format, AC1015) holding one 3D
// polygon mesh on a layer named after the part: the script's M x N vertices in
// the script's order, each coordinate the value the script writes for it (four
// decimals, the part's offset included), and the drawing's insertion units
// set to `unit`. The bytes do not depend on the locale.
std::string EncodeDxf(const Part& part, LengthUnit unit);

// Whether this build writes DXF drawings; if not, the message that refuses a
// run that asks for them (no DXF library for the system it was built for).
Result<> DxfAvailable();

// Each part as a DXF file beside the script, in the order of the parts.
std::vector<OutputFile> DxfFiles(const std::vector<Part>& parts, std::string_view script_path,
                                 LengthUnit unit);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_DXF_EXPORT_H_
