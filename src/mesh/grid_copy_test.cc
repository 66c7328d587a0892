#include "mesh/grid_copy.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// A grid whose every coordinate says where it is: X = row, Y = column,
// Z = -(row * 1000 + column); the column's angle on row 1 only.
MeshGrid Numbered(int rows, int columns) {
  MeshGrid grid;
  grid.RowCount = static_cast<std::int16_t>(rows);
  grid.ColumnCount = static_cast<std::int16_t>(columns);
  for (int row = 1; row <= rows + 1; ++row) {  // one stale row past RowCount
    for (int col = 1; col <= columns; ++col) {
      grid.at(row, col) = {row == 1 ? col * 15.0 : -1.0, 0, 0, double(row), double(col),
                           -(row * 1000.0 + col)};
    }
  }
  return grid;
}

void ExpectCopyOf(const GridCopy& copy, int rows, int columns) {
  ASSERT_EQ(copy.rows(), rows);
  ASSERT_EQ(copy.columns(), columns);
  for (int col = 1; col <= columns; ++col) {
    EXPECT_EQ(copy.angle_deg(col), col * 15.0);
    for (int row = 1; row <= rows; ++row) {
      const GridPoint& p = copy.at(row, col);
      EXPECT_EQ(p.X, row);
      EXPECT_EQ(p.Y, col);
      EXPECT_EQ(p.Z, -(row * 1000.0 + col));
    }
  }
}

// Copies keep the rows up to RowCount of every column. They share one pool
// and keep it alive; a pool reserved too small is left as it is (growing it
// would move the copies already in it), and the copy takes storage of its own.
TEST(GridCopy, PooledCopiesShareTheBlockAndNeverMoveIt) {
  auto pool = std::make_shared<std::vector<GridPoint>>();
  pool->reserve(7 * 5 + 3 * 5);
  const GridPoint* block = pool->data();
  const GridCopy first(Numbered(7, 5), pool);
  const GridCopy second(Numbered(3, 5), pool);
  EXPECT_EQ(&first.at(1, 1), block);
  EXPECT_EQ(&second.at(1, 1), block + 7 * 5);
  const GridCopy third(Numbered(2, 5), pool);
  EXPECT_EQ(pool->size(), 7u * 5 + 3 * 5);
  EXPECT_EQ(pool->data(), block);
  pool.reset();
  ExpectCopyOf(first, 7, 5);
  ExpectCopyOf(second, 3, 5);
  ExpectCopyOf(third, 2, 5);
  const GridCopy copied = second;
  ExpectCopyOf(copied, 3, 5);
  const GridCopy empty{MeshGrid()};
  EXPECT_EQ(empty.rows(), 0);
  EXPECT_EQ(empty.columns(), 0);
}

}  // namespace
}  // namespace boltgen
