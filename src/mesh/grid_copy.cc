#include "mesh/grid_copy.h"

namespace boltgen {

GridCopy::GridCopy(const MeshGrid& grid) : rows_(grid.RowCount), columns_(grid.ColumnCount) {
  if (rows_ <= 0 || columns_ <= 0) {
    rows_ = columns_ = 0;
    return;
  }
  points_.reserve(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_));
  angles_deg_.reserve(static_cast<std::size_t>(columns_));
  for (int col = 1; col <= columns_; ++col) {
    angles_deg_.push_back(grid.at(1, col).AngleDeg);
    for (int row = 1; row <= rows_; ++row) {
      const MeshVertex& v = grid.at(row, col);
      points_.push_back({v.X, v.Y, v.Z});
    }
  }
}

}  // namespace boltgen
