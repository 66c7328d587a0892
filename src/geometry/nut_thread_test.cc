#include "geometry/nut_thread.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "geometry/bolt_body.h"
#include "geometry/example_bolt_test.h"
#include "geometry/nuts.h"
#include "geometry/threads.h"
#include "mesh/grid_copy.h"
#include "mesh/grid_triangulation.h"

namespace boltgen {
namespace {

// ISO 965-1 lists the 6g fundamental deviation es rounded to whole
// micrometres; the clearance is half of it, on the radius.
TEST(StandardFitClearanceMm, HalfOfTheTabulated6gDeviation) {
  const struct {
    double pitch_mm, es_um;
  } table[] = {{0.5, 20}, {0.8, 24}, {1, 26}, {1.25, 28}, {1.5, 32}, {2, 38}, {3, 48}, {4, 60}};
  for (const auto& t : table) {
    // The tables round to the micrometre, not always to the nearest.
    EXPECT_NEAR(StandardFitClearanceMm(t.pitch_mm), t.es_um / 2000, 0.001 / 2 + 1e-12) << t.pitch_mm;
  }
}

// ISO 68-1 gives D1 = D - 1.0825 P; M10 x 1.5 has D1 = 8.376.
TEST(NutMinorDiameter, TheBasicInternalMinorDiameter) {
  EXPECT_NEAR(NutMinorDiameter(10, 1.5), 8.376, 0.0005);
  EXPECT_NEAR(NutMinorDiameter(0.75, 0.1), 0.75 - 0.10825, 0.00001);
}

// The bolt, threaded, and its four nuts each cut with `clearance`.
struct Pair {
  explicit Pair(const BoltDimensions& d) : dims(d) {}
  BoltDimensions dims;
  MeshGrid bolt;
  std::vector<GridCopy> nuts;
  std::vector<double> offsets;
};

void Build(Pair& pair, double clearance) {
  MeshGrid& grid = pair.bolt;
  MakeBoltBody(grid, pair.dims, true, true);
  MakeThreads(grid, pair.dims);
  MeshGrid work;
  // The nuts are derived from the head rows; the bolt stays in `grid`.
  for (int row = 1; row <= grid.row_count; ++row) {
    for (int col = 1; col <= grid.column_count; ++col) work.at(row, col) = grid.at(row, col);
  }
  work.row_count = grid.row_count;
  work.column_count = grid.column_count;
  const NutThread thread{clearance};
  MakeNuts(work, pair.dims, [&](const MeshGrid& nut, const NutKind&, double z_offset) {
    pair.nuts.emplace_back(nut);
    pair.offsets.push_back(z_offset);
  }, &thread);
}

// The bolt's lowest regular crest at a column.
double BoltCrestZ(const MeshGrid& bolt, int col) { return bolt.at(bolt.row_count - 7, col).z; }

// The bolt's surface radius at a height on column `col`, from its own crest
// there: the sharp V of depth sqrt(3)/2 P.
double BoltRadius(const MeshGrid& bolt, const BoltDimensions& d, int col, double z) {
  const double crest = BoltCrestZ(bolt, col);
  double off = std::fmod(z - crest, d.pitch);
  if (off < 0) off += d.pitch;
  const double dist = std::min(off, d.pitch - off);
  return d.major_dia / 2 - std::sqrt(3.0) * dist;
}

// The nut moved down by whole pitches onto the bolt's regular thread: at
// every column and every bore vertex away from the faces, the hole lies
// outside the bolt by the clearance along the radius, and as close as that
// at the roots.
void ExpectNutOnBolt(const Pair& pair, const GridCopy& nut, double z_offset, double clearance) {
  const BoltDimensions& d = pair.dims;
  const double pitch = d.pitch;
  const double scale = 1 / std::cos(kPi / d.segments);
  const double nut_bottom = z_offset - d.HghtNut;
  const double target = BoltCrestZ(pair.bolt, 1) + 2 * pitch;  // a crest above the lowest
  const double shift = std::round((nut_bottom - target) / pitch) * pitch;
  double smallest = std::numeric_limits<double>::infinity();
  int checked = 0;
  for (int col = 1; col <= nut.columns(); ++col) {
    for (int row = 1; row <= nut.rows(); ++row) {
      const GridPoint& v = nut.at(row, col);
      const double local = v.z;
      // Away from the countersinks: the thread alone.
      if (local > -pitch || local < -(z_offset - nut_bottom) + pitch) continue;
      const double r = std::hypot(v.x, v.y) / scale;
      if (r > (d.major_dia / 2 + pitch / 4) * (1 + 1e-12)) continue;  // not a bore row
      const double z = z_offset + local - shift;
      const double gap = r - BoltRadius(pair.bolt, d, col, z);
      ++checked;
      smallest = std::min(smallest, gap);
      ASSERT_GE(gap, clearance - 1e-9) << "row " << row << " column " << col << " z " << z;
    }
  }
  EXPECT_GT(checked, nut.columns() * 3);
  EXPECT_NEAR(smallest, clearance, 1e-9);
}

class NutOnBolt : public ::testing::TestWithParam<int> {};

TEST_P(NutOnBolt, EveryNutScrewsOntoTheBoltWithItsClearance) {
  for (double clearance : {0.0, 0.002, 0.1 / 4}) {
    Pair pair(ExampleBolt(static_cast<std::int16_t>(GetParam())));
    Build(pair, clearance);
    ASSERT_EQ(pair.nuts.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
      SCOPED_TRACE(testing::Message() << "nut " << i << " clearance " << clearance);
      ExpectNutOnBolt(pair, pair.nuts[i], pair.offsets[i], clearance);
    }
  }
}

// Welded, every nut is one closed surface, its seam stitched by the rows
// lying one pitch apart, whatever the clearance.
TEST_P(NutOnBolt, EveryNutIsOneClosedSurface) {
  for (double clearance : {0.0, 0.002, 0.1 / 4}) {
    Pair pair(ExampleBolt(static_cast<std::int16_t>(GetParam())));
    Build(pair, clearance);
    for (const GridCopy& nut : pair.nuts) {
      const TriangleMesh mesh = TriangulateGrid(nut);
      const EdgeReport edges = CheckEdges(mesh);
      EXPECT_TRUE(edges.IsClosedManifold())
          << "open " << edges.open_edges << " non-manifold " << edges.non_manifold_edges
          << " misoriented " << edges.misoriented_edges << " clearance " << clearance;
      EXPECT_EQ(CountShells(mesh), 1u);
      EXPECT_GT(SignedVolume(mesh), 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Segments, NutOnBolt, ::testing::Values(24, 36, 240));

}  // namespace
}  // namespace boltgen
