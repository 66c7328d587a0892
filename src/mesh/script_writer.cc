#include "mesh/script_writer.h"

#include <algorithm>

#include <cstddef>
#include <vector>

#include "base/number_format.h"
#include "base/text.h"

namespace boltgen {
namespace {

constexpr std::string_view kScriptExtension = ".scr";

// The size list holds section header lines, "[Inch 3/4]": the name is what
// lies between the brackets, at most 30 characters, without blanks around.
std::string_view SizeName(std::string_view size_text) {
  if (size_text.size() < 2) return {};
  std::string_view name = size_text.substr(0, size_text.size() - 1);
  name = name.substr(1, 30);
  return TrimBlanks(name);
}

void AppendDetails(std::string& script, const Controls& controls, const BoltDimensions& dims) {
  if (controls.Chk_No_Threads.checked) {
    script += "Plain Body, ";
  } else {
    script += "Threaded ";
    script += controls.Cmb_Pitch.text;
    script += ", ";
  }
  script += controls.Chk_WF.checked ? "Washer Face, " : "Plain Face, ";
  if (controls.Chk_Rad_HEAD.checked) {
    script += "Radius Under Head (";
    AppendNumber(script, dims.RadWshFace, "00.0000");
    script += "), ";
  } else {
    script += "No Head Radius, ";
  }
  // Written whether or not the bolt has threads.
  script += controls.Chk_Sharp_Threads.checked ? "Sharp Threads" : "Radius Threads";
}

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

void AppendScriptHeader(std::string& script, const Controls& controls, const BoltDimensions& dims,
                        const Date& today) {
  AppendScriptLine(script, "; This script file was created by the 'Quillfen 3D Bolt Generator'.");
  script += "; Visit ";
  script += kWebAddress;
  AppendScriptLine(script, " to access the PUBLIC DOMAIN CAD library.");
  script += "; ";
  script.append(69, '-');
  script += kScriptLineEnd;

  script += "; Nominal Diameter: ";
  script += SizeName(controls.Cmb_Size.text);
  script += " (";
  AppendNumber(script, dims.DiaNom, "000.0000");
  AppendScriptLine(script, ")");

  script += "; Nominal Length: ";
  AppendNumber(script, dims.NomLength, "0000.0000");
  script += kScriptLineEnd;

  script += "; Segments: ";
  AppendNumber(script, dims.Segments, "000");
  script += kScriptLineEnd;

  script += "; Details: ";
  AppendDetails(script, controls, dims);
  script += kScriptLineEnd;

  script += "; Date: ";
  AppendScriptLine(script, FormatDate(today));
  AppendScriptLine(script, "; ");
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

void AppendMeshPart(std::string& script, const MeshGrid& grid, std::string_view part_name,
                    double x_offset, double y_offset, double z_offset) {
  const int columns = grid.ColumnCount;
  const int rows = grid.RowCount;
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
    AppendNumber(script, grid.at(1, col).AngleDeg, "000.00");
    script.append(11, '-');
    script += kScriptLineEnd;
    char* p = column_text.data();
    for (int row = 1; row <= rows; ++row) {
      const MeshVertex& v = grid.at(row, col);
      p += WriteNumber(p, v.X + x_offset, "000.0000");
      *p++ = ',';
      p += WriteNumber(p, v.Y + y_offset, "000.0000");
      *p++ = ',';
      p += WriteNumber(p, v.Z + z_offset, "000.0000");
      *p++ = '\r';
      *p++ = '\n';
    }
    script.append(column_text.data(), static_cast<std::size_t>(p - column_text.data()));
  }
}

}  // namespace boltgen
