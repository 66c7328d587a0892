#include "mesh/vertex_weld.h"

#include <cmath>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// A tolerance and offsets that are exact in binary, so that "within" and "just
// beyond" are decided by the welder's rule and not by rounding. The cells are
// twice the tolerance wide: 0.25, with walls at every multiple of it.
constexpr double kTolerance = 0.125;
constexpr double kBeyond = 1.0 / 65536;

Point3 Along(int axis, double offset, const Point3& from = {}) {
  Point3 p = from;
  (axis == 0 ? p.x : axis == 1 ? p.y : p.z) += offset;
  return p;
}

// Whether `second`, added after `first`, is given `first`'s index.
bool Welds(const Point3& first, const Point3& second) {
  VertexWelder welder(kTolerance);
  const int kept = welder.Add(first);
  return welder.Add(second) == kept;
}

// Two points on either side of a cell wall, in either order, along each axis,
// around walls above, at and below zero: the second point must look into the
// neighbour cell on the side of its nearer wall. A point in the middle of its
// cell is as near to the upper wall as to the lower one.
TEST(VertexWelder, PointsWithinTheToleranceAcrossACellWallWeldAndJustBeyondDoNot) {
  const Point3 base{0, -1.25, 2.5};  // each coordinate on a wall: x crosses zero, y stays below it
  const double walls[] = {-0.5, 0, 0.5};
  // How far below the wall the lower point lies; the upper point lies the
  // rest of the tolerance above it.
  const double below[] = {0, 0.03125, 0.0625, 0.09375, 0.125};
  for (int axis = 0; axis < 3; ++axis) {
    for (double wall : walls) {
      for (double d : below) {
        const Point3 lower = Along(axis, wall - d, base);
        const Point3 upper = Along(axis, wall + kTolerance - d, base);
        const Point3 too_far = Along(axis, wall + kTolerance - d + kBeyond, base);
        SCOPED_TRACE(testing::Message() << "axis " << axis << ", wall " << wall << ", " << d
                                        << " below it");
        EXPECT_TRUE(Welds(lower, upper));
        EXPECT_TRUE(Welds(upper, lower));
        EXPECT_FALSE(Welds(lower, too_far));
        EXPECT_FALSE(Welds(too_far, lower));
      }
    }
  }
}

// Across a corner where three walls meet, the point's neighbour lies in the
// diagonally opposite cell.
TEST(VertexWelder, PointsAcrossACornerOfEightCellsWeld) {
  for (const double corner : {-0.25, 0.0, 0.25}) {
    const Point3 inside{corner - 0.03125, corner - 0.03125, corner - 0.03125};
    const Point3 across{corner + 0.03125, corner + 0.03125, corner + 0.03125};  // 0.108 away
    EXPECT_TRUE(Welds(inside, across)) << corner;
    EXPECT_TRUE(Welds(across, inside)) << corner;
  }
}

// Every point of a cell is compared, not only the last one kept there, and
// the first point of a cluster is the one the others take.
TEST(VertexWelder, KeepsTheFirstPointOfAClusterAmongOthersInItsCell) {
  VertexWelder welder(kTolerance);
  EXPECT_EQ(welder.Add({0.01, 0, 0}), 0);
  EXPECT_EQ(welder.Add({0.24, 0, 0}), 1);
  EXPECT_EQ(welder.Add({0.01, 0.1, 0}), 0);
  EXPECT_EQ(welder.Add({0.01, 0.05, 0}), 0);
  EXPECT_EQ(welder.Add({0.24, 0.24, 0}), 2);
  ASSERT_EQ(welder.points().size(), 3u);
  EXPECT_EQ(welder.points()[0].y, 0);
}

}  // namespace
}  // namespace boltgen
