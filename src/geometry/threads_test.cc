#include "geometry/threads.h"

#include <cmath>

#include <gtest/gtest.h>

#include "geometry/bolt_body.h"
#include "geometry/example_bolt_test.h"

namespace boltgen {
namespace {

constexpr double kTolerance = 1e-12;

struct Threaded {
  MeshGrid grid;
  MeshGrid body;
  int B = 0;
  int N = 0;
};

void Thread(Threaded& t, const BoltDimensions& d) {
  MakeBoltBody(t.body, d, true, true);
  MakeBoltBody(t.grid, d, true, true);
  t.B = t.grid.RowCount - 2;
  MakeThreads(t.grid, d);
  t.N = t.grid.RowCount;
}

TEST(ThreadTurns, RoundsToFourDecimalsThenUp) {
  const struct {
    double length, pitch;
    int turns;
  } table[] = {{1.75, 0.1, 18}, {1.2, 0.1, 12}, {12.00004, 1, 12}, {12.0001, 1, 13}, {0.4, 0.1, 4}};
  for (const auto& t : table) EXPECT_EQ(ThreadTurns(t.length, t.pitch), t.turns) << t.length;
}

TEST(ThreadTurns, AnAbsurdCountStaysAboveAnyGridWithoutOverflow) {
  EXPECT_GT(ThreadTurns(1e300, 1e-10), 1000);
  EXPECT_GT(ThreadTurns(1, 0), 1000);
}

TEST(MakeThreads, TheExampleBolt) {
  const BoltDimensions d = ExampleBolt(36);
  Threaded t;
  Thread(t, d);
  EXPECT_EQ(t.N, t.body.RowCount + 43);  // T = 18
  const double rMin = d.MinorDia / 2;
  for (int j = 1; j <= t.grid.ColumnCount; ++j) {
    EXPECT_NEAR(t.grid.at(t.B, j).Z, -1.05, kTolerance);
    EXPECT_EQ(t.grid.at(t.B, j).Radius, t.body.at(t.B, j).Radius);
    EXPECT_EQ(t.grid.at(t.B, j).X, t.body.at(t.B, j).X);
    EXPECT_NEAR(t.grid.at(t.N - 1, j).Radius, rMin - 0.05, kTolerance);
    EXPECT_EQ(t.grid.at(t.N - 1, j).Z, -3);
    EXPECT_EQ(t.grid.at(t.N - 2, j).Radius, rMin);
    EXPECT_NEAR(t.grid.at(t.N - 2, j).Z, -2.95, kTolerance);
    const MeshVertex& tip = t.grid.at(t.N, j);
    EXPECT_EQ(tip.X, 0);
    EXPECT_EQ(tip.Y, 0);
    EXPECT_EQ(tip.Z, -3);
    for (int row = 1; row < t.B; ++row) {
      EXPECT_EQ(t.grid.at(row, j).Z, t.body.at(row, j).Z);
      EXPECT_EQ(t.grid.at(row, j).Radius, t.body.at(row, j).Radius);
    }
  }
}

TEST(MakeThreads, TheHelixRisesTwoRowsPerRevolution) {
  for (std::int16_t segments : {24, 36, 240}) {
    const BoltDimensions d = ExampleBolt(segments);
    Threaded t;
    Thread(t, d);
    const int last = t.grid.ColumnCount;
    for (int r = t.B + 9; r <= t.N - 7; ++r) {
      EXPECT_NEAR(t.grid.at(r, last).Z, t.grid.at(r - 2, 1).Z, kTolerance) << r;
      EXPECT_EQ(t.grid.at(r, last).Radius, t.grid.at(r - 2, 1).Radius) << r;
    }
    // The lead-in crest ends on the first regular crest.
    EXPECT_NEAR(t.grid.at(t.N - 4, last).Z, t.grid.at(t.N - 7, 1).Z, kTolerance);
    EXPECT_NEAR(t.grid.at(t.N - 4, last).Radius, d.MajorDia / 2, kTolerance);
  }
}

TEST(MakeThreads, TheShortestThreadKeepsFourRegularRows) {
  BoltDimensions d = ExampleBolt(36);
  d.ThreadLength = 0.4;
  Threaded t;
  Thread(t, d);
  EXPECT_EQ(t.N, t.B + 17);
  for (int j = 1; j <= t.grid.ColumnCount; ++j) {
    EXPECT_EQ(t.grid.at(t.B + 7, j).Radius, d.MinorDia / 2);
    EXPECT_EQ(t.grid.at(t.B + 8, j).Radius, d.MajorDia / 2);
    EXPECT_EQ(t.grid.at(t.B + 9, j).Radius, d.MinorDia / 2);
    EXPECT_EQ(t.grid.at(t.B + 10, j).Radius, d.MajorDia / 2);
  }
}

TEST(MakeThreads, LeadInStartsAtTheRootAndRunOutEndsFlushWithTheShank) {
  const BoltDimensions d = ExampleBolt(36);
  Threaded t;
  Thread(t, d);
  const double p = d.HalfPitch;
  for (int row : {t.N - 3, t.N - 4, t.N - 5}) {
    EXPECT_NEAR(t.grid.at(row, 1).Z, -d.NomLength + p + p / d.Segments, kTolerance);
    EXPECT_GT(t.grid.at(row, 1).Z, t.grid.at(t.N - 2, 1).Z);
  }
  EXPECT_EQ(t.grid.at(t.N - 4, 2).Radius, d.MinorDia / 2);
  EXPECT_GT(t.grid.at(t.N - 4, 3).Radius, d.MinorDia / 2);

  const int last = t.grid.ColumnCount;
  const double top = -d.NomLength + (18 + 1.5) * d.Pitch;
  for (int row = t.B; row <= t.B + 3; ++row) {
    EXPECT_NEAR(t.grid.at(row, last).Z, top, kTolerance);
    if (row > t.B) {
      EXPECT_NEAR(t.grid.at(row, last).Radius, d.MajorDia / 2, kTolerance);
    }
  }
  // After one turn the lower root has climbed a quarter of the depth.
  const double depth = (d.MajorDia - d.MinorDia) / 2;
  EXPECT_NEAR(t.grid.at(t.B + 6, last).Radius, d.MinorDia / 2 + depth / 4, 1e-9);
}

}  // namespace
}  // namespace boltgen
