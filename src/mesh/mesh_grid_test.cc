#include "mesh/mesh_grid.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

TEST(AngleConversions, UseTheProgramsOwnPi) {
  EXPECT_EQ(DegToRad(180), 3.14159265358979);
  EXPECT_NE(DegToRad(180), std::numbers::pi);
  for (double x : {0.0, 7.5, 15.0, 359.999, 360.0}) EXPECT_NEAR(RadToDeg(DegToRad(x)), x, 1e-12);
}

TEST(MeshGridDeathTest, EveryIndexFrom0To256IsUsableAndOneOutsideAborts) {
  MeshGrid grid;
  grid.at(256, 256).Z = 1.5;
  grid.at(0, 0).X = 2;
  EXPECT_EQ(grid.at(256, 256).Z, 1.5);
  EXPECT_EQ(grid.at(0, 0).X, 2);
  EXPECT_EQ(grid.at(128, 3).Radius, 0);
  EXPECT_DEATH(grid.at(257, 1), "outside");
  EXPECT_DEATH(grid.at(1, -1), "outside");
}

}  // namespace
}  // namespace boltgen
