#include "mesh/script_writer.h"

#include <algorithm>

#include <cstddef>
#include <vector>

#include "base/number_format.h"
#include "base/text.h"

namespace boltgen {
namespace {

constexpr std::string_view kScriptExtension = ".scr";

void AppendPreamble(std::string& script) {
  AppendScriptLine(script, "; we need to be in a known orientation");
  AppendScriptLine(script, "Plan World");
  AppendScriptLine(script, "_ortho N");
  AppendScriptLine(script, "CCS World");
  AppendScriptLine(script, "SetVar SETESNPMODE 0");
  AppendScriptLine(script, "SetVar SETACTLCLR BYLAYER");
}

}  // namespace

std::string WithScriptExtension(std::string_view name) {
  std::string result(name);
  if (name.size() < kScriptExtension.size() ||
      !EqualsIgnoreCase(name.substr(name.size() - kScriptExtension.size()), kScriptExtension)) {
    result += kScriptExtension;
  }
  return result;
}

namespace {
// A vertex line is "000.0000,000.0000,000.0000\r\n" or a little longer; a
// part adds its preamble and one comment line per column.
std::size_t PartBytes(int columns, int rows) {
  constexpr std::size_t kVertexLine = 32;
  return 512 + static_cast<std::size_t>(std::max(columns, 0)) *
                   (static_cast<std::size_t>(std::max(rows, 0)) + 1) * kVertexLine;
}
}  // namespace

std::size_t EstimatedScriptBytes(int columns, int rows, int small_parts) {
  constexpr std::size_t kHeaderAndBlocks = 8192;
  constexpr int kSmallPartRows = 10;
  return kHeaderAndBlocks + PartBytes(columns, rows) +
         static_cast<std::size_t>(std::max(small_parts, 0)) * PartBytes(columns, kSmallPartRows);
}

void AppendMeshPart(std::string& script, const GridCopy& grid, std::string_view part_name,
                    double x_offset, double y_offset, double z_offset) {
  const int columns = grid.columns();
  const int rows = grid.rows();
  // Grow geometrically when the caller reserved too little.
  const std::size_t needed = script.size() + PartBytes(columns, rows);
  if (script.capacity() < needed) script.reserve(std::max(needed, 2 * script.capacity()));

  AppendPreamble(script);
  script += "; ----PART: ";
  script += part_name;
  script.append(40, '-');
  script += kScriptLineEnd;

  AppendScriptLine(script, "Mesh");
  AppendNumber(script, columns, "000");
  script += kScriptLineEnd;
  AppendNumber(script, rows, "000");
  script += kScriptLineEnd;

  // Each column is composed in one buffer and appended at once: this loop
  // writes nearly every byte of a script.
  constexpr std::size_t kMaxVertexLine = 3 * kMaxNumberLength + 4;
  std::vector<char> column_text(static_cast<std::size_t>(std::max(rows, 0)) * kMaxVertexLine);
  for (int col = 1; col <= columns; ++col) {
    script += "; ---Column ";
    AppendNumber(script, col, "000");
    script += ", Angle: ";
    AppendNumber(script, grid.angle_deg(col), "000.00");
    script.append(11, '-');
    script += kScriptLineEnd;
    char* p = column_text.data();
    const GridPoint* column = rows > 0 ? &grid.at(1, col) : nullptr;
    for (int row = 0; row < rows; ++row) {
      const GridPoint& v = column[row];
      p += WriteNumber(p, v.x + x_offset, "000.0000");
      *p++ = ',';
      p += WriteNumber(p, v.y + y_offset, "000.0000");
      *p++ = ',';
      p += WriteNumber(p, v.z + z_offset, "000.0000");
      *p++ = '\r';
      *p++ = '\n';
    }
    script.append(column_text.data(), static_cast<std::size_t>(p - column_text.data()));
  }
}

}  // namespace boltgen
