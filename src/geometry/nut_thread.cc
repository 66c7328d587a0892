#include "geometry/nut_thread.h"

#include <algorithm>
#include <cmath>

#include "base/angles.h"

namespace boltgen {
namespace {

const double kSqrt3 = std::sqrt(3.0);

// The rows a bore gets per pitch: the root (a sharp V opposite the bolt's
// sharp crest), then the two ends of the crest's flat.
constexpr int kRowsPerPitch = 3;

// One turn of the bore's profile at the first column, top down.
struct BoreProfile {
  double root_radius;   // the V's tip: the bolt's major radius plus the clearance
  double crest_radius;  // the flat at the minor diameter
  double flank_rise;    // axial distance from the root to either end of the crest
  double top_root_z;    // the first root, at or above the bearing face
  int turns;            // roots down to a pitch below the far face
};

// The bolt's crests lie at -nominal_length + pitch/2 + whole pitches at angle 0; the
// nut's roots go there, counted from the nut's own bearing face.
BoreProfile ProfileFor(const BoltDimensions& dims, const NutThread& thread, double height,
                       double z_offset) {
  const double pitch = dims.pitch;
  BoreProfile bore;
  bore.root_radius = dims.major_dia / 2 + thread.clearance;
  bore.crest_radius = NutMinorDiameter(dims.major_dia, pitch) / 2;
  bore.flank_rise = (bore.root_radius - bore.crest_radius) / kSqrt3;
  const double bolt_crest = -dims.nominal_length + pitch / 2 - z_offset;
  bore.top_root_z = bolt_crest - std::floor(bolt_crest / pitch) * pitch;
  // The last column lies one pitch higher and meets the first three rows on:
  // the first column's last three rows, which meet nothing there, must lie
  // beyond the far face, closed onto its countersink's edge.
  bore.turns = static_cast<int>(std::ceil((bore.top_root_z + height + pitch) / pitch));
  return bore;
}

// Rows that cross a face between two columns would leave slivers too thin
// for an STL file's 32-bit numbers to say which way they face: a vertex this
// close to a face (a fraction of the pitch) is put on it.
constexpr double kFaceSnap = 0.01;

// The hole at one point of a column: the thread's radius where it lies
// between the faces, else the countersink cone where that is wider; rows
// beyond a face close onto the countersink's edge in that face.
void PlaceBoreVertex(MeshVertex& v, double angle, double radius, double z, double height,
                     double edge_radius, double scale, double snap) {
  double r = radius;
  if (z >= -snap) {
    z = 0;
    r = edge_radius;
  } else if (z <= -height + snap) {
    z = -height;
    r = edge_radius;
  } else {
    const double depth = std::min(-z, z + height);
    r = std::max(r, edge_radius - depth);
  }
  v.angle_rad = angle;
  v.radius = r * scale;
  v.x = std::cos(angle) * v.radius;
  v.y = std::sin(angle) * v.radius;
  v.z = z;
}

void ScaleRing(MeshVertex& v, double angle, double radius) {
  v.radius = radius;
  v.x = std::cos(angle) * radius;
  v.y = std::sin(angle) * radius;
}

}  // namespace

double StandardFitClearanceMm(double pitch_mm) { return (15 + 11 * pitch_mm) / 1000 / 2; }

double NutMinorDiameter(double major_dia, double pitch) {
  return major_dia - 2 * (5.0 / 8) * (kSqrt3 / 2) * pitch;
}

int ThreadedNutRowsAtMost(double pitch, double height, int plain_rows) {
  // The top root lies less than a pitch above the bearing face.
  const int turns = static_cast<int>(std::ceil((pitch + height + pitch) / pitch));
  return plain_rows - 2 + kRowsPerPitch * turns;
}

void CutNutThread(const MeshGrid& plain, const BoltDimensions& dims, const NutThread& thread,
                  double height, double z_offset, MeshGrid& out) {
  const int bearing_edge = plain.row_count - 3;
  const BoreProfile bore = ProfileFor(dims, thread, height, z_offset);
  const double pitch = dims.pitch;
  const double segments = static_cast<double>(dims.segments);
  // A circle's chord between two columns falls short of it by 1 - cos(pi/S).
  const double scale = 1 / std::cos(kPi / segments);
  const double edge_radius = dims.major_dia / 2 + pitch / 4;
  const int first_bore_row = bearing_edge + 1;
  const int last_row = bearing_edge + kRowsPerPitch * bore.turns + 1;

  out.column_count = plain.column_count;
  out.row_count = static_cast<std::int16_t>(last_row);
  for (int column = 1; column <= plain.column_count; ++column) {
    for (int row = 1; row <= bearing_edge; ++row) out.at(row, column) = plain.at(row, column);
    const double angle = plain.at(1, column).angle_rad;
    ScaleRing(out.at(1, column), angle, edge_radius * scale);
    ScaleRing(out.at(bearing_edge, column), angle, edge_radius * scale);
    const double rise = static_cast<double>(column - 1) * pitch / segments;
    int row = first_bore_row;
    for (int turn = 0; turn < bore.turns; ++turn) {
      const double root_z = bore.top_root_z - turn * pitch + rise;
      const double rows[kRowsPerPitch][2] = {{bore.root_radius, root_z},
                                             {bore.crest_radius, root_z - bore.flank_rise},
                                             {bore.crest_radius, root_z - pitch + bore.flank_rise}};
      for (const auto& [radius, z] : rows) {
        PlaceBoreVertex(out.at(row++, column), angle, radius, z, height, edge_radius, scale,
                        kFaceSnap * pitch);
      }
    }
    out.at(last_row, column) = out.at(1, column);
    out.at(last_row, column).angle_deg = 0;
  }
}

}  // namespace boltgen
