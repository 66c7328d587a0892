#include "generate/dxf_export.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <system_error>

#ifdef BOLTGEN_HAVE_DXFLIB
#include <dl_dxf.h>
#include <dl_writer_ascii.h>
#endif

#include "base/number_format.h"

namespace boltgen {
#ifdef BOLTGEN_HAVE_DXFLIB
namespace {

// Polyline flags: a polygon mesh, and each of its vertices a mesh vertex. The
// mesh is left open in both directions as the script's Mesh command leaves
// it: the last column repeats the first and the end rows lie on the axis, so
// the surface is already closed; closing M as well would add a strip of
// zero-width faces along the seam.
constexpr int kPolygonMesh = 16;
constexpr int kMeshVertex = 64;

// $INSUNITS values.
constexpr int kInches = 1;
constexpr int kMillimetres = 4;

// The record of *Model_Space that dxflib's block record table writes; every
// entity of the drawing belongs to it.
constexpr int kModelSpaceRecord = 0x1F;

// dxflib's drawing functions want its file writer. This one never opens a
// file (its name is empty) and collects the group codes in memory, so that the
// drawing is written with the run's other files, all or none. It also writes
// every number itself, through std::to_chars: the library formats with printf
// and streams, which follow the locale.
class MemoryWriter final : public DL_WriterA {
 public:
  MemoryWriter() : DL_WriterA("", DL_VERSION_2000) {}

  void dxfReal(int gc, double value) const override {
    std::array<char, 64> buffer;
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    std::string text(buffer.data(), error == std::errc() ? end : buffer.data());
    // Shortest form that reads back as the same double; readers expect a point.
    if (text.find('.') == std::string::npos) text += ".0";
    dxfString(gc, text);
  }
  void dxfInt(int gc, int value) const override {
    std::array<char, 16> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    dxfString(gc, std::string(buffer.data(), end));
  }
  void dxfHex(int gc, int value) const override {
    if (gc == 5 || gc == 105) highest_handle_ = std::max(highest_handle_, static_cast<unsigned>(value));
    std::array<char, 16> buffer;
    const auto end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<unsigned>(value), 16)
            .ptr;
    std::string text(buffer.data(), end);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    dxfString(gc, text);
  }
  void dxfString(int gc, const char* value) const override { dxfString(gc, std::string(value)); }
  void dxfString(int gc, const std::string& value) const override {
    // Group codes right-aligned in three places, lines ending in CR LF as on
    // the systems most of the drawings are opened on.
    if (gc < 10) text_ += "  ";
    else if (gc < 100) text_ += ' ';
    std::array<char, 16> buffer;
    text_.append(buffer.data(), std::to_chars(buffer.data(), buffer.data() + buffer.size(), gc).ptr);
    text_ += "\r\n";
    text_ += value;
    text_ += "\r\n";
  }

  std::string Take() { return std::move(text_); }
  // Not the library's next handle: some of its objects take fixed ones.
  unsigned HighestHandle() const { return highest_handle_; }

 private:
  mutable std::string text_;
  mutable unsigned highest_handle_ = 0;
};

// The coordinate as the script writes it: four decimals, rounded by the same
// formatter, read back exactly.
double AsInScript(double value) {
  std::array<char, kMaxNumberLength> text;
  const std::size_t length = WriteNumber(text.data(), value, "000.0000");
  double parsed = 0;
  std::from_chars(text.data(), text.data() + length, parsed);
  return parsed;
}

void WriteTables(DL_Dxf& dxf, MemoryWriter& dw, const std::string& layer) {
  dw.sectionTables();
  dxf.writeVPort(dw);
  dw.tableLinetypes(3);
  dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
  dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
  dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
  dw.tableEnd();
  dw.tableLayers(2);
  dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
  dxf.writeLayer(dw, DL_LayerData(layer, 0), DL_Attributes("", 7, 0, "CONTINUOUS", 1.0));
  dw.tableEnd();
  dw.tableStyle(1);
  dxf.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
  dw.tableEnd();
  dxf.writeView(dw);
  dxf.writeUcs(dw);
  dw.tableAppid(1);
  dxf.writeAppid(dw, "ACAD");
  dw.tableEnd();
  dxf.writeDimStyle(dw, 2.5, 1.25, 0.625, 0.625, 2.5);
  dxf.writeBlockRecord(dw);
  dw.tableEnd();
  dw.sectionEnd();
}

void WriteBlocks(DL_Dxf& dxf, MemoryWriter& dw) {
  dw.sectionBlocks();
  for (const char* name : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
    dxf.writeBlock(dw, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(dw, name);
  }
  dw.sectionEnd();
}

// The entity header shared by the polyline, its vertices and its end marker.
unsigned long BeginEntity(MemoryWriter& dw, const char* type, unsigned long owner,
                          const std::string& layer) {
  dw.dxfString(0, type);
  const unsigned long handle = dw.handle();
  dw.dxfHex(330, static_cast<int>(owner));
  dw.subClass("AcDbEntity");
  dw.dxfString(8, layer);
  return handle;
}

// dxflib writes polylines of version 2000 as 2D lightweight polylines, which
// cannot hold a mesh: the polygon mesh is written from its group codes.
void WriteMesh(MemoryWriter& dw, const Part& part) {
  const std::string& layer = part.part_name;
  const unsigned long mesh = BeginEntity(dw, "POLYLINE", kModelSpaceRecord, layer);
  dw.subClass("AcDbPolygonMesh");
  dw.dxfInt(66, 1);
  dw.coord(10, 0.0, 0.0, 0.0);
  dw.dxfInt(70, kPolygonMesh);
  dw.dxfInt(71, part.grid.columns());  // M, as the script's Mesh command counts
  dw.dxfInt(72, part.grid.rows());     // N
  for (int col = 1; col <= part.grid.columns(); ++col) {
    for (int row = 1; row <= part.grid.rows(); ++row) {
      const GridPoint& v = part.grid.at(row, col);
      BeginEntity(dw, "VERTEX", mesh, layer);
      dw.subClass("AcDbVertex");
      dw.subClass("AcDbPolygonMeshVertex");
      // Offsets added as the script adds them, before rounding.
      dw.coord(10, AsInScript(v.x + 0.0), AsInScript(v.y + 0.0), AsInScript(v.z + part.z_offset));
      dw.dxfInt(70, kMeshVertex);
    }
  }
  BeginEntity(dw, "SEQEND", mesh, layer);
}

}  // namespace

std::string EncodeDxf(const Part& part, LengthUnit unit) {
  DL_Dxf dxf;  // writes version 2000 unless told otherwise
  MemoryWriter body;
  WriteTables(dxf, body, part.part_name);
  WriteBlocks(dxf, body);
  body.sectionEntities();
  WriteMesh(body, part);
  body.sectionEnd();
  dxf.writeObjects(body);
  dxf.writeObjectsEnd(body);
  body.dxfEOF();

  // The header comes last: its handle seed must lie above every handle the
  // drawing uses, or a program editing it would hand out handles twice.
  // dxflib's fixed FFFF holds only while a drawing has fewer handles.
  MemoryWriter header;
  header.sectionHeader();
  header.dxfString(9, "$ACADVER");
  header.dxfString(1, "AC1015");
  header.dxfString(9, "$HANDSEED");
  header.dxfHex(5, static_cast<int>(body.HighestHandle() + 1));
  header.dxfString(9, "$INSUNITS");
  header.dxfInt(70, unit == LengthUnit::kInch ? kInches : kMillimetres);
  header.dxfString(9, "$MEASUREMENT");  // the unit system of hatch and line patterns
  header.dxfInt(70, unit == LengthUnit::kInch ? 0 : 1);
  header.sectionEnd();
  return header.Take() + body.Take();
}

Result<> DxfAvailable() { return Done(); }
#else
std::string EncodeDxf(const Part&, LengthUnit) { return {}; }

Result<> DxfAvailable() {
  return Error{"This build of the program cannot write DXF drawings (it was built without "
               "dxflib). Clear \"Write DXF\" (/E:0)."};
}
#endif

std::string DxfPath(std::string_view script_path, std::string_view drawing_name) {
  return PartFilePath(script_path, drawing_name, ".dxf");
}

std::vector<OutputFile> DxfFiles(const std::vector<Part>& parts, std::string_view script_path,
                                 LengthUnit unit) {
  std::vector<OutputFile> files;
  for (const Part& part : parts) {
    files.push_back({DxfPath(script_path, part.drawing_name), EncodeDxf(part, unit)});
  }
  return files;
}

}  // namespace boltgen
