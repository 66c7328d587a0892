#include "mesh/grid_copy.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// A grid whose every point says where it is: X = row, Y = column.
MeshGrid Numbered(int rows, int columns) {
  MeshGrid grid;
  grid.RowCount = static_cast<std::int16_t>(rows);
  grid.ColumnCount = static_cast<std::int16_t>(columns);
  for (int row = 1; row <= rows; ++row) {
    for (int col = 1; col <= columns; ++col) {
      grid.at(row, col) = {0, 0, 0, double(row), double(col), 0};
    }
  }
  return grid;
}

// Copies share one pool and keep it alive. A pool reserved too small is left
// as it is (growing it would move the copies already in it): the copy takes
// storage of its own.
TEST(GridCopy, PooledCopiesShareTheBlockAndNeverMoveIt) {
  auto pool = std::make_shared<std::vector<GridPoint>>();
  pool->reserve(7 * 5 + 3 * 5);
  const GridPoint* block = pool->data();
  const GridCopy first(Numbered(7, 5), pool);
  const GridCopy second(Numbered(3, 5), pool);
  const GridCopy third(Numbered(2, 5), pool);
  EXPECT_EQ(&first.at(1, 1), block);
  EXPECT_EQ(&second.at(1, 1), block + 7 * 5);
  EXPECT_EQ(pool->size(), 7u * 5 + 3 * 5);
  EXPECT_EQ(pool->data(), block);
  pool.reset();
  for (const GridCopy* copy : {&first, &second, &third}) {
    EXPECT_EQ(copy->at(copy->rows(), 5).X, copy->rows());
    EXPECT_EQ(copy->at(copy->rows(), 5).Y, 5);
  }
}

}  // namespace
}  // namespace boltgen
