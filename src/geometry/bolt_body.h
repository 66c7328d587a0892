#ifndef BOLTGEN_GEOMETRY_BOLT_BODY_H_
#define BOLTGEN_GEOMETRY_BOLT_BODY_H_

#include "config/bolt_dimensions.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

// The number of rows of the unthreaded bolt: 8, 10, 13 or 15 by washer face
// (with a non-zero HghtWshFace) and radius under head.
int BoltBodyRowCount(const BoltDimensions& dims, bool washer_face, bool radius_under_head);

// Fills the grid with the complete unthreaded bolt: chamfered hexagon head,
// optional washer face, bearing face, optional fillet, shank, 45 degree point
// and end face. Sets column_count (segments + 1) and row_count.
void MakeBoltBody(MeshGrid& grid, const BoltDimensions& dims, bool washer_face,
                  bool radius_under_head);

}  // namespace boltgen

#endif  // BOLTGEN_GEOMETRY_BOLT_BODY_H_
