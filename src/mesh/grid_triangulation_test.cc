#include "mesh/grid_triangulation.h"

#include <cmath>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

using Profile = std::vector<std::pair<double, double>>;  // radius, z per row

// A solid of revolution in the grid as the geometry builds one: one column
// per step of 360 / segments degrees, the last on top of the first.
MeshGrid Revolve(const Profile& profile, int segments, double z_sign = 1) {
  MeshGrid grid;
  grid.ColumnCount = static_cast<std::int16_t>(segments + 1);
  grid.RowCount = static_cast<std::int16_t>(profile.size());
  const double step = DegToRad(360.0 / segments);
  for (int col = 1; col <= grid.ColumnCount; ++col) {
    for (int row = 1; row <= grid.RowCount; ++row) {
      MeshVertex& v = grid.at(row, col);
      v.AngleRad = step * (col - 1);
      v.Radius = profile[row - 1].first;
      v.X = std::cos(v.AngleRad) * v.Radius;
      v.Y = std::sin(v.AngleRad) * v.Radius;
      v.Z = z_sign * profile[row - 1].second;
    }
  }
  return grid;
}

// The area of the regular polygon with `n` corners on a circle of radius r.
double PolygonArea(double r, int n) { return n / 2.0 * r * r * std::sin(2 * kPi / n); }

TEST(TriangulateGrid, ClosesSolidsOfRevolutionFacingOutwards) {
  // A ring whose profile closes on itself (first row = last row), as the nuts
  // are, also with its Z mirrored: the quads then run the other way round.
  const Profile ring = {{2, 0}, {3, 0}, {3, 1}, {2, 1}, {2, 0}};
  const double ring_volume = PolygonArea(3, 36) - PolygonArea(2, 36);
  const struct {
    Profile profile;
    int segments;
    double z_sign, volume;
  } cases[] = {
      {ring, 36, -1, ring_volume},
      {ring, 36, 1, ring_volume},
      // A zero fillet puts several rows on one ring; they must weld into
      // one, not leave slivers or a fin.
      {{{0, 1}, {1, 1}, {1, 0}, {1, 0}, {1, 0}, {1, -2}, {0.5, -2}, {0, -2}}, 48, 1,
       PolygonArea(1, 48) * 3},
  };
  for (const auto& c : cases) {
    const TriangleMesh mesh = TriangulateGrid(GridCopy(Revolve(c.profile, c.segments, c.z_sign)));
    EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold()) << c.profile.size() << c.z_sign;
    EXPECT_NEAR(SignedVolume(mesh), c.volume, 1e-9) << c.profile.size() << c.z_sign;
  }

  // A cylinder as the bolt body builds its rows, both ends on the axis: the
  // closing column and the axis rows are welded, giving two axis points and
  // one ring of 24 per edge, 24 fan triangles per end and 48 around the side.
  const TriangleMesh mesh =
      TriangulateGrid(GridCopy(Revolve({{0, 2}, {1, 2}, {1, -3}, {0, -3}}, 24)));
  EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold());
  EXPECT_EQ(CountShells(mesh), 1u);
  EXPECT_EQ(mesh.vertices.size(), 2u + 2u * 24);
  EXPECT_EQ(mesh.triangles.size(), 4u * 24);
  EXPECT_NEAR(SignedVolume(mesh), PolygonArea(1, 24) * 5, 1e-9);
}

TEST(TriangulateGrid, AGridWithoutExtentGivesNoTriangles) {
  EXPECT_TRUE(TriangulateGrid(GridCopy(MeshGrid())).triangles.empty());
  // Every vertex on one point far from the origin: nothing to weld into.
  EXPECT_TRUE(TriangulateGrid(GridCopy(Revolve({{0, 1e200}, {0, 1e200}}, 24))).triangles.empty());
}

}  // namespace
}  // namespace boltgen
