#ifndef BOLTGEN_GENERATE_PRINT_LAYOUT_H_
#define BOLTGEN_GENERATE_PRINT_LAYOUT_H_

#include <array>
#include <vector>

#include "base/length_unit.h"
#include "generate/parts.h"

namespace boltgen {

// The printer's plate the parts are laid out on, in millimetres.
inline constexpr double kPlateWidthMm = 250;
inline constexpr double kPlateDepthMm = 210;
// Between two parts, and between a part and the plate's edge.
inline constexpr double kPlateGapMm = 5;

// Where a part goes on the plate, in millimetres: p' = rotation * p +
// translation, the rotation scaling the part's own unit to millimetres; the
// part's vertices stay where the script puts them.
struct Placement {
  std::array<std::array<double, 3>, 3> rotation;
  std::array<double, 3> translation;
};

// The parts laid out for printing, one placement each: the bolt turned head
// down onto the plate (Z = 0), each nut standing on its far face, in rows
// from the plate's corner, each part's round footprint clear of the others
// by kPlateGapMm. Parts that do not fit the plate's depth go on in further
// rows beyond it, so that nothing overlaps; `fits` says whether all fit.
struct PrintLayout {
  std::vector<Placement> placements;
  bool fits = true;
};
PrintLayout LayOutForPrinting(const std::vector<Part>& parts, LengthUnit unit);

// A point of a part as the placement puts it.
Point3 Place(const Placement& placement, const Point3& p);

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_PRINT_LAYOUT_H_
