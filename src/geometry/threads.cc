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
  v.AngleRad = angle;
  v.Radius = radius;
  v.X = std::cos(angle) * v.Radius;
  v.Y = std::sin(angle) * v.Radius;
  v.Z = z;
}

struct ThreadValues {
  double L, P, p, S, rMaj, rMin, depth_step, rise_step;
  double column_count;
  int B, N;
};

// The point, the lead-in turn and the regular thread of column `j`; returns
// the running height H where the regular thread ended.
double WritePointAndRegularThread(MeshGrid& grid, const BoltDimensions& dims,
                                  const ThreadValues& t, int j, double a) {
  const double L = t.L, P = t.P, p = t.p, S = t.S, s = static_cast<double>(j - 1);
  const int N = t.N;

  MeshVertex& tip = grid.at(N, j);
  SetVertex(tip, a, 0, -L);
  tip.X = 0;
  tip.Y = 0;
  SetVertex(grid.at(N - 1, j), a, t.rMin - p, -L);
  SetVertex(grid.at(N - 2, j), a, t.rMin, -L + p);

  const double first_column_z = (-L + p) + p / S;
  SetVertex(grid.at(N - 3, j), a, t.rMin, j == 1 ? first_column_z : (p / S) * s + (-L + p));
  const double lead_in_radius =
      j == 2 ? t.rMin : ((dims.MajorDia - dims.MinorDia) * 0.5 / S) * s + t.rMin;
  SetVertex(grid.at(N - 4, j), a, lead_in_radius,
            j == 1 ? first_column_z : (P / S) * s + (-L + p));
  SetVertex(grid.at(N - 5, j), a, t.rMin,
            j == 1 ? first_column_z : ((p * 3) / S) * s + (-L + p));
  SetVertex(grid.at(N - 6, j), a, t.rMin, (P / S) * s + (-L + P));

  // H is accumulated, not recomputed: the scripts depend on the rounding of
  // the repeated additions.
  double H = -L + P;
  int row = N - 6;
  while (row > t.B + 6) {
    --row;
    H = H + p;
    SetVertex(grid.at(row, j), a, t.rMaj, H + (s * P) / S);
    --row;
    H = H + p;
    SetVertex(grid.at(row, j), a, t.rMin, H + (s * P) / S);
  }
  return H;
}

// The two run-out turns of column `j`, where both roots climb to the crest,
// and the shank's lowest ring moved to the top of the thread.
void WriteRunOut(MeshGrid& grid, const ThreadValues& t, int j, double a, double H) {
  const double P = t.P, p = t.p, S = t.S, s = static_cast<double>(j - 1);
  const double jd = static_cast<double>(j);
  const int B = t.B;

  H = H - p;
  double V = H + (s * P) / S;
  SetVertex(grid.at(B + 5, j), a, t.rMaj, V);
  SetVertex(grid.at(B + 4, j), a, t.rMin + s * t.depth_step, (V + p) - s * t.rise_step);
  const double F1 = jd / (t.column_count * 2);
  SetVertex(grid.at(B + 6, j), a, t.rMin + (s * t.depth_step) * F1,
            (V - p) + s * t.rise_step);

  H = H + P;
  V = H + (s * P) / S;
  SetVertex(grid.at(B + 2, j), a, t.rMaj, V);
  const double u = s + S;
  SetVertex(grid.at(B + 1, j), a, t.rMin + u * t.depth_step, (V + p) - u * t.rise_step);
  const double F2 = (t.column_count + jd) / (t.column_count * 2);
  SetVertex(grid.at(B + 3, j), a, t.rMin + (u * t.depth_step) * F2,
            (V - p) + u * t.rise_step);

  H = H + P;
  grid.at(B, j).Z = H;
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
  const int turns = ThreadTurns(dims.ThreadLength, dims.Pitch);
  ThreadValues t;
  t.L = dims.NomLength;
  t.P = dims.Pitch;
  t.p = dims.HalfPitch;
  t.S = static_cast<double>(dims.Segments);
  t.rMaj = dims.MajorDia / 2;
  t.rMin = dims.MinorDia / 2;
  const double depth = (dims.MajorDia - dims.MinorDia) / 2;
  const double twice_segments = static_cast<double>(dims.Segments * 2);
  t.depth_step = depth / twice_segments;
  t.rise_step = t.p / twice_segments;
  t.column_count = static_cast<double>(grid.ColumnCount);
  t.B = grid.RowCount - 2;
  t.N = t.B + 2 * turns + 9;
  grid.RowCount = static_cast<std::int16_t>(t.N);

  for (int j = 1; j <= grid.ColumnCount; ++j) {
    const double a = grid.at(1, j).AngleRad;
    const double H = WritePointAndRegularThread(grid, dims, t, j, a);
    WriteRunOut(grid, t, j, a, H);
  }
}

}  // namespace boltgen
