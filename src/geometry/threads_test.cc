#include "geometry/threads.h"

#include <cmath>

#include <gtest/gtest.h>

#include "geometry/bolt_body.h"
#include "geometry/example_bolt_test.h"

namespace boltgen {
namespace {

constexpr double kTolerance = 1e-12;

// The body alone, and threaded from its row B to row N.
struct Threaded {
  explicit Threaded(const BoltDimensions& d) {
    MakeBoltBody(body, d, true, true);
    MakeBoltBody(grid, d, true, true);
    B = grid.row_count - 2;
    MakeThreads(grid, d);
    N = grid.row_count;
  }
  MeshGrid grid, body;
  int B, N;
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
  EXPECT_EQ(t.N, t.body.row_count + 43);  // T = 18
  const double rMin = d.minor_dia / 2;
  for (int j = 1; j <= t.grid.column_count; ++j) {
    EXPECT_EQ(t.grid.at(t.B, j).x, t.body.at(t.B, j).x);
    EXPECT_NEAR(t.grid.at(t.N - 1, j).radius, rMin - 0.05, kTolerance);
    EXPECT_EQ(t.grid.at(t.N - 1, j).z, -3);
    EXPECT_EQ(t.grid.at(t.N - 2, j).radius, rMin);
    EXPECT_NEAR(t.grid.at(t.N - 2, j).z, -2.95, kTolerance);
    EXPECT_TRUE(t.grid.at(t.N, j).x == 0 && t.grid.at(t.N, j).y == 0 && t.grid.at(t.N, j).z == -3);
    for (int row = 1; row < t.B; ++row) EXPECT_EQ(t.grid.at(row, j).x, t.body.at(row, j).x);
  }
  // The lead-in starts at the root, its first column's three rows on one
  // height.
  const double p = d.half_pitch;
  for (int row : {t.N - 3, t.N - 4, t.N - 5}) {
    EXPECT_NEAR(t.grid.at(row, 1).z, -d.nominal_length + p + p / d.segments, kTolerance);
  }
  EXPECT_EQ(t.grid.at(t.N - 4, 2).radius, rMin);
  EXPECT_GT(t.grid.at(t.N - 4, 3).radius, rMin);
}

}  // namespace
}  // namespace boltgen
