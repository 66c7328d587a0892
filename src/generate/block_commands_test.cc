#include "generate/block_commands.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "generate/parts.h"
#include "generate/script_lines_test.h"

namespace boltgen {
namespace {

BoltDimensions Dims() {
  BoltDimensions d;
  d.AcrossCorners = 0.866;
  d.HghtHex = d.HghtNut = 0.5;
  d.NomLength = 2;
  d.HghtNutJam = 0.25;
  return d;
}

// The bolt, then the nuts as a generation holds them (the script's order),
// each at its offset.
std::vector<Part> Parts(const NutOffsets& offsets) {
  std::vector<Part> parts(1);
  for (const NutKind& nut : kNutKinds) {
    Part& part = parts.emplace_back();
    part.nut = &nut;
    part.z_offset = offsets[static_cast<std::size_t>(nut.offset_index)];
  }
  return parts;
}

TEST(NutBlockName, TakesNineCharactersInFrontAndEightBehind) {
  EXPECT_EQ(NutBlockName("BOLT", "HNJP"), "BOLTHNJPBOLT");
  EXPECT_EQ(NutBlockName("ABCDEFGHI", "HNSP"), "ABCDEFGHIHNSPBCDEFGHI");
}

// The bolt's block, then each nut's at its offset in the order of the
// offsets; without nuts, the bolt's alone.
TEST(AppendBlockCommands, BoltThenNutsInTheirOrder) {
  std::string bolt_only;
  AppendBlockCommands(bolt_only, "BOLT", Dims(), std::vector<Part>(1));
  EXPECT_EQ(ScriptLines(bolt_only).size(), 18u);
  std::string script;
  AppendBlockCommands(script, "ABCDEFGHIJKLMNOPQRSTU.SCR", Dims(), Parts({2, 4, 6, 10}));
  const std::vector<std::string> lines = ScriptLines(script);
  ASSERT_EQ(lines.size(), 14u + 24u + 4u);
  const std::pair<std::size_t, std::string> want[] = {
      {0, ";---------Commands to write out blocks --------------"},
      {6, "SaveAs ABCDEFGHIJKLMNOPQRSTU-{Master}.dwg"},
      {8, "-exportdrawing .\\ABCDEFGHIJKLMNOPQRSTU.dwg"},
      {10, "0,0,0"},
      {11, "W -1.866,-1.866,1.500 1.866,1.866,-3.000"},
      {13, "U"},
      {14, "-exportdrawing .\\ABCDEFGHIHNSWNOPQRSTU.dwg"},
      {16, "0,0,02"},
      {17, "W -1.866,-1.866,1.300 1.866,1.866,2.200"},
      {20, "-exportdrawing .\\ABCDEFGHIHNJWNOPQRSTU.dwg"},
      {22, "0,0,04"},
      {23, "W -1.866,-1.866,3.550 1.866,1.866,4.200"},
      {26, "-exportdrawing .\\ABCDEFGHIHNSPNOPQRSTU.dwg"},
      {32, "-exportdrawing .\\ABCDEFGHIHNJPNOPQRSTU.dwg"},
      {34, "0,0,10"},
      {35, "W -1.866,-1.866,9.550 1.866,1.866,10.200"},
      {38, "SaveAs ABCDEFGHIJKLMNOPQRSTU-{Master}.dwg"},
      {41, "exit"}};
  for (const auto& [index, line] : want) EXPECT_EQ(lines[index], line) << index;
}

}  // namespace
}  // namespace boltgen
