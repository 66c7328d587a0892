#include "mesh/grid_copy.h"

namespace boltgen {

GridCopy::GridCopy(const MeshGrid& grid) : rows_(grid.RowCount), columns_(grid.ColumnCount) {
  if (rows_ < 0 || columns_ < 0) rows_ = columns_ = 0;
  vertices_.reserve(static_cast<std::size_t>(rows_) * columns_);
  for (int row = 1; row <= rows_; ++row) {
    for (int col = 1; col <= columns_; ++col) vertices_.push_back(grid.at(row, col));
  }
}

}  // namespace boltgen
