#include "geometry/nuts.h"

#include <cmath>
#include <cstddef>
#include <optional>

#include "geometry/hex_row.h"

namespace boltgen {
namespace {

// Sets the radius of a vertex and turns X and Y with it.
void SetRadius(MeshVertex& v, double angle, double radius) {
  v.Radius = radius;
  v.X = std::cos(angle) * v.Radius;
  v.Y = std::sin(angle) * v.Radius;
}

void CopyRing(MeshVertex& to, const MeshVertex& from) {
  to.Radius = from.Radius;
  to.X = from.X;
  to.Y = from.Y;
  to.Z = from.Z;
}

// Rows 4 to 6 as a body with a washer face leaves them: the hexagon of row 3
// at the washer face height, then the washer face's outer edge at that height
// and in the bearing plane. The body leaves them out when HghtWshFace is 0
// (and without the washer face box), so they are built here; where the body
// did build them the values are the same.
void SetWasherFaceRows(MeshGrid& grid, const BoltDimensions& dims) {
  const double rW = dims.WshFaceDia / 2;
  CopyHexRowDown(grid, dims.HghtWshFace);
  for (int n = 1; n <= grid.ColumnCount; ++n) {
    const double angle = grid.at(1, n).AngleRad;
    MeshVertex& body_side = grid.at(5, n);
    body_side.AngleRad = angle;
    SetRadius(body_side, angle, rW);
    body_side.Z = dims.HghtWshFace;
    MeshVertex& bearing_side = grid.at(6, n);
    bearing_side.AngleRad = angle;
    SetRadius(bearing_side, angle, rW);
    bearing_side.Z = 0;
  }
}

// Rows 2 and 3 of the head, the chamfer circle and the chamfered hexagon at
// its top, again for a nut whose width across flats differs from the head's.
void SetNutTopRows(MeshGrid& grid, const BoltDimensions& nut) {
  for (int n = 1; n <= grid.ColumnCount; ++n) {
    MeshVertex& circle = grid.at(2, n);
    circle.AngleRad = grid.at(1, n).AngleRad;
    SetRadius(circle, circle.AngleRad, nut.WshFaceDia / 2);
    circle.Z = nut.HghtHex;
  }
  SetHexRow(grid, nut, 3, nut.HghtHex);
}

void MakeWasherFaceStandardNut(MeshGrid& grid, const BoltDimensions& dims) {
  const double rB = dims.MajorDia / 2 + dims.Pitch / 4;
  const double rM = dims.MajorDia / 2;
  const double D1 = std::fabs(dims.HghtNut - dims.HghtHex);
  for (int n = 1; n <= grid.ColumnCount; ++n) {
    const double angle = grid.at(1, n).AngleRad;
    MeshVertex& far_edge = grid.at(1, n);
    SetRadius(far_edge, angle, rB);
    far_edge.Z = dims.HghtNut;
    grid.at(2, n).Z = dims.HghtNut;
    grid.at(3, n).Z = grid.at(3, n).Z + D1;
    SetRadius(grid.at(7, n), angle, rB);
    grid.at(7, n).Z = 0;
    SetRadius(grid.at(8, n), angle, rM);
    grid.at(8, n).Z = dims.Pitch / 4;
    SetRadius(grid.at(9, n), angle, rM);
    grid.at(9, n).Z = dims.HghtNut - dims.Pitch / 4;
    CopyRing(grid.at(10, n), grid.at(1, n));
  }
  grid.RowCount = 10;
  // Built upside down; mirrored so that the bearing face looks up (+Z).
  for (int n = 1; n <= grid.ColumnCount; ++n) {
    for (int row = 1; row <= 10; ++row) grid.at(row, n).Z = grid.at(row, n).Z * (-1);
  }
}

// Moves the far face (and the bore's far end) of every column by `dz`.
void MoveFarFace(MeshGrid& grid, const int (&rows)[5], double dz) {
  for (int n = 1; n <= grid.ColumnCount; ++n) {
    for (int row : rows) grid.at(row, n).Z = grid.at(row, n).Z + dz;
  }
}

// Drops the washer face: rows 6..10 move up one row and row 4 becomes the
// chamfered hexagon edge on the bearing face.
void MakePlainFace(MeshGrid& grid, const BoltDimensions& dims) {
  for (int n = 1; n <= grid.ColumnCount; ++n) {
    for (int k = 5; k <= 9; ++k) CopyRing(grid.at(k, n), grid.at(k + 1, n));
  }
  SetHexRow(grid, dims, 4, 0);
  grid.RowCount = 9;
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
  const double D2 = std::fabs(dims.HghtNut - dims.HghtNutJam);

  // Without FlatsNut the head's rows are the nut's, exactly as the head left
  // them.
  if (bolt.FlatsNut > 0) SetNutTopRows(grid, dims);
  SetWasherFaceRows(grid, dims);
  MakeWasherFaceStandardNut(grid, dims);
  hand_over(0);

  MoveFarFace(grid, {9, 10, 1, 2, 3}, D2);
  hand_over(1);

  MakePlainFace(grid, dims);
  hand_over(2);

  MoveFarFace(grid, {8, 9, 1, 2, 3}, -D2);
  hand_over(3);
}

}  // namespace boltgen
