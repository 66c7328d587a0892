#include "mesh/grid_triangulation.h"

#include <cmath>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

using Profile = std::vector<std::pair<double, double>>;  // radius, z per row

// A solid of revolution as the geometry builds one, the last column on top of the first.
MeshGrid Revolve(const Profile& profile, int segments) {
  MeshGrid grid;
  grid.ColumnCount = static_cast<std::int16_t>(segments + 1);
  grid.RowCount = static_cast<std::int16_t>(profile.size());
  for (int col = 1; col <= grid.ColumnCount; ++col) {
    for (int row = 1; row <= grid.RowCount; ++row) {
      const double angle = DegToRad(360.0 / segments) * (col - 1), r = profile[row - 1].first;
      grid.at(row, col) = {0, angle, r, std::cos(angle) * r, std::sin(angle) * r,
                           profile[row - 1].second};
    }
  }
  return grid;
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
