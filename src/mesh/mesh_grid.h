#ifndef BOLTGEN_MESH_MESH_GRID_H_
#define BOLTGEN_MESH_MESH_GRID_H_

#include <cstdint>
#include <memory>

#include "base/angles.h"

namespace boltgen {

struct MeshVertex {
  double angle_deg = 0;  // only row 1 of a column carries it; the writer reads it there
  double angle_rad = 0;
  double radius = 0;
  double x = 0;
  double y = 0;
  double z = 0;
};

// One grid of vertices, reused for every part of a generation and kept for
// the whole run: element (row, col), both 0..256, row 0 and column 0 unused.
// A part occupies rows 1..row_count and columns 1..column_count. Rows past
// row_count keep whatever an earlier part left and are never written out.
class MeshGrid {
 public:
  static constexpr int kLastIndex = 256;

  MeshGrid();

  // Any index outside 0..256 is a programming error: the generation refuses
  // such parts before building them, so this aborts instead of corrupting.
  MeshVertex& at(int row, int col) {
    CheckIndex(row, col);
    return vertices_[static_cast<std::size_t>(row) * kStride + static_cast<std::size_t>(col)];
  }
  const MeshVertex& at(int row, int col) const {
    CheckIndex(row, col);
    return vertices_[static_cast<std::size_t>(row) * kStride + static_cast<std::size_t>(col)];
  }

  std::int16_t column_count = 0;
  std::int16_t row_count = 0;

 private:
  static constexpr std::size_t kStride = kLastIndex + 1;
  static constexpr std::size_t kBytes = kStride * kStride * sizeof(MeshVertex);
  static void CheckIndex(int row, int col) {
    if (row < 0 || row > kLastIndex || col < 0 || col > kLastIndex) OutOfGrid(row, col);
  }
  [[noreturn]] static void OutOfGrid(int row, int col);

  struct Free {
    void operator()(MeshVertex* p) const;
  };
  std::unique_ptr<MeshVertex[], Free> vertices_;
};

}  // namespace boltgen

#endif  // BOLTGEN_MESH_MESH_GRID_H_
