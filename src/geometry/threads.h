#ifndef BOLTGEN_GEOMETRY_THREADS_H_
#define BOLTGEN_GEOMETRY_THREADS_H_

#include "config/bolt_dimensions.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

// The number of thread turns: thread_length / pitch rounded to four decimals
// (through the "0000.0000" mask), then up to a whole number.
int ThreadTurns(double thread_length, double pitch);

// Rebuilds the lower end of the bolt body in the grid into a right-hand
// helical V-thread with a one-turn lead-in at the point and a two-turn
// run-out into the shank. row_count grows by 2 * turns + 7. The caller has
// made sure that the result fits the grid and that Pitch is positive.
void MakeThreads(MeshGrid& grid, const BoltDimensions& dims);

}  // namespace boltgen

#endif  // BOLTGEN_GEOMETRY_THREADS_H_
