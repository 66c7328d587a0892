#ifndef BOLTGEN_MESH_GRID_COPY_H_
#define BOLTGEN_MESH_GRID_COPY_H_

#include <vector>

#include "mesh/mesh_grid.h"

namespace boltgen {

// One part taken out of the shared grid: rows 1..RowCount of columns
// 1..ColumnCount, so that it outlives the grid being rebuilt for the next part.
class GridCopy {
 public:
  GridCopy() = default;
  explicit GridCopy(const MeshGrid& grid);

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  // Indices as in the grid: 1..rows(), 1..columns().
  const MeshVertex& at(int row, int col) const {
    return vertices_[static_cast<std::size_t>(row - 1) * columns_ + (col - 1)];
  }

 private:
  int rows_ = 0;
  int columns_ = 0;
  std::vector<MeshVertex> vertices_;
};

}  // namespace boltgen

#endif  // BOLTGEN_MESH_GRID_COPY_H_
