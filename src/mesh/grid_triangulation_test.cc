#include "mesh/grid_triangulation.h"

#include <cmath>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

using Profile = std::vector<std::pair<double, double>>;  // radius, z per row

// A solid of revolution as the geometry builds one, the last column on top of the first.
MeshGrid Revolve(const Profile& profile, int segments, double z_sign = 1) {
  MeshGrid grid;
  grid.ColumnCount = static_cast<std::int16_t>(segments + 1);
  grid.RowCount = static_cast<std::int16_t>(profile.size());
  for (int col = 1; col <= grid.ColumnCount; ++col) {
    for (int row = 1; row <= grid.RowCount; ++row) {
      const double angle = DegToRad(360.0 / segments) * (col - 1), r = profile[row - 1].first;
      grid.at(row, col) = {0, angle, r, std::cos(angle) * r, std::sin(angle) * r,
                           z_sign * profile[row - 1].second};
    }
  }
  return grid;
}

double PolygonArea(double r, int n) { return n / 2.0 * r * r * std::sin(2 * kPi / n); }

TEST(TriangulateGrid, ClosesSolidsOfRevolutionFacingOutwardsAndWeldsRepeatedPoints) {
  // A closed ring profile as the nuts' (mirrored in Z its quads run the other way); a zero
  // fillet's rows on one ring, and a body's closing column and axis rows, weld into one.
  const Profile ring = {{2, 0}, {3, 0}, {3, 1}, {2, 1}, {2, 0}};
  const struct {
    Profile profile;
    int segments;
    double z_sign, volume;
    std::size_t vertices, triangles;
  } cases[] = {
      {ring, 36, -1, PolygonArea(3, 36) - PolygonArea(2, 36), 4 * 36, 8 * 36},
      {ring, 36, 1, PolygonArea(3, 36) - PolygonArea(2, 36), 4 * 36, 8 * 36},
      {{{0, 1}, {1, 1}, {1, 0}, {1, 0}, {1, 0}, {1, -2}, {0.5, -2}, {0, -2}}, 48, 1,
       PolygonArea(1, 48) * 3, 2 + 4 * 48, 8 * 48},
      {{{0, 2}, {1, 2}, {1, -3}, {0, -3}}, 24, 1, PolygonArea(1, 24) * 5, 2 + 2 * 24, 4 * 24},
  };
  for (const auto& c : cases) {
    const TriangleMesh mesh = TriangulateGrid(GridCopy(Revolve(c.profile, c.segments, c.z_sign)));
    SCOPED_TRACE(testing::Message() << c.profile.size() << " rows, z sign " << c.z_sign);
    EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold() && CountShells(mesh) == 1);
    EXPECT_EQ(std::pair(mesh.vertices.size(), mesh.triangles.size()),
              std::pair(c.vertices, c.triangles));
    EXPECT_NEAR(SignedVolume(mesh), c.volume, 1e-9);
  }
  EXPECT_TRUE(TriangulateGrid(GridCopy(MeshGrid())).triangles.empty());
  EXPECT_TRUE(TriangulateGrid(GridCopy(Revolve({{0, 1e200}, {0, 1e200}}, 24))).triangles.empty());
}

TEST(TriangulateGrid, KeepsAFineFeatureOfALongPart) {
  // A groove a thousandth deep near the end of a rod ten thousand long: the
  // welding tolerance follows the width, so the groove's ring stays a ring
  // of its own however long the rod.
  const Profile rod = {{0, 1}, {1, 1}, {1, 0}, {0.999, -0.001}, {1, -0.002}, {1, -1e4}, {0, -1e4}};
  const TriangleMesh mesh = TriangulateGrid(GridCopy(Revolve(rod, 24)));
  EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold());
  EXPECT_EQ(mesh.vertices.size(), 2u + 5 * 24);
}

}  // namespace
}  // namespace boltgen
