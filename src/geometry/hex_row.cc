#include "geometry/hex_row.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace boltgen {
namespace {

[[noreturn]] void UnsupportedSegments(int segments) {
  std::fprintf(stderr, "boltgen: internal error: hexagon row for %d segments\n", segments);
  std::abort();
}

}  // namespace

int HexHalfSideCount(int segments) {
  // A fixed table rather than segments / 12: only these counts put a column
  // exactly on every corner of the hexagon.
  switch (segments) {
    case 24: return 2;
    case 36: return 3;
    case 48: return 4;
    case 72: return 6;
    case 144: return 12;
    case 240: return 20;
    default: return 0;
  }
}

void SetHexRow(MeshGrid& grid, const BoltDimensions& dims, int row, double top_z) {
  const int segments = dims.segments;
  const int e = HexHalfSideCount(segments);
  // The generation refuses other counts; with them the side index would run
  // past the end of the per-side tables.
  if (e == 0) UnsupportedSegments(segments);

  const double a = segments / 6.0;
  const int sides = segments / 6;  // equal to `a` for the counts above
  const double d = DegToRad(360.0 / segments);

  std::vector<double> hex_angle(sides + 1, 0.0);
  std::vector<double> hex_radius(sides + 1, 0.0);
  std::vector<double> hex_edge_z(sides + 1, 0.0);

  hex_angle[0] = 0;
  hex_radius[0] = dims.Flats / 2;
  hex_angle[sides] = 0;
  hex_radius[sides] = dims.Flats / 2;

  hex_angle[e] = DegToRad(30);
  for (int i = 1; i <= e - 1; ++i) {
    hex_angle[i] = i * d;
    hex_angle[e + i] = DegToRad(30) - i * d;
  }
  for (int i = 1; i <= sides - 1; ++i) {
    hex_radius[i] = std::fabs((dims.Flats / 2) / std::cos(hex_angle[i]));
  }
  for (int i = 0; i <= sides; ++i) {
    hex_edge_z[i] =
        top_z - (((hex_radius[i] - dims.washer_face_dia / 2) / std::sin(DegToRad(60))) / 2);
  }

  // The side index starts one short of wrapping, so column 1 takes entry 0:
  // the middle of the flat that faces +X.
  int j = sides;
  for (int n = 1; n <= segments + 1; ++n) {
    const double k = d * (n - 1);
    j = j + 1;
    if (j >= a) j = 0;
    MeshVertex& v = grid.at(row, n);
    v.radius = hex_radius[j];
    v.angle_rad = k;
    v.x = std::cos(k) * v.radius;
    v.y = std::sin(k) * v.radius;
    v.z = hex_edge_z[j];
  }
}

void CopyHexRowDown(MeshGrid& grid, double z) {
  for (int column = 1; column <= grid.column_count; ++column) {
    const MeshVertex& hex = grid.at(3, column);
    MeshVertex& under = grid.at(4, column);
    under.radius = hex.radius;
    under.angle_rad = hex.angle_rad;
    under.x = hex.x;
    under.y = hex.y;
    under.z = z;
  }
}

}  // namespace boltgen
