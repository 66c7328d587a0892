#ifndef BOLTGEN_GEOMETRY_NUTS_H_
#define BOLTGEN_GEOMETRY_NUTS_H_

#include <array>
#include <functional>
#include <string_view>

#include "config/bolt_dimensions.h"
#include "geometry/nut_thread.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

using NutOffsets = std::array<double, 4>;

// The Z offsets of the four nuts (washer face standard, washer face jam,
// plain face standard, plain face jam), from the standard nut height.
NutOffsets NutOffsetsFor(double hght_nut);

// One of the four nuts: everything the script, its block commands and the
// part files name or place it by.
struct NutKind {
  std::string_view name;           // the part's name in the script
  std::string_view code;           // in its drawing's file name: "HNSW"
  double BoltDimensions::*height;  // HghtNut or HghtNutJam
  int offset_index;                // which of the four offsets places it
};

// The nuts in the order MakeNuts derives them, each from the one before, and
// the script holds them. The block commands export them in the order of
// their offsets instead.
inline constexpr std::array<NutKind, 4> kNutKinds = {{
    {"Washer Face Standard Nut", "HNSW", &BoltDimensions::HghtNut, 0},
    {"Washer Face Jam Nut", "HNJW", &BoltDimensions::HghtNutJam, 1},
    {"Plain Face Jam Nut", "HNJP", &BoltDimensions::HghtNutJam, 3},
    {"Plain Face Standard Nut", "HNSP", &BoltDimensions::HghtNut, 2},
}};

// Called once per nut with the grid that holds it, which nut it is and its Z
// offset.
using NutWriter =
    std::function<void(const MeshGrid& nut_grid, const NutKind& nut, double z_offset)>;

// Derives the four nuts one after the other from the bolt head left in the
// grid (built with a washer face), with the nuts' own width across flats when
// the section gives one (NutDimensions), handing each to `write` in the order
// of kNutKinds at its offset from NutOffsetsFor. Leaves the plain face
// standard nut in the grid. With `thread`, each nut is handed over with its
// bore cut into that thread (CutNutThread), in a grid of its own: the plain
// nut in `grid` stays the one the next nut is derived from.
void MakeNuts(MeshGrid& grid, const BoltDimensions& dims, const NutWriter& write,
              const NutThread* thread = nullptr);

}  // namespace boltgen

#endif  // BOLTGEN_GEOMETRY_NUTS_H_
