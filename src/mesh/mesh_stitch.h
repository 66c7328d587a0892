#ifndef BOLTGEN_MESH_MESH_STITCH_H_
#define BOLTGEN_MESH_MESH_STITCH_H_

#include "mesh/triangle_mesh.h"

namespace boltgen {

// Drops triangles without area: two corners on one vertex, or three corners
// on one line closer than `tolerance`. What a dropped sliver leaves open is
// closed again by StitchOpenEdges.
void DropDegenerateTriangles(TriangleMesh& mesh, double tolerance);

// Closes what welding alone leaves open where a surface meets itself out of
// step, as the threaded bolt's last column meets its first two rows lower:
//  - a T-junction, an open edge with open vertices of the other side lying on
//    it (closer than `tolerance` to the edge), is split at those vertices;
//  - a crack, a thin open loop whose two nearest vertices are much closer
//    than its edges are long on average, is closed by merging those two at
//    their midpoint, until the loop is gone.
// Open loops that are neither stay open, for CheckEdges to report, and so does
// a surface with more open edges than a seam has: stitching is for a seam,
// not for a torn surface, and its work stays bounded.
void StitchOpenEdges(TriangleMesh& mesh, double tolerance);

}  // namespace boltgen

#endif  // BOLTGEN_MESH_MESH_STITCH_H_
