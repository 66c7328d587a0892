#include "geometry/bolt_body.h"

#include <cmath>

#include "geometry/hex_row.h"

namespace boltgen {
namespace {

// The washer face is drawn only when it has a height: a checked box over a
// size whose table gives no washer face height yields the plain face.
double WasherFaceHeight(const BoltDimensions& dims, bool washer_face) {
  return washer_face ? dims.HghtWshFace : 0;
}

// Writes one profile station of the column at angle `a` and moves on to the
// next row.
class ColumnWriter {
 public:
  ColumnWriter(MeshGrid& grid, int column, double a) : grid_(grid), column_(column), a_(a) {}

  void Ring(double radius, double z) {
    MeshVertex& v = Next();
    v.radius = radius;
    v.angle_rad = a_;
    v.x = std::cos(a_) * v.radius;
    v.y = std::sin(a_) * v.radius;
    v.z = z;
  }

  // Exactly on the axis, whatever the sign of the column's cosine and sine.
  void Axis(double z) {
    MeshVertex& v = Next();
    v.radius = 0;
    v.angle_rad = a_;
    v.x = 0;
    v.y = 0;
    v.z = z;
  }

  // Rows that another step fills later.
  void Skip(int rows) { row_ += rows; }

  int last_row() const { return row_; }

 private:
  MeshVertex& Next() { return grid_.at(++row_, column_); }

  MeshGrid& grid_;
  int column_;
  double a_;
  int row_ = 0;
};

// The quarter circle between the bearing face and the shank, sampled every
// 18 degrees between its 90 degree point (row k) and its 0 degree point.
void WriteFillet(ColumnWriter& out, const BoltDimensions& dims) {
  const double r = dims.RadWshFace;
  out.Ring(dims.major_dia / 2 + r, 0);
  for (double theta_deg : {72.0, 54.0, 36.0, 18.0}) {
    const double theta = DegToRad(theta_deg);
    out.Ring((dims.major_dia / 2 + r) - r * std::fabs(std::cos(theta)),
             -r + r * std::fabs(std::sin(theta)));
  }
  out.Ring(dims.major_dia / 2, -r);
}

}  // namespace

int BoltBodyRowCount(const BoltDimensions& dims, bool washer_face, bool radius_under_head) {
  const int head = WasherFaceHeight(dims, washer_face) != 0 ? 6 : 4;
  const int under_head = radius_under_head ? 6 : 1;
  return head + under_head + 3;
}

void MakeBoltBody(MeshGrid& grid, const BoltDimensions& dims, bool washer_face,
                  bool radius_under_head) {
  const int segments = dims.segments;
  grid.column_count = static_cast<std::int16_t>(segments + 1);
  const double step_angle = DegToRad(360.0 / segments);
  const double w = WasherFaceHeight(dims, washer_face);
  const double length = dims.nominal_length;

  int last_row = 0;
  for (int column = 1; column <= segments + 1; ++column) {
    const double a = step_angle * (column - 1);
    ColumnWriter out(grid, column, a);
    out.Axis(dims.HghtHex);
    grid.at(1, column).angle_deg = RadToDeg(a);
    out.Ring(dims.washer_face_dia / 2, dims.HghtHex);
    out.Skip(2);  // the hexagon and its underside, from the hexagon row below
    if (w != 0) {
      out.Ring(dims.washer_face_dia / 2, w);
      out.Ring(dims.washer_face_dia / 2, 0);
    }
    if (radius_under_head) {
      WriteFillet(out, dims);
    } else {
      out.Ring(dims.major_dia / 2, 0);
    }
    out.Ring(dims.major_dia / 2, (3 * dims.half_pitch) - length);
    out.Ring(dims.major_dia / 2 - 3 * dims.half_pitch, -length);
    out.Axis(-length);
    last_row = out.last_row();
  }
  grid.row_count = static_cast<std::int16_t>(last_row);

  SetHexRow(grid, dims, 3, dims.HghtHex);
  CopyHexRowDown(grid, w);
}

}  // namespace boltgen
