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

}  // namespace
}  // namespace boltgen
