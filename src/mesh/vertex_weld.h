#ifndef BOLTGEN_MESH_VERTEX_WELD_H_
#define BOLTGEN_MESH_VERTEX_WELD_H_

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "mesh/triangle_mesh.h"

namespace boltgen {

// Collects points and gives points closer than the tolerance one shared
// index, so that the grid's coincident vertices (the closing column, the rows
// on the axis, rows that meet at the thread's seam) become one vertex. The
// first point of a cluster is the one kept.
class VertexWelder {
 public:
  explicit VertexWelder(double tolerance);

  // The index of a kept point within the tolerance of `p`, or of `p` itself,
  // now kept.
  int Add(const Point3& p);

  std::vector<Point3>& points() { return points_; }

 private:
  struct Cell {
    std::int64_t x, y, z;
    bool operator==(const Cell&) const = default;
  };
  struct CellHash {
    std::size_t operator()(const Cell& c) const;
  };
  Cell CellOf(const Point3& p) const;

  double tolerance_;
  double cell_size_;
  std::vector<Point3> points_;
  std::vector<int> next_in_cell_;  // -1 ends a cell's chain
  std::unordered_map<Cell, int, CellHash> first_in_cell_;
};

}  // namespace boltgen

#endif  // BOLTGEN_MESH_VERTEX_WELD_H_
