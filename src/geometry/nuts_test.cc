#include "geometry/nuts.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "geometry/bolt_body.h"
#include "geometry/example_bolt_test.h"

namespace boltgen {
namespace {

// Inch nuts keep the fixed offsets; taller nuts are spaced by the next whole
// number above their height, so that they clear the head and each other.
TEST(NutOffsetsFor, FixedUpToThreeThenTheNextWholeNumberAboveTheHeight) {
  const struct {
    double height;
    NutOffsets offsets;
  } table[] = {{0.5, {2, 3, 4, 5}},     {0.89, {2, 3, 4, 5}},     {0.9, {4, 6, 8, 10}},
               {1.89, {4, 6, 8, 10}},   {1.9, {6, 9, 12, 15}},    {3, {6, 9, 12, 15}},
               {3.01, {8, 12, 16, 20}}, {10.8, {22, 33, 44, 55}}, {11, {24, 36, 48, 60}}};
  for (const auto& t : table) EXPECT_EQ(NutOffsetsFor(t.height), t.offsets) << t.height;
}

struct WrittenNut {
  std::string name;
  double offset;
  int rows;
  std::vector<MeshVertex> column1;  // rows 1..rows
  std::vector<MeshVertex> corner;   // the column at 30 degrees
};

struct NutRun {
  MeshGrid body;
  std::vector<WrittenNut> nuts;
  NutOffsets offsets{};
};

std::vector<MeshVertex> Column(const MeshGrid& grid, int column) {
  std::vector<MeshVertex> rows;
  for (int row = 1; row <= grid.RowCount; ++row) rows.push_back(grid.at(row, column));
  return rows;
}

void RunNuts(NutRun& run, const BoltDimensions& d) {
  MakeBoltBody(run.body, d, true, true);
  MeshGrid grid;
  MakeBoltBody(grid, d, true, true);
  const int corner = d.Segments / 12 + 1;
  MakeNuts(grid, d, run.offsets, [&](std::string_view name, double offset) {
    run.nuts.push_back({std::string(name), offset, grid.RowCount, Column(grid, 1),
                        Column(grid, corner)});
  });
}

// The rows of a nut of height H, column by column: what the body left for the
// hexagon (radius, and drop below the head's top) and the fixed rings.
void ExpectNutRows(const WrittenNut& nut, const MeshGrid& body, int column,
                   const std::vector<MeshVertex>& rows, const BoltDimensions& d, double H) {
  SCOPED_TRACE(nut.name);
  const bool washer_face = nut.rows == 10;
  const double rB = d.MajorDia / 2 + d.Pitch / 4, rM = d.MajorDia / 2, rW = d.WshFaceDia / 2;
  const double hex = body.at(3, column).Radius;
  const double drop = d.HghtHex - body.at(3, column).Z;
  std::vector<std::pair<double, double>> want = {{rB, -H}, {rW, -H}, {hex, -H + drop}};
  if (washer_face) {
    want.insert(want.end(), {{hex, -d.HghtWshFace}, {rW, -d.HghtWshFace}, {rW, 0}});
  } else {
    want.insert(want.end(), {{hex, -drop}, {rW, 0}});
  }
  want.insert(want.end(), {{rB, 0}, {rM, -d.Pitch / 4}, {rM, -H + d.Pitch / 4}, {rB, -H}});
  ASSERT_EQ(rows.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_NEAR(rows[i].Radius, want[i].first, 1e-12) << "row " << i + 1;
    EXPECT_NEAR(rows[i].Z, want[i].second, 1e-12) << "row " << i + 1;
    const double angle = body.at(1, column).AngleRad;
    EXPECT_NEAR(rows[i].X, std::cos(angle) * rows[i].Radius, 1e-12);
  }
  EXPECT_EQ(rows.front().Z, rows.back().Z);
  EXPECT_EQ(rows.front().X, rows.back().X);
}

TEST(MakeNuts, FourNutsInOrderAtTheirOffsetsRowByRow) {
  const BoltDimensions d = ExampleBolt(24);
  NutRun run;
  RunNuts(run, d);
  ASSERT_EQ(run.nuts.size(), 4u);
  EXPECT_EQ(run.offsets, (NutOffsets{2, 3, 4, 5}));
  const struct {
    const char* name;
    double offset, height;
    int rows;
  } want[] = {{"Washer Face Standard Nut", 2, d.HghtNut, 10},
              {"Washer Face Jam Nut", 3, d.HghtNutJam, 10},
              {"Plain Face Jam Nut", 5, d.HghtNutJam, 9},
              {"Plain Face Standard Nut", 4, d.HghtNut, 9}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(run.nuts[i].name, want[i].name);
    EXPECT_EQ(run.nuts[i].offset, want[i].offset);
    EXPECT_EQ(run.nuts[i].rows, want[i].rows);
    ExpectNutRows(run.nuts[i], run.body, 1, run.nuts[i].column1, d, want[i].height);
    ExpectNutRows(run.nuts[i], run.body, d.Segments / 12 + 1, run.nuts[i].corner, d, want[i].height);
  }
  // The washer face rows are the body's own, bit for bit.
  for (int row = 4; row <= 6; ++row) {
    EXPECT_EQ(run.nuts[0].corner[row - 1].X, run.body.at(row, d.Segments / 12 + 1).X);
    EXPECT_EQ(run.nuts[0].corner[row - 1].Z, -run.body.at(row, d.Segments / 12 + 1).Z);
  }
}

TEST(MakeNuts, ASizeWithoutWasherFaceHeightStillGivesClosedNuts) {
  BoltDimensions d = ExampleBolt(36);
  d.HghtWshFace = 0;
  NutRun run;
  RunNuts(run, d);
  ASSERT_EQ(run.body.RowCount, 13);  // the body left the washer face out
  ASSERT_EQ(run.nuts.size(), 4u);
  ExpectNutRows(run.nuts[0], run.body, 1, run.nuts[0].column1, d, d.HghtNut);
  ExpectNutRows(run.nuts[3], run.body, 1, run.nuts[3].column1, d, d.HghtNut);
}

}  // namespace
}  // namespace boltgen
