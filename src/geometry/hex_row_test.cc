#include "geometry/hex_row.h"

#include <cmath>

#include <gtest/gtest.h>

#include "base/number_format.h"
#include "geometry/example_bolt_test.h"

namespace boltgen {
namespace {

TEST(HexHalfSideCount, FixedTableForTheOfferedCountsOnly) {
  const int table[][2] = {{24, 2}, {36, 3},  {48, 4},  {72, 6},   {144, 12}, {240, 20}, {0, 0},
                          {6, 0},  {12, 0},  {25, 0},  {60, 0},   {250, 0},  {-24, 0}};
  for (const auto& [segments, half_side] : table) {
    EXPECT_EQ(HexHalfSideCount(segments), half_side) << segments;
  }
}

// Values worked out by hand for Flats 1.125 (F = 0.5625, washer face circle
// 0.50625) and a top face at 0.5: radius F / cos(angle from the flat's
// normal), drop (radius - 0.50625) / sin 60 / 2.
TEST(SetHexRow, TwentyFourSegmentsByHand) {
  MeshGrid grid;
  SetHexRow(grid, ExampleBolt(24), 3, 0.5);
  const double radii[] = {0.5625, 0.5823428514806717, 0.6495190528383289, 0.5823428514806717};
  const double z[] = {0.4675240473580835, 0.45606777171422797, 0.41728357377724806,
                      0.45606777171422797};
  for (int n = 1; n <= 25; ++n) {
    const MeshVertex& v = grid.at(3, n);
    EXPECT_NEAR(v.Radius, radii[(n - 1) % 4], 1e-12) << n;
    EXPECT_NEAR(v.Z, z[(n - 1) % 4], 1e-12) << n;
    EXPECT_NEAR(v.AngleRad, (n - 1) * 15 * M_PI / 180, 1e-12) << n;
  }
  // Column 2 at 15 degrees lies on the flat facing +X; column 3 is a corner;
  // the last column closes the ring on the first.
  const struct {
    int column;
    const char* x;
    const char* y;
  } written[] = {{2, "000.5625", "000.1507"}, {3, "000.5625", "000.3248"}, {25, "000.5625", "000.0000"}};
  for (const auto& w : written) {
    EXPECT_EQ(FormatNumber(grid.at(3, w.column).X, "000.0000"), w.x) << w.column;
    EXPECT_EQ(FormatNumber(grid.at(3, w.column).Y, "000.0000"), w.y) << w.column;
  }
}

TEST(SetHexRow, TwoHundredFortySegmentsPutsACornerInColumn21) {
  MeshGrid grid;
  SetHexRow(grid, ExampleBolt(240), 3, 0.5);
  const double corner = 0.5625 / std::cos(M_PI / 6);
  for (int n : {21, 61, 101, 141, 181, 221}) {
    EXPECT_NEAR(grid.at(3, n).Radius, corner, 1e-12) << n;
    EXPECT_NEAR(grid.at(3, n).Z, 0.41728357377724806, 1e-12) << n;
  }
  EXPECT_NEAR(grid.at(3, 21).AngleRad, M_PI / 6, 1e-12);
  EXPECT_LT(grid.at(3, 20).Radius, corner);
  EXPECT_LT(grid.at(3, 22).Radius, corner);
}

TEST(SetHexRow, MiddlesOfFlatsAreNearestAndHighestForEveryCount) {
  for (int segments : {24, 36, 48, 72, 144, 240}) {
    MeshGrid grid;
    BoltDimensions dims = ExampleBolt(static_cast<std::int16_t>(segments));
    dims.Flats = 19.0;
    dims.WshFaceDia = dims.Flats * 0.9;
    SetHexRow(grid, dims, 3, 12.5);
    const double smallest_drop = (0.05 * dims.Flats) / std::sin(M_PI / 3) / 2;
    const double corner = dims.Flats / 2 / std::cos(M_PI / 6);
    for (int n = 1; n <= segments + 1; ++n) {
      const MeshVertex& v = grid.at(3, n);
      EXPECT_LE(v.Radius, corner + 1e-12);
      if ((n - 1) % (segments / 6) == 0) {
        EXPECT_EQ(v.Radius, dims.Flats / 2) << segments << " column " << n;
        EXPECT_NEAR(12.5 - v.Z, smallest_drop, 1e-12) << segments << " column " << n;
      } else {
        EXPECT_GT(v.Radius, dims.Flats / 2) << segments << " column " << n;
        EXPECT_GT(12.5 - v.Z, smallest_drop) << segments << " column " << n;
      }
    }
    EXPECT_NEAR(grid.at(3, segments + 1).AngleRad, 2 * M_PI, 1e-12) << segments;
  }
}

TEST(SetHexRowDeathTest, RefusesCountsWithoutAHalfSideCount) {
  MeshGrid grid;
  EXPECT_DEATH(SetHexRow(grid, ExampleBolt(25), 3, 0), "hexagon row for 25 segments");
}

}  // namespace
}  // namespace boltgen
