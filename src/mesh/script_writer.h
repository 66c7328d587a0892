#ifndef BOLTGEN_MESH_SCRIPT_WRITER_H_
#define BOLTGEN_MESH_SCRIPT_WRITER_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "base/controls.h"
#include "base/date.h"
#include "config/bolt_dimensions.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

inline constexpr std::string_view kBoltPartName = "Hex Head Cap Screw(Bolt)";
inline constexpr std::string_view kWebAddress = "www.quillfen.example";

// Every line of a script ends in carriage return and line feed.
inline constexpr std::string_view kScriptLineEnd = "\r\n";

// Appends `line` and the line end.
inline void AppendScriptLine(std::string& script, std::string_view line) {
  script += line;
  script += kScriptLineEnd;
}

// The script's file name: `name` with ".scr" appended unless its last four
// characters already are ".scr" in any letter case.
std::string WithScriptExtension(std::string_view name);

// The header block written once, at the top of a new script: program line,
// web address, rule, size, length, segments, details, date and a closing
// "; " line. Reads the size and pitch texts and the four option boxes.
void AppendScriptHeader(std::string& script, const Controls& controls, const BoltDimensions& dims,
                        const Date& today);

// About how many bytes a script takes: its header and block commands, a
// part of `rows` x `columns` vertices, and `small_parts` parts of at most
// ten rows (the nuts). Reserving it once keeps a large script from being
// copied as it grows; a longer script still grows as needed.
std::size_t EstimatedScriptBytes(int columns, int rows, int small_parts);

// One part as a Mesh command: orientation preamble, part comment, the M and N
// sizes, then the vertices column by column (rows 1..RowCount of columns
// 1..ColumnCount), each shifted by the offsets. The grid is not changed.
void AppendMeshPart(std::string& script, const MeshGrid& grid, std::string_view part_name,
                    double x_offset = 0, double y_offset = 0, double z_offset = 0);

}  // namespace boltgen

#endif  // BOLTGEN_MESH_SCRIPT_WRITER_H_
