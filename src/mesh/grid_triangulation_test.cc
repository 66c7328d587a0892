#include "mesh/grid_triangulation.h"

#include <cmath>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// A solid of revolution in the grid as the geometry builds one: one column
// per step of 360 / segments degrees, the last on top of the first.
MeshGrid Revolve(const std::vector<std::pair<double, double>>& profile, int segments,
                 double z_sign = 1) {
  MeshGrid grid;
  grid.ColumnCount = static_cast<std::int16_t>(segments + 1);
  grid.RowCount = static_cast<std::int16_t>(profile.size());
  const double step = DegToRad(360.0 / segments);
  for (int col = 1; col <= grid.ColumnCount; ++col) {
    const double a = step * (col - 1);
    for (int row = 1; row <= grid.RowCount; ++row) {
      MeshVertex& v = grid.at(row, col);
      v.AngleRad = a;
      v.Radius = profile[row - 1].first;
      v.X = std::cos(a) * v.Radius;
      v.Y = std::sin(a) * v.Radius;
      v.Z = z_sign * profile[row - 1].second;
    }
  }
  return grid;
}

// The area of the regular polygon with `n` corners on a circle of radius r.
double PolygonArea(double r, int n) { return n / 2.0 * r * r * std::sin(2 * kPi / n); }

TEST(TriangulateGrid, ClosesASolidOfRevolutionAtTheAxisAndTheSeam) {
  // Top centre, top edge, bottom edge, bottom centre: a cylinder as the bolt
  // body builds its rows, both ends on the axis.
  const int segments = 24;
  const TriangleMesh mesh =
      TriangulateGrid(GridCopy(Revolve({{0, 2}, {1, 2}, {1, -3}, {0, -3}}, segments)));
  EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold());
  EXPECT_EQ(CountShells(mesh), 1u);
  // Two axis points and one ring of 24 per edge: the closing column and the
  // axis rows are welded.
  EXPECT_EQ(mesh.vertices.size(), 2u + 2u * segments);
  // 24 fan triangles per end and 48 around the side.
  EXPECT_EQ(mesh.triangles.size(), 4u * segments);
  EXPECT_NEAR(SignedVolume(mesh), PolygonArea(1, segments) * 5, 1e-9);
}

TEST(TriangulateGrid, TurnsAMirroredRingOutwards) {
  // A ring whose profile closes on itself (first row = last row) with its Z
  // mirrored, as the nuts are: the quads then run the other way round.
  const int segments = 36;
  const std::vector<std::pair<double, double>> ring = {{2, 0}, {3, 0}, {3, 1}, {2, 1}, {2, 0}};
  const TriangleMesh mesh = TriangulateGrid(GridCopy(Revolve(ring, segments, -1)));
  EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold());
  const double expected = (PolygonArea(3, segments) - PolygonArea(2, segments)) * 1;
  EXPECT_NEAR(SignedVolume(mesh), expected, 1e-9);
  // The same ring unmirrored faces outwards too.
  EXPECT_NEAR(SignedVolume(TriangulateGrid(GridCopy(Revolve(ring, segments)))), expected, 1e-9);
}

TEST(TriangulateGrid, DropsRowsThatCollapseOntoEachOther) {
  // A zero fillet puts several rows on one ring; they must weld into one, not
  // leave slivers or a fin.
  const TriangleMesh mesh = TriangulateGrid(
      GridCopy(Revolve({{0, 1}, {1, 1}, {1, 0}, {1, 0}, {1, 0}, {1, -2}, {0.5, -2}, {0, -2}}, 48)));
  const EdgeReport report = CheckEdges(mesh);
  EXPECT_TRUE(report.IsClosedManifold());
  EXPECT_NEAR(SignedVolume(mesh), PolygonArea(1, 48) * 3, 1e-9);
}

TEST(TriangulateGrid, AGridWithoutExtentGivesNoTriangles) {
  MeshGrid grid;
  EXPECT_TRUE(TriangulateGrid(GridCopy(grid)).triangles.empty());
  // Every vertex on one point far from the origin: nothing to weld into.
  EXPECT_TRUE(TriangulateGrid(GridCopy(Revolve({{0, 1e200}, {0, 1e200}}, 24))).triangles.empty());
}

}  // namespace
}  // namespace boltgen
