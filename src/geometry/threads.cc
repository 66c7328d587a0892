#include "geometry/threads.h"

#include <cmath>
#include <string>

#include "base/number_format.h"
#include "config/leading_number.h"

namespace boltgen {
namespace {

// Far more turns than any grid holds; a larger count only has to be refused,
// so it is capped instead of overflowing an int.
constexpr int kTurnsCap = 1000000;

// Writes one thread vertex at the column's angle.
void SetVertex(MeshVertex& v, double angle, double radius, double z) {
  v.angle_rad = angle;
  v.radius = radius;
  v.x = std::cos(angle) * v.radius;
  v.y = std::sin(angle) * v.radius;
  v.z = z;
}

struct ThreadValues {
  double length, pitch, half_pitch, segments, major_radius, minor_radius, depth_step, rise_step;
  double column_count;
  int shank_row;  // the shank's lowest ring, moved to the top of the thread
  int tip_row;    // the point's centre, the part's last row
};

// The point, the lead-in turn and the regular thread of `column`; returns
// the running height where the regular thread ended.
double WritePointAndRegularThread(MeshGrid& grid, const BoltDimensions& dims,
                                  const ThreadValues& thread, int column, double angle) {
  // column_step: the column's steps around from the first one; the helix
  // rises pitch / segments a step.
  const double length = thread.length, pitch = thread.pitch, half_pitch = thread.half_pitch,
               segments = thread.segments, column_step = static_cast<double>(column - 1);
  const int tip_row = thread.tip_row;

  MeshVertex& tip = grid.at(tip_row, column);
  SetVertex(tip, angle, 0, -length);
  tip.x = 0;
  tip.y = 0;
  SetVertex(grid.at(tip_row - 1, column), angle, thread.minor_radius - half_pitch, -length);
  SetVertex(grid.at(tip_row - 2, column), angle, thread.minor_radius, -length + half_pitch);

  const double first_column_z = (-length + half_pitch) + half_pitch / segments;
  SetVertex(grid.at(tip_row - 3, column), angle, thread.minor_radius,
            column == 1 ? first_column_z
                        : (half_pitch / segments) * column_step + (-length + half_pitch));
  const double lead_in_radius =
      column == 2 ? thread.minor_radius
                  : ((dims.major_dia - dims.minor_dia) * 0.5 / segments) * column_step +
                        thread.minor_radius;
  SetVertex(
      grid.at(tip_row - 4, column), angle, lead_in_radius,
      column == 1 ? first_column_z : (pitch / segments) * column_step + (-length + half_pitch));
  SetVertex(grid.at(tip_row - 5, column), angle, thread.minor_radius,
            column == 1 ? first_column_z
                        : ((half_pitch * 3) / segments) * column_step + (-length + half_pitch));
  SetVertex(grid.at(tip_row - 6, column), angle, thread.minor_radius,
            (pitch / segments) * column_step + (-length + pitch));

  // The height is accumulated, not recomputed: the scripts depend on the rounding of
  // the repeated additions.
  double height = -length + pitch;
  int row = tip_row - 6;
  while (row > thread.shank_row + 6) {
    --row;
    height = height + half_pitch;
    SetVertex(grid.at(row, column), angle, thread.major_radius,
              height + (column_step * pitch) / segments);
    --row;
    height = height + half_pitch;
    SetVertex(grid.at(row, column), angle, thread.minor_radius,
              height + (column_step * pitch) / segments);
  }
  return height;
}

// The two run-out turns of `column`, where both roots climb to the crest,
// and the shank's lowest ring moved to the top of the thread.
void WriteRunOut(MeshGrid& grid, const ThreadValues& thread, int column, double angle,
                 double height) {
  const double pitch = thread.pitch, half_pitch = thread.half_pitch, segments = thread.segments,
               column_step = static_cast<double>(column - 1);
  const double column_number = static_cast<double>(column);
  const int shank_row = thread.shank_row;

  height = height - half_pitch;
  double crest_z = height + (column_step * pitch) / segments;
  SetVertex(grid.at(shank_row + 5, column), angle, thread.major_radius, crest_z);
  SetVertex(grid.at(shank_row + 4, column), angle,
            thread.minor_radius + column_step * thread.depth_step,
            (crest_z + half_pitch) - column_step * thread.rise_step);
  const double first_share = column_number / (thread.column_count * 2);
  SetVertex(grid.at(shank_row + 6, column), angle,
            thread.minor_radius + (column_step * thread.depth_step) * first_share,
            (crest_z - half_pitch) + column_step * thread.rise_step);

  height = height + pitch;
  crest_z = height + (column_step * pitch) / segments;
  SetVertex(grid.at(shank_row + 2, column), angle, thread.major_radius, crest_z);
  const double next_turn_step = column_step + segments;
  SetVertex(grid.at(shank_row + 1, column), angle,
            thread.minor_radius + next_turn_step * thread.depth_step,
            (crest_z + half_pitch) - next_turn_step * thread.rise_step);
  const double second_share = (thread.column_count + column_number) / (thread.column_count * 2);
  SetVertex(grid.at(shank_row + 3, column), angle,
            thread.minor_radius + (next_turn_step * thread.depth_step) * second_share,
            (crest_z - half_pitch) + next_turn_step * thread.rise_step);

  height = height + pitch;
  grid.at(shank_row, column).z = height;
}

}  // namespace

int ThreadTurns(double thread_length, double pitch) {
  const std::string text = FormatNumber(thread_length / pitch, "0000.0000");
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return kTurnsCap;  // not finite
  const double whole = LeadingNumber(std::string_view(text).substr(0, point));
  if (!(std::fabs(whole) < kTurnsCap)) return whole < 0 ? -kTurnsCap : kTurnsCap;
  int turns = static_cast<int>(whole);
  if (text.find_first_not_of('0', point + 1) != std::string::npos) ++turns;
  return turns;
}

void MakeThreads(MeshGrid& grid, const BoltDimensions& dims) {
  const int turns = ThreadTurns(dims.thread_length, dims.pitch);
  ThreadValues thread;
  thread.length = dims.nominal_length;
  thread.pitch = dims.pitch;
  thread.half_pitch = dims.half_pitch;
  thread.segments = static_cast<double>(dims.segments);
  thread.major_radius = dims.major_dia / 2;
  thread.minor_radius = dims.minor_dia / 2;
  const double depth = (dims.major_dia - dims.minor_dia) / 2;
  const double twice_segments = static_cast<double>(dims.segments * 2);
  thread.depth_step = depth / twice_segments;
  thread.rise_step = thread.half_pitch / twice_segments;
  thread.column_count = static_cast<double>(grid.column_count);
  thread.shank_row = grid.row_count - 2;
  thread.tip_row = thread.shank_row + 2 * turns + 9;
  grid.row_count = static_cast<std::int16_t>(thread.tip_row);

  for (int column = 1; column <= grid.column_count; ++column) {
    const double angle = grid.at(1, column).angle_rad;
    const double height = WritePointAndRegularThread(grid, dims, thread, column, angle);
    WriteRunOut(grid, thread, column, angle, height);
  }
}

}  // namespace boltgen
