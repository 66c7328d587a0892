#include "geometry/threads.h"

#include <cmath>

#include <gtest/gtest.h>

#include "geometry/bolt_body.h"
#include "geometry/example_bolt_test.h"

namespace boltgen {
namespace {

constexpr double kTolerance = 1e-12;

// The body alone, and threaded from its shank row to its tip row.
struct Threaded {
  explicit Threaded(const BoltDimensions& d) {
    MakeBoltBody(body, d, true, true);
    MakeBoltBody(grid, d, true, true);
    shank_row = grid.row_count - 2;
    MakeThreads(grid, d);
    tip_row = grid.row_count;
  }
  MeshGrid grid, body;
  int shank_row, tip_row;
};

TEST(ThreadTurns, RoundsToFourDecimalsThenUp) {
  const struct {
    double length, pitch;
    int turns;
  } table[] = {{1.75, 0.1, 18}, {1.2, 0.1, 12}, {12.00004, 1, 12}, {12.0001, 1, 13}, {0.4, 0.1, 4}};
  for (const auto& t : table) EXPECT_EQ(ThreadTurns(t.length, t.pitch), t.turns) << t.length;
  // An absurd count stays above any grid, without overflow.
  EXPECT_GT(ThreadTurns(1e300, 1e-10), 1000);
}

TEST(MakeThreads, TheExampleBolt) {
  const BoltDimensions d = ExampleBolt(36);
  const Threaded t(d);
  EXPECT_EQ(t.tip_row, t.body.row_count + 43);  // T = 18
  const double minor_radius = d.minor_dia / 2;
  for (int j = 1; j <= t.grid.column_count; ++j) {
    EXPECT_EQ(t.grid.at(t.shank_row, j).x, t.body.at(t.shank_row, j).x);
    EXPECT_NEAR(t.grid.at(t.tip_row - 1, j).radius, minor_radius - 0.05, kTolerance);
    EXPECT_EQ(t.grid.at(t.tip_row - 1, j).z, -3);
    EXPECT_EQ(t.grid.at(t.tip_row - 2, j).radius, minor_radius);
    EXPECT_NEAR(t.grid.at(t.tip_row - 2, j).z, -2.95, kTolerance);
    EXPECT_TRUE(t.grid.at(t.tip_row, j).x == 0 && t.grid.at(t.tip_row, j).y == 0 &&
                t.grid.at(t.tip_row, j).z == -3);
    for (int row = 1; row < t.shank_row; ++row) EXPECT_EQ(t.grid.at(row, j).x, t.body.at(row, j).x);
  }
  // The lead-in starts at the root, its first column's three rows on one
  // height.
  const double p = d.half_pitch;
  for (int row : {t.tip_row - 3, t.tip_row - 4, t.tip_row - 5}) {
    EXPECT_NEAR(t.grid.at(row, 1).z, -d.nominal_length + p + p / d.segments, kTolerance);
  }
  EXPECT_EQ(t.grid.at(t.tip_row - 4, 2).radius, minor_radius);
  EXPECT_GT(t.grid.at(t.tip_row - 4, 3).radius, minor_radius);
}

}  // namespace
}  // namespace boltgen
