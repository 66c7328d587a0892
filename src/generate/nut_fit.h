#ifndef BOLTGEN_GENERATE_NUT_FIT_H_
#define BOLTGEN_GENERATE_NUT_FIT_H_

#include <string>

#include "base/error.h"
#include "config/bolt_dimensions.h"
#include "config/bolt_request.h"
#include "geometry/nut_thread.h"

namespace boltgen {

// How threaded nuts fit their bolt.
struct NutFit {
  double clearance_mm = 0;  // radial, between the bolt's flanks and the nut's
  bool standard = false;    // the 6H/6g allowance, no clearance having been given
  NutThread thread;         // the clearance in the section's unit
};

// The fit the request asks for: the clearance typed, in millimetres whatever
// the section's unit, else the 6H/6g allowance for the pitch. Refuses a
// clearance that is not a number or lies outside 0 to a quarter of the pitch
// (beyond it the thread's root would reach past the countersinks' edges).
Result<NutFit> NutFitFor(const BoltRequest& request, const BoltDimensions& dims);

// The script header's words for the nuts' thread and fit.
std::string NutThreadDetails(const NutFit& fit, const BoltDimensions& dims);

// Refuses threaded nuts that would not fit the mesh grid, naming the nut
// height and pitch.
Result<> CheckThreadedNutRows(const BoltDimensions& dims);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_NUT_FIT_H_
