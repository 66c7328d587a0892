#ifndef BOLTGEN_MESH_SCRIPT_WRITER_H_
#define BOLTGEN_MESH_SCRIPT_WRITER_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "mesh/grid_copy.h"

namespace boltgen {

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

// About how many bytes a script takes: its header and block commands, a
// part of `rows` x `columns` vertices, and `small_parts` parts of at most
// ten rows (the nuts). Reserving it once keeps a large script from being
// copied as it grows; a longer script still grows as needed.
std::size_t EstimatedScriptBytes(int columns, int rows, int small_parts);

// One part as a Mesh command: orientation preamble, part comment, the M and N
// sizes, then the vertices column by column (rows 1..row_count of columns
// 1..column_count), each shifted by the offsets.
void AppendMeshPart(std::string& script, const GridCopy& grid, std::string_view part_name,
                    double x_offset = 0, double y_offset = 0, double z_offset = 0);

}  // namespace boltgen

#endif  // BOLTGEN_MESH_SCRIPT_WRITER_H_
