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
  std::vector<MeshVertex> columns[2];  // the first, and the corner at 30 degrees
};

// The body, and the nuts as MakeNuts hands them over.
struct NutRun {
  explicit NutRun(const BoltDimensions& d) {
    MakeBoltBody(body, d, true, true);
    MeshGrid grid;
    MakeBoltBody(grid, d, true, true);
    NutOffsets offsets{};
    MakeNuts(grid, d, offsets, [&](std::string_view name, double offset) {
      WrittenNut& nut = nuts.emplace_back(std::string(name), offset);
      for (int row = 1; row <= grid.RowCount; ++row) {
        nut.columns[0].push_back(grid.at(row, 1));
        nut.columns[1].push_back(grid.at(row, d.Segments / 12 + 1));
      }
    });
  }
  MeshGrid body;
  std::vector<WrittenNut> nuts;
};

// The rows of a nut of height H: what the body left for the hexagon (radius,
// and drop below the head's top) and the fixed rings.
void ExpectNutRows(const WrittenNut& nut, const MeshGrid& body, const BoltDimensions& d, double H,
                   bool washer_face) {
  SCOPED_TRACE(nut.name);
  const double rB = d.MajorDia / 2 + d.Pitch / 4, rM = d.MajorDia / 2, rW = d.WshFaceDia / 2;
  for (int c = 0; c < 2; ++c) {
    const int column = c == 0 ? 1 : d.Segments / 12 + 1;
    const double hex = body.at(3, column).Radius, drop = d.HghtHex - body.at(3, column).Z;
    std::vector<std::pair<double, double>> want = {{rB, -H}, {rW, -H}, {hex, -H + drop}};
    if (washer_face) {
      want.insert(want.end(), {{hex, -d.HghtWshFace}, {rW, -d.HghtWshFace}, {rW, 0}});
    } else {
      want.insert(want.end(), {{hex, -drop}, {rW, 0}});
    }
    want.insert(want.end(), {{rB, 0}, {rM, -d.Pitch / 4}, {rM, -H + d.Pitch / 4}, {rB, -H}});
    ASSERT_EQ(nut.columns[c].size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
      EXPECT_NEAR(nut.columns[c][i].Radius, want[i].first, 1e-12) << "row " << i + 1;
      EXPECT_NEAR(nut.columns[c][i].Z, want[i].second, 1e-12) << "row " << i + 1;
    }
  }
}

TEST(MakeNuts, FourNutsInOrderAtTheirOffsetsRowByRow) {
  const BoltDimensions d = ExampleBolt(24);
  const NutRun run(d);
  ASSERT_EQ(run.nuts.size(), 4u);
  const struct {
    const char* name;
    double offset, height;
  } want[] = {{"Washer Face Standard Nut", 2, d.HghtNut},
              {"Washer Face Jam Nut", 3, d.HghtNutJam},
              {"Plain Face Jam Nut", 5, d.HghtNutJam},
              {"Plain Face Standard Nut", 4, d.HghtNut}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(run.nuts[i].name, want[i].name);
    EXPECT_EQ(run.nuts[i].offset, want[i].offset);
    ExpectNutRows(run.nuts[i], run.body, d, want[i].height, i < 2);
  }
}

TEST(MakeNuts, ASizeWithoutWasherFaceHeightStillGivesClosedNuts) {
  BoltDimensions d = ExampleBolt(36);
  d.HghtWshFace = 0;
  const NutRun run(d);
  ASSERT_EQ(run.body.RowCount, 13);  // the body left the washer face out
  ASSERT_EQ(run.nuts.size(), 4u);
  ExpectNutRows(run.nuts[0], run.body, d, d.HghtNut, true);
  ExpectNutRows(run.nuts[3], run.body, d, d.HghtNut, false);
}

}  // namespace
}  // namespace boltgen
