#include "generate/block_commands.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "generate/script_lines_test.h"

namespace boltgen {
namespace {

BoltDimensions Dims() {
  BoltDimensions d;
  d.AcrossCorners = 0.866;
  d.HghtHex = 0.5;
  d.NomLength = 2;
  d.HghtNut = 0.5;
  d.HghtNutJam = 0.25;
  return d;
}

TEST(NutBlockName, TakesNineCharactersInFrontAndEightBehind) {
  EXPECT_EQ(NutBlockName("ABCDEFGHIJKLMNOPQRSTU", "HNSW"), "ABCDEFGHIHNSWNOPQRSTU");
  EXPECT_EQ(NutBlockName("BOLT", "HNJP"), "BOLTHNJPBOLT");
  EXPECT_EQ(NutBlockName("ABCDEFGHI", "HNSP"), "ABCDEFGHIHNSPBCDEFGHI");
}

TEST(AppendBlockCommands, WithoutNuts) {
  std::string script = "before\r\n";
  AppendBlockCommands(script, "BOLT", Dims(), {2, 3, 4, 5}, false);
  const std::vector<std::string> lines = ScriptLines(script);
  const std::vector<std::string> want = {
      "before",
      ";---------Commands to write out blocks --------------",
      "DisplayDialogs N",
      "-Views Orthographic Front",
      "CCS World",
      "Zoom E",
      "Hide",
      "SaveAs BOLT-{Master}.dwg",
      "R12",
      "-exportdrawing .\\BOLT.dwg",
      "",
      "0,0,0",
      "W -1.866,-1.866,1.500 1.866,1.866,-3.000",
      "",
      "U",
      "SaveAs BOLT-{Master}.dwg",
      "R12",
      "DisplayDialogs Y",
      "exit",
  };
  EXPECT_EQ(lines, want);
}

TEST(AppendBlockCommands, WithNutsInTheirOrder) {
  std::string script;
  AppendBlockCommands(script, "ABCDEFGHIJKLMNOPQRSTU.SCR", Dims(), {2, 4, 6, 10}, true);
  const std::vector<std::string> lines = ScriptLines(script);
  ASSERT_EQ(lines.size(), 14u + 24u + 4u);
  EXPECT_EQ(lines[6], "SaveAs ABCDEFGHIJKLMNOPQRSTU-{Master}.dwg");
  const std::vector<std::string> first_nut(lines.begin() + 14, lines.begin() + 20);
  const std::vector<std::string> want = {
      "-exportdrawing .\\ABCDEFGHIHNSWNOPQRSTU.dwg", "", "0,0,02",
      "W -1.866,-1.866,1.300 1.866,1.866,2.200",    "", "U",
  };
  EXPECT_EQ(first_nut, want);
  EXPECT_EQ(lines[20], "-exportdrawing .\\ABCDEFGHIHNJWNOPQRSTU.dwg");
  EXPECT_EQ(lines[22], "0,0,04");
  EXPECT_EQ(lines[23], "W -1.866,-1.866,3.550 1.866,1.866,4.200");
  EXPECT_EQ(lines[26], "-exportdrawing .\\ABCDEFGHIHNSPNOPQRSTU.dwg");
  EXPECT_EQ(lines[32], "-exportdrawing .\\ABCDEFGHIHNJPNOPQRSTU.dwg");
  EXPECT_EQ(lines[34], "0,0,10");
  EXPECT_EQ(lines[35], "W -1.866,-1.866,9.550 1.866,1.866,10.200");
  EXPECT_EQ(lines[38], "SaveAs ABCDEFGHIJKLMNOPQRSTU-{Master}.dwg");
  EXPECT_EQ(lines[41], "exit");
}

}  // namespace
}  // namespace boltgen
