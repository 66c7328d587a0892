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

// The rows of a nut of height H: what the body left for the hexagon (radius,
// and drop below the head's top) and the fixed rings, in the first column
// and in the corner at 30 degrees.
void ExpectNutRows(const MeshGrid& nut, const MeshGrid& body, const BoltDimensions& d,
                   double height, bool washer_face) {
  const double countersink_radius = d.major_dia / 2 + d.pitch / 4, major_radius = d.major_dia / 2,
               washer_face_radius = d.washer_face_dia / 2;
  for (int column : {1, d.segments / 12 + 1}) {
    const double hex = body.at(3, column).radius, drop = d.HghtHex - body.at(3, column).z;
    std::vector<std::pair<double, double>> want = {
        {countersink_radius, -height}, {washer_face_radius, -height}, {hex, -height + drop}};
    if (washer_face) {
      want.insert(
          want.end(),
          {{hex, -d.HghtWshFace}, {washer_face_radius, -d.HghtWshFace}, {washer_face_radius, 0}});
    } else {
      want.insert(want.end(), {{hex, -drop}, {washer_face_radius, 0}});
    }
    want.insert(want.end(), {{countersink_radius, 0},
                             {major_radius, -d.pitch / 4},
                             {major_radius, -height + d.pitch / 4},
                             {countersink_radius, -height}});
    ASSERT_EQ(nut.row_count, static_cast<int>(want.size()));
    for (int row = 1; row <= nut.row_count; ++row) {
      EXPECT_NEAR(nut.at(row, column).radius, want[row - 1].first, 1e-12) << row << ", " << column;
      EXPECT_NEAR(nut.at(row, column).z, want[row - 1].second, 1e-12) << row << ", " << column;
    }
  }
}

// Each nut as MakeNuts hands it over: in order, at its offset, row by row.
void ExpectNuts(const BoltDimensions& d) {
  MeshGrid body, grid;
  MakeBoltBody(body, d, true, true);
  MakeBoltBody(grid, d, true, true);
  const struct {
    const char* name;
    double offset, height;
  } want[] = {{"Washer Face Standard Nut", 2, d.HghtNut},
              {"Washer Face Jam Nut", 3, d.HghtNutJam},
              {"Plain Face Jam Nut", 5, d.HghtNutJam},
              {"Plain Face Standard Nut", 4, d.HghtNut}};
  int i = 0;
  MakeNuts(grid, d, [&](const MeshGrid& nut_grid, const NutKind& nut, double offset) {
    ASSERT_LT(i, 4);
    EXPECT_EQ(&nut_grid, &grid);
    SCOPED_TRACE(want[i].name);
    EXPECT_EQ(nut.name, want[i].name);
    EXPECT_EQ(d.*nut.height, want[i].height);
    EXPECT_EQ(offset, want[i].offset);
    ExpectNutRows(grid, body, d, want[i].height, i < 2);
    ++i;
  });
  EXPECT_EQ(i, 4);
}

TEST(MakeNuts, FourNutsInOrderAtTheirOffsetsRowByRow) { ExpectNuts(ExampleBolt(24)); }

TEST(MakeNuts, ASizeWithoutWasherFaceHeightStillGivesClosedNuts) {
  BoltDimensions d = ExampleBolt(36);
  d.HghtWshFace = 0;
  ASSERT_EQ(BoltBodyRowCount(d, true, true), 13);  // the body leaves the washer face out
  ExpectNuts(d);
}

}  // namespace
}  // namespace boltgen
