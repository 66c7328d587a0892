#include "mesh/grid_triangulation.h"

#include <vector>

#include "mesh/mesh_stitch.h"
#include "mesh/vertex_weld.h"

namespace boltgen {
namespace {

std::vector<Point3> GridPoints(const GridCopy& grid) {
  std::vector<Point3> points;
  points.reserve(static_cast<std::size_t>(grid.rows()) * grid.columns());
  for (int row = 1; row <= grid.rows(); ++row) {
    for (int col = 1; col <= grid.columns(); ++col) {
      const GridPoint& v = grid.at(row, col);
      points.push_back({v.x, v.y, v.z});
    }
  }
  return points;
}

// The diagonal of the part's box across its axis (Z). The part's features
// (a thread's rise per column, the run-out's crack) scale with its width, not
// its length: a tolerance taken from the length grows with a long bolt until
// it swallows the thread and leaves a surface too torn to stitch.
double WidthAcrossAxis(const std::vector<Point3>& points) {
  std::vector<Point3> flat(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) flat[i] = {points[i].x, points[i].y, 0};
  return BoundingDiagonal(flat);
}

}  // namespace

TriangleMesh TriangulateGrid(const GridCopy& grid) {
  TriangleMesh mesh;
  if (grid.rows() < 2 || grid.columns() < 2) return mesh;
  const std::vector<Point3> points = GridPoints(grid);
  const double tolerance = kWeldTolerance * WidthAcrossAxis(points);
  if (!(tolerance > 0)) return mesh;  // a part without extent has no surface

  // Welded column by column from the first, so that the first column's
  // vertices are the ones kept along the seam.
  VertexWelder welder(tolerance);
  std::vector<int> index(points.size());
  for (int col = 0; col < grid.columns(); ++col) {
    for (int row = 0; row < grid.rows(); ++row) {
      const std::size_t i = static_cast<std::size_t>(row) * grid.columns() + col;
      index[i] = welder.Add(points[i]);
    }
  }
  mesh.vertices = std::move(welder.points());

  const auto at = [&](int row, int col) {
    return index[static_cast<std::size_t>(row) * grid.columns() + col];
  };
  for (int row = 0; row + 1 < grid.rows(); ++row) {
    for (int col = 0; col + 1 < grid.columns(); ++col) {
      const int top_left = at(row, col);
      const int bottom_left = at(row + 1, col);
      const int bottom_right = at(row + 1, col + 1);
      const int top_right = at(row, col + 1);
      mesh.triangles.push_back({top_left, bottom_left, bottom_right});
      mesh.triangles.push_back({top_left, bottom_right, top_right});
    }
  }
  DropDegenerateTriangles(mesh, tolerance);
  StitchOpenEdges(mesh, tolerance * 10);
  if (SignedVolume(mesh) < 0) FlipTriangles(mesh);
  return mesh;
}

}  // namespace boltgen
