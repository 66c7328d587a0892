#include "mesh/grid_copy.h"

namespace boltgen {

GridCopy::GridCopy(const MeshGrid& grid) {
  auto own = std::make_shared<GridPointBlock>();
  if (grid.row_count > 0 && grid.column_count > 0) {
    own->reserve(static_cast<std::size_t>(grid.row_count) *
                 static_cast<std::size_t>(grid.column_count));
  }
  CopyFrom(grid, *own);
  storage_ = std::move(own);
}

GridCopy::GridCopy(const MeshGrid& grid, const GridPointPool& pool) {
  const std::size_t size = grid.row_count > 0 && grid.column_count > 0
                               ? static_cast<std::size_t>(grid.row_count) *
                                     static_cast<std::size_t>(grid.column_count)
                               : 0;
  if (pool->capacity() - pool->size() < size) {
    *this = GridCopy(grid);
    return;
  }
  CopyFrom(grid, *pool);
  storage_ = pool;
}

void GridCopy::CopyFrom(const MeshGrid& grid, GridPointBlock& storage) {
  rows_ = grid.row_count;
  columns_ = grid.column_count;
  if (rows_ <= 0 || columns_ <= 0) {
    rows_ = columns_ = 0;
    return;
  }
  const std::size_t first = storage.size();
  const auto rows = static_cast<std::size_t>(rows_);
  storage.resize(first + rows * static_cast<std::size_t>(columns_));
  GridPoint* const points = storage.data() + first;
  angles_deg_.reserve(static_cast<std::size_t>(columns_));
  for (int col = 1; col <= columns_; ++col) angles_deg_.push_back(grid.at(1, col).angle_deg);
  // The grid is read in its own order, row after row, and written column
  // after column: the reads then stream instead of striding across rows.
  for (int row = 1; row <= rows_; ++row) {
    // Columns 1..column_count of one row lie side by side in the grid.
    const MeshVertex* from = &grid.at(row, 1);
    const MeshVertex* const end = &grid.at(row, columns_) + 1;
    for (GridPoint* to = points + (row - 1); from != end; ++from, to += rows) {
      *to = {from->x, from->y, from->z};
    }
  }
  points_ = points;
}

}  // namespace boltgen
