#include "mesh/mesh_grid.h"

#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "base/os.h"

namespace boltgen {

// Zero-filled pages from the system rather than new[]: the grid is 3 MB of
// zeros, mostly touched by the first part, and large pages spare the system
// hundreds of page faults per run. MeshVertex is a trivial type, so zeroed
// storage already holds zero-valued vertices.
static_assert(std::is_aggregate_v<MeshVertex> && std::is_trivially_copyable_v<MeshVertex> &&
              std::is_trivially_destructible_v<MeshVertex>);
MeshGrid::MeshGrid()
    : vertices_(static_cast<MeshVertex*>(os::AllocateLargeZeroed(kBytes))) {
  if (!vertices_) {
    std::fputs("boltgen: out of memory for the mesh grid\n", stderr);
    std::abort();
  }
}

void MeshGrid::Free::operator()(MeshVertex* p) const { os::FreeLarge(p, kBytes); }

void MeshGrid::OutOfGrid(int row, int col) {
  std::fprintf(stderr, "boltgen: internal error: mesh grid index (%d, %d) outside 0..%d\n", row,
               col, kLastIndex);
  std::abort();
}

}  // namespace boltgen
