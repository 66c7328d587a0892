#include "generate/parts.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

constexpr char kSizeTable[] = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";

Controls Choices(const std::string& length, const std::string& segments) {
  Controls controls;
  controls.Cmb_Size.text = "[Inch 3/4]";
  controls.Cmb_Pitch.text = "0.076923 UNC";
  controls.TXT_Nom_Length.text = length;
  controls.CMB_Segments.text = segments;
  controls.TXT_File.text = "out/ABCDEFGHIJKLMNOPQRSTU";
  controls.Chk_Nuts.checked = true;
  return controls;
}

TEST(BuildPartsInMemory, NamesAndPlacesThePartsAsTheScriptAndItsDrawingsDo) {
  GenerationState state;
  std::vector<Part> parts;
  ASSERT_EQ(BuildPartsInMemory(state, Choices("3", "36"), {kSizeTable, {}}, parts).kind,
            GenerationResult::Kind::kWritten);
  ASSERT_EQ(parts.size(), 5u);
  EXPECT_EQ(parts[0].part_name, "Hex Head Cap Screw(Bolt)");
  EXPECT_EQ(parts[3].part_name, "Plain Face Jam Nut");
  EXPECT_EQ(parts[0].drawing_name, "ABCDEFGHIJKLMNOPQRSTU");
  EXPECT_EQ(parts[3].drawing_name, "ABCDEFGHIHNJPNOPQRSTU");
  EXPECT_EQ(parts[0].z_offset, 0);
  const int offset_of[] = {0, 1, 3, 2};  // the plain face nuts are written jam nut first
  for (int i = 0; i < 4; ++i) EXPECT_EQ(parts[i + 1].z_offset, state.nut_offsets[offset_of[i]]);
  EXPECT_EQ(parts[0].grid.columns(), 37);
  EXPECT_EQ(DrawingBaseName("cad/IN-0750(3D-36).SCR"), "IN-0750(3D-36)");
}

TEST(BuildPartsInMemory, RefusesWhatAGenerationRefusesAndBuildsNothing) {
  GenerationState state;
  std::vector<Part> parts(1);
  for (const auto& [length, segments] : {std::pair("3", "30"), std::pair("0.25", "36")}) {
    EXPECT_NE(BuildPartsInMemory(state, Choices(length, segments), {kSizeTable, {}}, parts).kind,
              GenerationResult::Kind::kWritten);
    EXPECT_TRUE(parts.empty());
  }
}

}  // namespace
}  // namespace boltgen
