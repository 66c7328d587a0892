#ifndef BOLTGEN_GEOMETRY_NUT_THREAD_H_
#define BOLTGEN_GEOMETRY_NUT_THREAD_H_

#include "config/bolt_dimensions.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

// The internal thread a nut's bore carries, and how it fits the bolt.
struct NutThread {
  // Radial clearance between the bolt's flanks and the nut's, in the unit of
  // the size table: the nut's flanks are the bolt's moved out along the
  // radius by this much.
  double clearance = 0;
};

// The radial clearance of a 6H nut on a 6g bolt, in millimetres, for a pitch
// in millimetres: half the 6g fundamental deviation |es| = (15 + 11 P) µm on
// the diameter (ISO 965-1), the 6H nut's EI being 0.
double StandardFitClearanceMm(double pitch_mm);

// The minor diameter of the nut's thread: the ISO 68-1 basic internal thread,
// D - 5/8 H on either side with H = P * sqrt(3) / 2 (D - 1.0825 P).
double NutMinorDiameter(double major_dia, double pitch);

// At most the rows of the threaded nut of height `height` whose plain form
// (as MakeNuts builds it) has `plain_rows` rows.
int ThreadedNutRowsAtMost(double pitch, double height, int plain_rows);

// Writes into `out` the nut that `plain` holds (bearing face at Z = 0, body
// towards -Z, its last three rows the plain bore and the copy of row 1), with
// the bore cut into the right-hand internal thread: the bolt's flanks moved
// out by the clearance, the crest at NutMinorDiameter, in phase with the
// bolt's thread where the nut is placed (`z_offset`), so that the nut turns
// onto the bolt's point bearing face first. Both countersinks stay, cutting
// the thread off at the faces. The bore's vertices lie on the polygon that
// circumscribes its circles, so that its flat facets never eat into the fit.
// The caller has made sure that the rows fit the grid.
void CutNutThread(const MeshGrid& plain, const BoltDimensions& dims, const NutThread& thread,
                  double height, double z_offset, MeshGrid& out);

}  // namespace boltgen

#endif  // BOLTGEN_GEOMETRY_NUT_THREAD_H_
