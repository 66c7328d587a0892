#include "geometry/nuts.h"

#include <cmath>
#include <cstddef>
#include <optional>

#include "geometry/hex_row.h"

namespace boltgen {
namespace {

// Sets the radius of a vertex and turns X and Y with it.
void SetRadius(MeshVertex& v, double angle, double radius) {
  v.radius = radius;
  v.x = std::cos(angle) * v.radius;
  v.y = std::sin(angle) * v.radius;
}

void CopyRing(MeshVertex& to, const MeshVertex& from) {
  to.radius = from.radius;
  to.x = from.x;
  to.y = from.y;
  to.z = from.z;
}

// Rows 4 to 6 as a body with a washer face leaves them: the hexagon of row 3
// at the washer face height, then the washer face's outer edge at that height
// and in the bearing plane. The body leaves them out when HghtWshFace is 0
// (and without the washer face box), so they are built here; where the body
// did build them the values are the same.
void SetWasherFaceRows(MeshGrid& grid, const BoltDimensions& dims) {
  const double washer_face_radius = dims.washer_face_dia / 2;
  CopyHexRowDown(grid, dims.HghtWshFace);
  for (int n = 1; n <= grid.column_count; ++n) {
    const double angle = grid.at(1, n).angle_rad;
    MeshVertex& body_side = grid.at(5, n);
    body_side.angle_rad = angle;
    SetRadius(body_side, angle, washer_face_radius);
    body_side.z = dims.HghtWshFace;
    MeshVertex& bearing_side = grid.at(6, n);
    bearing_side.angle_rad = angle;
    SetRadius(bearing_side, angle, washer_face_radius);
    bearing_side.z = 0;
  }
}

// Rows 2 and 3 of the head, the chamfer circle and the chamfered hexagon at
// its top, again for a nut whose width across flats differs from the head's.
void SetNutTopRows(MeshGrid& grid, const BoltDimensions& nut) {
  for (int n = 1; n <= grid.column_count; ++n) {
    MeshVertex& circle = grid.at(2, n);
    circle.angle_rad = grid.at(1, n).angle_rad;
    SetRadius(circle, circle.angle_rad, nut.washer_face_dia / 2);
    circle.z = nut.HghtHex;
  }
  SetHexRow(grid, nut, 3, nut.HghtHex);
}

void MakeWasherFaceStandardNut(MeshGrid& grid, const BoltDimensions& dims) {
  const double countersink_radius = dims.major_dia / 2 + dims.pitch / 4;
  const double major_radius = dims.major_dia / 2;
  const double head_nut_difference = std::fabs(dims.HghtNut - dims.HghtHex);
  for (int n = 1; n <= grid.column_count; ++n) {
    const double angle = grid.at(1, n).angle_rad;
    MeshVertex& far_edge = grid.at(1, n);
    SetRadius(far_edge, angle, countersink_radius);
    far_edge.z = dims.HghtNut;
    grid.at(2, n).z = dims.HghtNut;
    grid.at(3, n).z = grid.at(3, n).z + head_nut_difference;
    SetRadius(grid.at(7, n), angle, countersink_radius);
    grid.at(7, n).z = 0;
    SetRadius(grid.at(8, n), angle, major_radius);
    grid.at(8, n).z = dims.pitch / 4;
    SetRadius(grid.at(9, n), angle, major_radius);
    grid.at(9, n).z = dims.HghtNut - dims.pitch / 4;
    CopyRing(grid.at(10, n), grid.at(1, n));
  }
  grid.row_count = 10;
  // Built upside down; mirrored so that the bearing face looks up (+Z).
  for (int n = 1; n <= grid.column_count; ++n) {
    for (int row = 1; row <= 10; ++row) grid.at(row, n).z = grid.at(row, n).z * (-1);
  }
}

// Moves the far face (and the bore's far end) of every column by `dz`.
void MoveFarFace(MeshGrid& grid, const int (&rows)[5], double dz) {
  for (int n = 1; n <= grid.column_count; ++n) {
    for (int row : rows) grid.at(row, n).z = grid.at(row, n).z + dz;
  }
}

// Drops the washer face: rows 6..10 move up one row and row 4 becomes the
// chamfered hexagon edge on the bearing face.
void MakePlainFace(MeshGrid& grid, const BoltDimensions& dims) {
  for (int n = 1; n <= grid.column_count; ++n) {
    for (int k = 5; k <= 9; ++k) CopyRing(grid.at(k, n), grid.at(k + 1, n));
  }
  SetHexRow(grid, dims, 4, 0);
  grid.row_count = 9;
}

}  // namespace

NutOffsets NutOffsetsFor(double hght_nut) {
  // The fixed offsets were made for inch nuts. Taller (millimetre) nuts would
  // cut through the head and through each other, so they are spaced by the
  // smallest whole number above the nut height.
  if (hght_nut > 3) {
    const double step = std::floor(hght_nut) + 1;
    return {2 * step, 3 * step, 4 * step, 5 * step};
  }
  if (hght_nut < 0.9) return {2, 3, 4, 5};
  if (hght_nut < 1.9) return {4, 6, 8, 10};
  return {6, 9, 12, 15};
}

void MakeNuts(MeshGrid& grid, const BoltDimensions& bolt, const NutWriter& write,
              const NutThread* thread) {
  const BoltDimensions dims = NutDimensions(bolt);
  const NutOffsets offsets = NutOffsetsFor(dims.HghtNut);
  std::optional<MeshGrid> threaded;
  if (thread) threaded.emplace();
  const auto hand_over = [&](int step) {
    const NutKind& nut = kNutKinds[static_cast<std::size_t>(step)];
    const double z_offset = offsets[static_cast<std::size_t>(nut.offset_index)];
    if (!threaded) {
      write(grid, nut, z_offset);
      return;
    }
    CutNutThread(grid, dims, *thread, dims.*nut.height, z_offset, *threaded);
    write(*threaded, nut, z_offset);
  };
  const double nut_jam_difference = std::fabs(dims.HghtNut - dims.HghtNutJam);

  // Without FlatsNut the head's rows are the nut's, exactly as the head left
  // them.
  if (bolt.FlatsNut > 0) SetNutTopRows(grid, dims);
  SetWasherFaceRows(grid, dims);
  MakeWasherFaceStandardNut(grid, dims);
  hand_over(0);

  MoveFarFace(grid, {9, 10, 1, 2, 3}, nut_jam_difference);
  hand_over(1);

  MakePlainFace(grid, dims);
  hand_over(2);

  MoveFarFace(grid, {8, 9, 1, 2, 3}, -nut_jam_difference);
  hand_over(3);
}

}  // namespace boltgen
