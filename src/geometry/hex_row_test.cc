#include "geometry/hex_row.h"

#include <gtest/gtest.h>

#include "geometry/example_bolt_test.h"

namespace boltgen {
namespace {

TEST(HexHalfSideCount, FixedTableForTheOfferedCountsOnly) {
  const int table[][2] = {{24, 2}, {36, 3}, {48, 4}, {72, 6}, {144, 12}, {240, 20}, {0, 0},
                          {6, 0},  {12, 0}, {25, 0}, {60, 0}, {250, 0},  {-24, 0}};
  for (const auto& [segments, half_side] : table) {
    EXPECT_EQ(HexHalfSideCount(segments), half_side) << segments;
  }
}

// Values worked out by hand for Flats 1.125 (F = 0.5625, washer face circle
// 0.50625) and a top face at 0.5: radius F / cos(angle from the flat's
// normal), drop (radius - 0.50625) / sin 60 / 2. At 240 segments the first
// corner falls in column 21.
TEST(SetHexRow, TwentyFourAndTwoHundredFortySegmentsByHand) {
  MeshGrid grid;
  SetHexRow(grid, ExampleBolt(24), 3, 0.5);
  const double radii[] = {0.5625, 0.5823428514806717, 0.6495190528383289, 0.5823428514806717};
  const double z[] = {0.4675240473580835, 0.45606777171422797, 0.41728357377724806,
                      0.45606777171422797};
  for (int n = 1; n <= 25; ++n) {
    const MeshVertex& v = grid.at(3, n);
    EXPECT_NEAR(v.Radius, radii[(n - 1) % 4], 1e-12) << n;
    EXPECT_NEAR(v.Z, z[(n - 1) % 4], 1e-12) << n;
  }
  SetHexRow(grid, ExampleBolt(240), 3, 0.5);
  for (int n : {21, 61, 101, 141, 181, 221}) {
    EXPECT_NEAR(grid.at(3, n).Radius, radii[2], 1e-12) << n;
    EXPECT_NEAR(grid.at(3, n).Z, z[2], 1e-12) << n;
  }
}

TEST(SetHexRowDeathTest, RefusesCountsWithoutAHalfSideCount) {
  MeshGrid grid;
  EXPECT_DEATH(SetHexRow(grid, ExampleBolt(25), 3, 0), "hexagon row for 25 segments");
}

}  // namespace
}  // namespace boltgen
