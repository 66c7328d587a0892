#include "generate/parts.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/bolt_request_test.h"

namespace boltgen {
namespace {

constexpr char kSizeTable[] = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";

BoltRequest Choices(const std::string& length, const std::string& segments) {
  BoltRequest request = TextRequest("[Inch 3/4]", "0.076923 UNC", length, segments);
  request.file_name = "out/ABCDEFGHIJKLMNOPQRSTU";
  request.nuts = true;
  return request;
}

TEST(BuildBoltParts, NamesAndPlacesThePartsAsTheScriptAndItsDrawingsDo) {
  GenerationState state;
  const Result<BoltParts> built = BuildBoltParts(state, Choices("3", "36"), {kSizeTable, {}});
  ASSERT_TRUE(built) << built.error().message;
  const std::vector<Part>& parts = built->parts;
  ASSERT_EQ(parts.size(), 5u);
  EXPECT_EQ(parts[0].part_name, "Hex Head Cap Screw(Bolt)");
  EXPECT_EQ(parts[0].nut, nullptr);
  EXPECT_EQ(parts[3].part_name, "Plain Face Jam Nut");
  EXPECT_EQ(parts[0].drawing_name, "ABCDEFGHIJKLMNOPQRSTU");
  EXPECT_EQ(parts[3].drawing_name, "ABCDEFGHIHNJPNOPQRSTU");
  EXPECT_EQ(parts[0].z_offset, 0);
  // The plain face nuts are written jam nut first, each at its own offset.
  const NutOffsets offsets = NutOffsetsFor(built->dims.HghtNut);
  const int offset_of[] = {0, 1, 3, 2};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(parts[i + 1].nut, &kNutKinds[i]);
    EXPECT_EQ(parts[i + 1].z_offset, offsets[offset_of[i]]);
  }
  EXPECT_EQ(parts[0].grid.columns(), 37);
  EXPECT_EQ(built->script_path, "out/ABCDEFGHIJKLMNOPQRSTU.scr");
  // Nuts imply a washer face in what was built, not in the request.
  EXPECT_TRUE(built->built.washer_face);
  EXPECT_EQ(DrawingBaseName("cad/IN-0750(3D-36).SCR"), "IN-0750(3D-36)");
}

// The bolt is kept as it was before the nuts rebuilt the grid's head rows,
// and the grid is left with the last nut, as the next generation finds it.
TEST(BuildBoltParts, KeepsTheBoltWhileTheNutsReuseTheGrid) {
  GenerationState state;
  BoltRequest plain = Choices("3", "24");
  plain.nuts = false;
  plain.washer_face = true;  // as the nuts imply
  const Result<BoltParts> alone = BuildBoltParts(state, plain, {kSizeTable, {}});
  ASSERT_TRUE(alone);
  const Result<BoltParts> with_nuts = BuildBoltParts(state, Choices("3", "24"), {kSizeTable, {}});
  ASSERT_TRUE(with_nuts);
  const GridCopy& bolt = with_nuts->parts[0].grid;
  const GridCopy& bolt_alone = alone->parts[0].grid;
  ASSERT_EQ(bolt.rows(), bolt_alone.rows());
  for (int col = 1; col <= bolt.columns(); ++col) {
    EXPECT_EQ(bolt.angle_deg(col), bolt_alone.angle_deg(col));
    for (int row = 1; row <= bolt.rows(); ++row) {
      EXPECT_EQ(bolt.at(row, col).Z, bolt_alone.at(row, col).Z) << row << ", " << col;
      EXPECT_EQ(bolt.at(row, col).X, bolt_alone.at(row, col).X) << row << ", " << col;
    }
  }
  EXPECT_EQ(state.grid.RowCount, with_nuts->parts.back().grid.rows());
  EXPECT_EQ(state.grid.at(2, 5).Z, with_nuts->parts.back().grid.at(2, 5).Z);
}

TEST(BuildBoltParts, RefusesWhatAGenerationRefusesAndBuildsNothing) {
  GenerationState state;
  for (const auto& [length, segments] : {std::pair("3", "30"), std::pair("0.25", "36")}) {
    const Result<BoltParts> built = BuildBoltParts(state, Choices(length, segments), {kSizeTable, {}});
    ASSERT_FALSE(built);
    EXPECT_FALSE(built.error().message.empty());
  }
}

}  // namespace
}  // namespace boltgen
