#include "mesh/mesh_grid.h"

#include <cstdio>
#include <cstdlib>

namespace boltgen {

double DegToRad(double degrees) { return degrees * kPi / 180; }
double RadToDeg(double radians) { return radians / kPi * 180; }

MeshGrid::MeshGrid() : vertices_(new MeshVertex[kStride * kStride]()) {}

void MeshGrid::OutOfGrid(int row, int col) {
  std::fprintf(stderr, "boltgen: internal error: mesh grid index (%d, %d) outside 0..%d\n", row,
               col, kLastIndex);
  std::abort();
}

}  // namespace boltgen
