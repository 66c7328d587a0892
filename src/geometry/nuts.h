#ifndef BOLTGEN_GEOMETRY_NUTS_H_
#define BOLTGEN_GEOMETRY_NUTS_H_

#include <array>
#include <functional>
#include <string_view>

#include "config/bolt_dimensions.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

using NutOffsets = std::array<double, 4>;

// The Z offsets of the four nuts (washer face standard, washer face jam,
// plain face standard, plain face jam), from the standard nut height.
NutOffsets NutOffsetsFor(double hght_nut);

// Called once per nut with the nut in the grid, its name and its Z offset.
using NutWriter = std::function<void(std::string_view part_name, double z_offset)>;

// Derives the four nuts one after the other from the bolt head left in the
// grid (built with a washer face), with the nuts' own width across flats when
// the section gives one (NutDimensions), handing each to `write` in the order
// washer face standard, washer face jam, plain face jam, plain face standard.
// Sets `offsets`. Leaves the plain face standard nut in the grid.
void MakeNuts(MeshGrid& grid, const BoltDimensions& dims, NutOffsets& offsets,
              const NutWriter& write);

}  // namespace boltgen

#endif  // BOLTGEN_GEOMETRY_NUTS_H_
