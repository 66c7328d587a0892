#include "mesh/script_writer.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mesh/script_lines_test.h"

namespace boltgen {
namespace {

// Two columns of three rows, with values that test the mask's edges.
MeshGrid SmallGrid() {
  MeshGrid grid;
  grid.column_count = 2, grid.row_count = 3;
  grid.at(1, 1) = {0, 0, 0, 0, 0, 0.5};
  grid.at(2, 1) = {0, 0, 0, 1234.56789, -12, -0.00004};
  grid.at(3, 1) = {0, 0, 0, 1.5, -0.25, 10000};
  grid.at(1, 2) = {359.999, 0, 0, 0, -1e-17, 0.5};
  grid.at(2, 2) = {0, 0, 0, 0.99995, -0.99995, 0.00005};
  grid.at(3, 2) = {0, 0, 0, 0, 0, -3};
  grid.at(4, 1).x = 99;  // stale: past row_count
  return grid;
}

TEST(AppendMeshPart, ExactTextAndOffsetsMoveOnlyTheText) {
  std::string script = "before\r\n";
  AppendMeshPart(script, GridCopy(SmallGrid()), "Nut");
  const std::string part =
      "; we need to be in a known orientation\r\nPlan World\r\n_ortho N\r\nCCS World\r\n"
      "SetVar SETESNPMODE 0\r\nSetVar SETACTLCLR BYLAYER\r\n"
      "; ----PART: Nut----------------------------------------\r\n"
      "Mesh\r\n002\r\n003\r\n"
      "; ---Column 001, Angle: 000.00-----------\r\n"
      "000.0000,000.0000,000.5000\r\n"
      "1234.5679,-012.0000,000.0000\r\n"
      "001.5000,-000.2500,10000.0000\r\n"
      "; ---Column 002, Angle: 360.00-----------\r\n"
      "000.0000,000.0000,000.5000\r\n"
      "001.0000,-001.0000,000.0001\r\n"
      "000.0000,000.0000,-003.0000\r\n";
  EXPECT_EQ(script, "before\r\n" + part);

  std::string moved;
  AppendMeshPart(moved, GridCopy(SmallGrid()), "Hex Head Cap Screw(Bolt)", 1, -2, 0.5);
  std::vector<std::string> expected = ScriptLines(part);
  expected[6] = "; ----PART: Hex Head Cap Screw(Bolt)----------------------------------------";
  expected[11] = expected[15] = "001.0000,-002.0000,001.0000";
  expected[12] = "1235.5679,-014.0000,000.5000";
  expected[13] = "002.5000,-002.2500,10000.5000";
  expected[16] = "002.0000,-003.0000,000.5000";
  expected[17] = "001.0000,-002.0000,-002.5000";
  EXPECT_EQ(ScriptLines(moved), expected);
}

}  // namespace
}  // namespace boltgen
