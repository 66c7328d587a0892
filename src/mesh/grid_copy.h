#ifndef BOLTGEN_MESH_GRID_COPY_H_
#define BOLTGEN_MESH_GRID_COPY_H_

#include <cstddef>
#include <memory>
#include <vector>

#include "base/large_page_allocator.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

// A vertex as the outputs read it: where it is, nothing of how it was built.
struct GridPoint {
  double x = 0;
  double y = 0;
  double z = 0;
};

// Storage that several copies fill one after another: the parts of one
// generation, reserved once at their total size, so that the bolt and its
// nuts take one block instead of one each. Megabytes, each page touched
// once: large pages spare the system hundreds of page faults.
using GridPointBlock = std::vector<GridPoint, LargePageAllocator<GridPoint>>;
using GridPointPool = std::shared_ptr<GridPointBlock>;

// One part taken out of the shared grid: rows 1..row_count of columns
// 1..column_count, so that it outlives the grid being rebuilt for the next
// part. Only what the outputs read is kept (a third of a grid vertex), column
// after column as the script writes them: the bolt of the largest script is
// a megabyte and a half, and every page of it is touched once.
class GridCopy {
 public:
  GridCopy() = default;
  // In storage of exactly the part's size.
  explicit GridCopy(const MeshGrid& grid);
  // Appended to `pool`, which it keeps alive; in storage of its own when the
  // pool was reserved too small (appending would move the parts before it).
  GridCopy(const MeshGrid& grid, const GridPointPool& pool);

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  // Indices as in the grid: 1..rows(), 1..columns().
  const GridPoint& at(int row, int col) const {
    return points_[static_cast<std::size_t>(col - 1) * static_cast<std::size_t>(rows_) +
                   static_cast<std::size_t>(row - 1)];
  }
  // The column's angle in degrees, as row 1 of the grid carries it.
  double angle_deg(int col) const { return angles_deg_[static_cast<std::size_t>(col - 1)]; }

 private:
  void CopyFrom(const MeshGrid& grid, GridPointBlock& storage);

  int rows_ = 0;
  int columns_ = 0;
  GridPointPool storage_;
  const GridPoint* points_ = nullptr;  // into *storage_
  std::vector<double> angles_deg_;
};

}  // namespace boltgen

#endif  // BOLTGEN_MESH_GRID_COPY_H_
