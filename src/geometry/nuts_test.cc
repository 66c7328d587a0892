#include "geometry/nuts.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "geometry/bolt_body.h"
#include "geometry/example_bolt_test.h"

namespace boltgen {
namespace {

TEST(NutOffsetsFor, InchNutsKeepTheFixedOffsets) {
  EXPECT_EQ(NutOffsetsFor(0.5), (NutOffsets{2, 3, 4, 5}));
  EXPECT_EQ(NutOffsetsFor(0.89), (NutOffsets{2, 3, 4, 5}));
  EXPECT_EQ(NutOffsetsFor(0.9), (NutOffsets{4, 6, 8, 10}));
  EXPECT_EQ(NutOffsetsFor(1.89), (NutOffsets{4, 6, 8, 10}));
  EXPECT_EQ(NutOffsetsFor(1.9), (NutOffsets{6, 9, 12, 15}));
  EXPECT_EQ(NutOffsetsFor(3), (NutOffsets{6, 9, 12, 15}));
}

TEST(NutOffsetsFor, TallerNutsAreSpacedByTheNextWholeNumberAboveTheirHeight) {
  EXPECT_EQ(NutOffsetsFor(3.01), (NutOffsets{8, 12, 16, 20}));
  EXPECT_EQ(NutOffsetsFor(10.8), (NutOffsets{22, 33, 44, 55}));
  EXPECT_EQ(NutOffsetsFor(11), (NutOffsets{24, 36, 48, 60}));
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

TEST(MakeNuts, WritesTheFourNutsInOrderAtTheirOffsets) {
  NutRun run;
  RunNuts(run, ExampleBolt(24));
  ASSERT_EQ(run.nuts.size(), 4u);
  EXPECT_EQ(run.offsets, (NutOffsets{2, 3, 4, 5}));
  EXPECT_EQ(run.nuts[0].name, "Washer Face Standard Nut");
  EXPECT_EQ(run.nuts[1].name, "Washer Face Jam Nut");
  EXPECT_EQ(run.nuts[2].name, "Plain Face Jam Nut");
  EXPECT_EQ(run.nuts[3].name, "Plain Face Standard Nut");
  EXPECT_EQ(run.nuts[0].offset, 2);
  EXPECT_EQ(run.nuts[1].offset, 3);
  EXPECT_EQ(run.nuts[2].offset, 5);
  EXPECT_EQ(run.nuts[3].offset, 4);
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

TEST(MakeNuts, RowsOfEachNut) {
  const BoltDimensions d = ExampleBolt(24);
  NutRun run;
  RunNuts(run, d);
  ASSERT_EQ(run.nuts.size(), 4u);
  const double heights[] = {d.HghtNut, d.HghtNutJam, d.HghtNutJam, d.HghtNut};
  const int rows[] = {10, 10, 9, 9};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(run.nuts[i].rows, rows[i]);
    ExpectNutRows(run.nuts[i], run.body, 1, run.nuts[i].column1, d, heights[i]);
    ExpectNutRows(run.nuts[i], run.body, d.Segments / 12 + 1, run.nuts[i].corner, d, heights[i]);
  }
  // The washer face rows are the body's own, bit for bit.
  for (int row = 4; row <= 6; ++row) {
    EXPECT_EQ(run.nuts[0].corner[row - 1].X, run.body.at(row, d.Segments / 12 + 1).X);
    EXPECT_EQ(run.nuts[0].corner[row - 1].Z, -run.body.at(row, d.Segments / 12 + 1).Z);
  }
}

TEST(MakeNuts, EqualHeightsMakeTheJamNutsEqualToTheStandardNuts) {
  BoltDimensions d = ExampleBolt(72);
  d.HghtNutJam = d.HghtNut;
  NutRun run;
  RunNuts(run, d);
  ASSERT_EQ(run.nuts.size(), 4u);
  for (auto [jam, standard] : {std::pair{1, 0}, std::pair{2, 3}}) {
    for (std::size_t row = 0; row < run.nuts[jam].corner.size(); ++row) {
      EXPECT_EQ(run.nuts[jam].corner[row].Z, run.nuts[standard].corner[row].Z);
      EXPECT_EQ(run.nuts[jam].corner[row].X, run.nuts[standard].corner[row].X);
    }
  }
}

TEST(MakeNuts, ASizeWithoutWasherFaceHeightStillGivesClosedNuts) {
  BoltDimensions d = ExampleBolt(36);
  d.HghtWshFace = 0;
  NutRun run;
  RunNuts(run, d);
  ASSERT_EQ(run.body.RowCount, 13);  // the body left the washer face out
  ASSERT_EQ(run.nuts.size(), 4u);
  const std::vector<MeshVertex>& nut = run.nuts[0].column1;
  EXPECT_EQ(nut[3].Radius, run.body.at(3, 1).Radius);
  EXPECT_EQ(nut[3].Z, 0);
  EXPECT_EQ(nut[4].Radius, d.WshFaceDia / 2);
  EXPECT_EQ(nut[4].Z, 0);
  EXPECT_EQ(nut[5].Radius, d.WshFaceDia / 2);
  ExpectNutRows(run.nuts[0], run.body, 1, nut, d, d.HghtNut);
  ExpectNutRows(run.nuts[3], run.body, 1, run.nuts[3].column1, d, d.HghtNut);
}

}  // namespace
}  // namespace boltgen
