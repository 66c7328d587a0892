#ifndef BOLTGEN_MESH_GRID_TRIANGULATION_H_
#define BOLTGEN_MESH_GRID_TRIANGULATION_H_

#include "mesh/grid_copy.h"
#include "mesh/triangle_mesh.h"

namespace boltgen {

// Vertices closer than this fraction of a part's width across its axis are
// one vertex: far above the rounding of the geometry and far below its
// smallest feature (a thread's rise per column). Whether vertices kept apart
// stay apart in a 32-bit STL file depends on the part's length too; the STL
// export checks the file as written.
inline constexpr double kWeldTolerance = 1e-6;

// Turns a part's grid into a closed surface facing outwards: every quad of
// adjacent rows and columns becomes two triangles, coincident vertices (the
// closing column, rows on the axis, a nut's first and last row, the
// thread's seam) are welded, triangles without area are dropped, the
// thread's seam is stitched where it meets itself out of step, and the
// triangles are reversed when they face inwards (the nuts are mirrored).
// Coordinates are the grid's, without any offset.
TriangleMesh TriangulateGrid(const GridCopy& grid);

}  // namespace boltgen

#endif  // BOLTGEN_MESH_GRID_TRIANGULATION_H_
