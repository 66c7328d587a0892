#include "mesh/script_writer.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "generate/script_lines_test.h"

namespace boltgen {
namespace {

TEST(WithScriptExtension, AddsTheExtensionOnlyWhenMissing) {
  const std::pair<const char*, const char*> cases[] = {
      {"bolt", "bolt.scr"},   {"bolt.SCR", "bolt.SCR"},        {"bolt.Scr", "bolt.Scr"},
      {"dir/b.scr", "dir/b.scr"}, {"bolt.scrx", "bolt.scrx.scr"}, {"scr", "scr.scr"},
      {"", ".scr"}};
  for (const auto& [name, expected] : cases) EXPECT_EQ(WithScriptExtension(name), expected);
}

struct HeaderCase : testing::Test {
  HeaderCase() {
    controls.Cmb_Size.text = "[Inch 3/4]";
    controls.Cmb_Pitch.text = "0.1 UNC";
    controls.Chk_WF.checked = controls.Chk_Rad_HEAD.checked = true;
    controls.Chk_Sharp_Threads.checked = true;
    dims.DiaNom = 0.75;
    dims.NomLength = 3;
    dims.Segments = 24;
    dims.RadWshFace = 0.0625;
  }
  std::string Header() {
    std::string script;
    AppendScriptHeader(script, controls, dims, Date{6, 12, 2026});
    return script;
  }
  std::string Details() { return ScriptLines(Header()).at(6); }

  Controls controls;
  BoltDimensions dims;
};

TEST_F(HeaderCase, ExactLines) {
  EXPECT_EQ(Header(),
            "; This script file was created by the 'Quillfen 3D Bolt Generator'.\r\n"
            "; Visit www.quillfen.example to access the PUBLIC DOMAIN CAD library.\r\n"
            "; ---------------------------------------------------------------------\r\n"
            "; Nominal Diameter: Inch 3/4 (000.7500)\r\n"
            "; Nominal Length: 0003.0000\r\n"
            "; Segments: 024\r\n"
            "; Details: Threaded 0.1 UNC, Washer Face, Radius Under Head (00.0625), "
            "Sharp Threads\r\n"
            "; Date: 06 Dec 2026\r\n"
            "; \r\n");
}

TEST_F(HeaderCase, DetailsOfThePlainChoices) {
  controls.Chk_WF.checked = controls.Chk_Rad_HEAD.checked = false;
  const struct {
    bool no_threads, sharp;
    const char* details;
  } cases[] = {
      {false, false, "Threaded 0.1 UNC, Plain Face, No Head Radius, Radius Threads"},
      {true, false, "Plain Body, Plain Face, No Head Radius, Radius Threads"},
      {true, true, "Plain Body, Plain Face, No Head Radius, Sharp Threads"}};
  for (const auto& c : cases) {
    controls.Chk_No_Threads.checked = c.no_threads;
    controls.Chk_Sharp_Threads.checked = c.sharp;
    EXPECT_EQ(Details(), std::string("; Details: ") + c.details);
  }
}

TEST_F(HeaderCase, SizeNameLosesItsBracketsBlanksAndTail) {
  const std::pair<const char*, const char*> cases[] = {
      {"[ Metric M6 ]", "Metric M6"}, {"[Inch 1-1/2]", "Inch 1-1/2"}, {"[]", ""}, {"[", ""},
      {"", ""}, {"[\tTab]", "\tTab"},
      {"[A very long size name that goes past thirty]", "A very long size name that goe"},
  };
  for (const auto& [text, name] : cases) {
    controls.Cmb_Size.text = text;
    EXPECT_EQ(ScriptLines(Header()).at(3),
              std::string("; Nominal Diameter: ") + name + " (000.7500)")
        << text;
  }
}

// Two columns of three rows, with values that test the mask's edges.
MeshGrid SmallGrid() {
  MeshGrid grid;
  grid.ColumnCount = 2;
  grid.RowCount = 3;
  grid.at(1, 1) = {0, 0, 0, 0, 0, 0.5};
  grid.at(2, 1) = {0, 0, 0, 1234.56789, -12, -0.00004};
  grid.at(3, 1) = {0, 0, 0, 1.5, -0.25, 10000};
  grid.at(1, 2) = {359.999, 0, 0, 0, -1e-17, 0.5};
  grid.at(2, 2) = {0, 0, 0, 0.99995, -0.99995, 0.00005};
  grid.at(3, 2) = {0, 0, 0, 0, 0, -3};
  grid.at(4, 1).X = 99;  // stale: past RowCount
  return grid;
}

TEST(AppendMeshPart, ExactText) {
  std::string script = "before\r\n";
  AppendMeshPart(script, SmallGrid(), "Nut");
  EXPECT_EQ(script,
            "before\r\n"
            "; we need to be in a known orientation\r\n"
            "Plan World\r\n"
            "_ortho N\r\n"
            "CCS World\r\n"
            "SetVar SETESNPMODE 0\r\n"
            "SetVar SETACTLCLR BYLAYER\r\n"
            "; ----PART: Nut----------------------------------------\r\n"
            "Mesh\r\n"
            "002\r\n"
            "003\r\n"
            "; ---Column 001, Angle: 000.00-----------\r\n"
            "000.0000,000.0000,000.5000\r\n"
            "1234.5679,-012.0000,000.0000\r\n"
            "001.5000,-000.2500,10000.0000\r\n"
            "; ---Column 002, Angle: 360.00-----------\r\n"
            "000.0000,000.0000,000.5000\r\n"
            "001.0000,-001.0000,000.0001\r\n"
            "000.0000,000.0000,-003.0000\r\n");
}

TEST(AppendMeshPart, OffsetsMoveOnlyTheText) {
  const MeshGrid grid = SmallGrid();
  std::string first;
  std::string second;
  AppendMeshPart(first, grid, kBoltPartName);
  AppendMeshPart(second, grid, kBoltPartName, 1, -2, 0.5);
  const std::vector<std::string> a = ScriptLines(first);
  const std::vector<std::string> b = ScriptLines(second);
  ASSERT_EQ(a.size(), b.size());
  EXPECT_EQ(a[6], "; ----PART: Hex Head Cap Screw(Bolt)----------------------------------------");
  EXPECT_EQ(b[11], "001.0000,-002.0000,001.0000");
  EXPECT_EQ(b[17], "001.0000,-002.0000,-002.5000");
  for (std::size_t i = 0; i < 11; ++i) EXPECT_EQ(a[i], b[i]);
  // The grid is read only: the same grid writes the same text again.
  std::string again;
  AppendMeshPart(again, grid, kBoltPartName);
  EXPECT_EQ(again, first);
}

TEST(AppendMeshPart, LineCountPerPart) {
  for (auto [columns, rows] : {std::pair{25, 8}, std::pair{241, 15}, std::pair{37, 200}}) {
    MeshGrid grid;
    grid.ColumnCount = static_cast<std::int16_t>(columns);
    grid.RowCount = static_cast<std::int16_t>(rows);
    std::string script;
    AppendMeshPart(script, grid, "Part");
    EXPECT_EQ(ScriptLines(script).size(), static_cast<std::size_t>(10 + columns * (rows + 1)));
  }
}

}  // namespace
}  // namespace boltgen
