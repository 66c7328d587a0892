#ifndef BOLTGEN_GEOMETRY_HEX_ROW_H_
#define BOLTGEN_GEOMETRY_HEX_ROW_H_

#include "config/bolt_dimensions.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

// The half-side count (columns from the middle of a flat to a corner) of the
// six segment counts offered: 24, 36, 48, 72, 144, 240. 0 for any other.
int HexHalfSideCount(int segments);

// Fills `row` of columns 1..segments+1 with the hexagon outline (across flats
// `Flats`) whose corners are cut by a 30 degree chamfer cone starting on the
// circle of diameter `washer_face_dia`, each vertex dropped below `top_z` by the
// chamfer. Writes radius, angle_rad, x, y and z; angle_deg stays.
// `dims.segments` must be one of the six offered counts.
void SetHexRow(MeshGrid& grid, const BoltDimensions& dims, int row, double top_z);

// Copies the hexagon of row 3 (radius, angle_rad, x, y) into row 4 of every
// column 1..column_count at height `z`: the underside of the head, or the
// hexagon edge at a nut's washer face.
void CopyHexRowDown(MeshGrid& grid, double z);

}  // namespace boltgen

#endif  // BOLTGEN_GEOMETRY_HEX_ROW_H_
