#include "geometry/bolt_body.h"

#include <cmath>

#include <gtest/gtest.h>

#include "geometry/example_bolt_test.h"

namespace boltgen {
namespace {

// The example bolt with a head of round numbers for the values worked out by hand.
BoltDimensions Bolt(int segments = 24) {
  BoltDimensions dims = ExampleBolt(static_cast<std::int16_t>(segments));
  dims.HghtHex = 0.5;
  dims.HghtWshFace = 0.03;
  dims.RadWshFace = 0.0625;
  return dims;
}

// X and Y are what the script writes: they must lie on the row's radius at
// the column's angle.
void ExpectAt(const MeshGrid& grid, int row, int col, double radius, double z) {
  const MeshVertex& v = grid.at(row, col);
  EXPECT_NEAR(v.radius, radius, 1e-12) << row << ", " << col;
  EXPECT_NEAR(v.z, z, 1e-12) << row << ", " << col;
  EXPECT_NEAR(v.x, std::cos(v.angle_rad) * v.radius, 1e-12) << row << ", " << col;
  EXPECT_NEAR(v.y, std::sin(v.angle_rad) * v.radius, 1e-12) << row << ", " << col;
}

// The fillet rows by hand: centre at R = 0.375 + 0.0625, Z = -0.0625.
TEST(MakeBoltBody, RowsFollowTheProfileInEveryLayout) {
  const BoltDimensions dims = Bolt(36);
  const double fillet_radius[] = {0.4181864378515658, 0.4007634217317204, 0.3869364378515658,
                                  0.3780589677315529};
  const double fillet_z[] = {-0.0030589677315529043, -0.011936437851565784,
                             -0.02576342173172043, -0.043186437851565784};
  const struct {
    bool washer_face, radius_under_head;
    int rows, k, m;
  } layouts[] = {{false, false, 8, 5, 6}, {true, false, 10, 7, 8}, {false, true, 13, 5, 11},
                 {true, true, 15, 7, 13}};
  for (const auto& layout : layouts) {
    SCOPED_TRACE(layout.rows);
    MeshGrid grid;  // the largest layout first: a smaller one must leave none of its rows
    MakeBoltBody(grid, Bolt(240), true, true);
    MakeBoltBody(grid, dims, layout.washer_face, layout.radius_under_head);
    ASSERT_EQ(grid.row_count, layout.rows);
    EXPECT_EQ(BoltBodyRowCount(dims, layout.washer_face, layout.radius_under_head), layout.rows);
    const double w = layout.washer_face ? 0.03 : 0;
    const double r = layout.radius_under_head ? 0.0625 : 0;
    for (int col = 1; col <= 37; ++col) {
      EXPECT_NEAR(grid.at(layout.rows, col).angle_rad, (col - 1) * 10 * kPi / 180, 1e-12) << col;
      EXPECT_NEAR(grid.at(1, col).angle_deg, (col - 1) * 10, 1e-9) << col;  // the column's header
      ExpectAt(grid, 1, col, 0, 0.5);
      ExpectAt(grid, 2, col, 0.50625, 0.5);
      ExpectAt(grid, 4, col, grid.at(3, col).radius, w);
      if (layout.washer_face) ExpectAt(grid, 6, col, 0.50625, 0);
      ExpectAt(grid, layout.k, col, 0.375 + r, 0);
      for (int i = 0; layout.radius_under_head && i < 4; ++i) {
        ExpectAt(grid, layout.k + 1 + i, col, fillet_radius[i], fillet_z[i]);
      }
      ExpectAt(grid, layout.m, col, 0.375, 0.15 - 3);
      ExpectAt(grid, layout.m + 1, col, 0.375 - 0.15, -3);
      ExpectAt(grid, layout.m + 2, col, 0, -3);
    }
  }
}

// A washer face of no height leaves its rows out; a fillet of no radius keeps
// its rows, all on the shank's top ring.
TEST(MakeBoltBody, WasherFaceOrFilletOfZeroSize) {
  BoltDimensions dims = Bolt();
  dims.HghtWshFace = 0;
  MeshGrid grid;
  MakeBoltBody(grid, dims, true, true);
  EXPECT_TRUE(grid.row_count == 13 && BoltBodyRowCount(dims, true, true) == 13);
  ExpectAt(grid, 5, 2, 0.4375, 0);
  dims.HghtWshFace = 0.03;
  dims.RadWshFace = 0;
  MakeBoltBody(grid, dims, true, true);
  EXPECT_EQ(grid.row_count, 15);
  for (int row = 7; row <= 12; ++row) ExpectAt(grid, row, 2, 0.375, 0);
}

}  // namespace
}  // namespace boltgen
