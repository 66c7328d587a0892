#include "generate/block_commands.h"

#include "base/number_format.h"
#include "generate/parts.h"
#include "mesh/script_writer.h"

namespace boltgen {
namespace {

constexpr std::string_view kExportDrawing = "-exportdrawing .\\";

void AppendLength(std::string& script, double value) { AppendNumber(script, value, "###0.000"); }

// "W x1,y1,z1 x2,y2,z2": the selection window around one part, square across
// the axis and from `z1` to `z2` along it.
void AppendWindow(std::string& script, double half_width, double z1, double z2) {
  script += "W ";
  AppendLength(script, -half_width);
  script += ',';
  AppendLength(script, -half_width);
  script += ',';
  AppendLength(script, z1);
  script += ' ';
  AppendLength(script, half_width);
  script += ',';
  AppendLength(script, half_width);
  script += ',';
  AppendLength(script, z2);
  script += kScriptLineEnd;
}

void AppendSaveMaster(std::string& script, std::string_view base_name) {
  script += "SaveAs ";
  script += base_name;
  AppendScriptLine(script, "-{Master}.dwg");
  AppendScriptLine(script, "R12");
}

void AppendExportStart(std::string& script, std::string_view drawing_name) {
  script += kExportDrawing;
  script += drawing_name;
  AppendScriptLine(script, ".dwg");
  AppendScriptLine(script, "");
}

// The nut placed by offset `index`, if the parts hold one.
const Part* NutAtOffset(const std::vector<Part>& parts, int index) {
  for (const Part& part : parts) {
    if (part.nut != nullptr && part.nut->offset_index == index) return &part;
  }
  return nullptr;
}

}  // namespace

std::string NutBlockName(std::string_view base_name, std::string_view nut_code) {
  std::string name(base_name.substr(0, 9));
  name += nut_code;
  name += base_name.size() > 8 ? base_name.substr(base_name.size() - 8) : base_name;
  return name;
}

void AppendBlockCommands(std::string& script, std::string_view file_name,
                         const BoltDimensions& dims, const std::vector<Part>& parts) {
  const std::string script_name = WithScriptExtension(file_name);
  const std::string_view base_name =
      std::string_view(script_name).substr(0, script_name.size() - 4);
  const double head_half_width = dims.across_corners + 1;
  // A nut wider than the head needs a wider window.
  const double nut_half_width = NutDimensions(dims).across_corners + 1;

  AppendScriptLine(script, ";---------Commands to write out blocks --------------");
  AppendScriptLine(script, "DisplayDialogs N");
  AppendScriptLine(script, "-Views Orthographic Front");
  AppendScriptLine(script, "CCS World");
  AppendScriptLine(script, "Zoom E");
  AppendScriptLine(script, "Hide");
  AppendSaveMaster(script, base_name);
  AppendExportStart(script, base_name);
  AppendScriptLine(script, "0,0,0");
  AppendWindow(script, head_half_width, dims.HghtHex + 1, -(dims.nominal_length + 1));
  AppendScriptLine(script, "");
  AppendScriptLine(script, "U");

  for (int index = 0; index < static_cast<int>(kNutKinds.size()); ++index) {
    if (const Part* nut = NutAtOffset(parts, index)) {
      const double offset = nut->z_offset;
      const double nut_height = dims.*nut->nut->height;
      AppendExportStart(script, NutBlockName(base_name, nut->nut->code));
      script += "0,0,";
      AppendNumber(script, offset, "00");
      script += kScriptLineEnd;
      AppendWindow(script, nut_half_width, offset - (nut_height + 0.2), offset + 0.2);
      AppendScriptLine(script, "");
      AppendScriptLine(script, "U");
    }
  }

  AppendSaveMaster(script, base_name);
  AppendScriptLine(script, "DisplayDialogs Y");
  AppendScriptLine(script, "exit");
}

}  // namespace boltgen
