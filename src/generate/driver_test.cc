#include "generate/driver.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/test_folder.h"
#include "config/bolt_request_test.h"
#include "generate/block_commands.h"
#include "generate/parts.h"
#include "generate/script_header.h"
#include "mesh/script_lines_test.h"

namespace boltgen {
namespace {

// A too-short bolt fails like a refusal; a file that cannot be written too.
enum class Kind { kWritten, kFatal, kRefused, kWriteFailed };

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class Driver : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeTestFolder("driver");
    path_ = dir_ + "/bolt.scr";
    input_ = {BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {6, 12, 2026}};
    Choose("[Inch 3/4]", "0.1 UNC", "3", "36");
    request_.file_name = path_;
    request_.washer_face = request_.head_radius = true;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Choose(const std::string& size, const std::string& pitch, const std::string& length,
              const std::string& segments) {
    BoltRequest texts = TextRequest(size, pitch, length, segments);
    texts.file_name = request_.file_name;
    texts.washer_face = request_.washer_face, texts.head_radius = request_.head_radius;
    texts.plain_body = request_.plain_body, texts.nuts = request_.nuts;
    texts.block_commands = request_.block_commands;
    request_ = texts;
  }
  Kind Run() {
    statuses_.clear();
    const Result<WrittenFiles> written =
        GenerateFiles(state_, request_, input_,
                      [&](std::string_view status) { statuses_.emplace_back(status); });
    message_ = written ? std::string() : ReportedText(written.error());
    if (written) return Kind::kWritten;
    if (written.error().kind == ErrorKind::kBoltTooShort) return Kind::kFatal;
    return statuses_.back() == "Reading parameters ...." ? Kind::kRefused : Kind::kWriteFailed;
  }

  // A generation over an existing script that must fail, saying so.
  void RunOverOldScript(Kind kind, const std::string& says) {
    std::ofstream(path_, std::ios::binary) << "old script\r\n";
    EXPECT_EQ(Run(), kind);
    EXPECT_NE(message_.find(says), std::string::npos) << message_;
    EXPECT_EQ(Read(path_), "old script\r\n");
  }
  std::string dir_, path_;
  GenerationState state_;
  BoltRequest request_;
  std::vector<std::string> statuses_;
  std::string message_;
  GenerationInput input_;
};

// Nuts imply a washer face without changing the boxes.
TEST_F(Driver, WritesBoltNutsAndBlocksTheSameEachRun) {
  request_.washer_face = false;
  request_.nuts = request_.block_commands = true;
  ASSERT_EQ(Run(), Kind::kWritten);
  const std::string first = Read(path_);
  EXPECT_NE(first.find("; Details: Threaded 0.1 UNC, Washer Face, "), std::string::npos);
  const std::string w = "Writing Script File: " + path_;
  EXPECT_EQ(statuses_,
            (std::vector<std::string>{"Reading parameters ....", "Working ....", w, w, w, w, w,
                                      "Writing Block Commands to Script File: " + path_,
                                      "(Script File Written)Ready ...."}));
  ASSERT_EQ(Run(), Kind::kWritten);
  EXPECT_EQ(Read(path_), first);
}

// Each refusal names what is wrong, writes nothing and leaves the old script;
// what it offers instead is written, the plain bolt last, under a name
// without extension.
TEST_F(Driver, RefusalsLeaveAnOldScriptUntouchedAndTheirOffersAreWritten) {
  const std::string table = input_.size_table_path;
  const struct {
    std::string size_table, size, pitch, length, segments, says;
    Kind kind;
  } cases[] = {
      {dir_ + "/missing.ini", "[Inch 3/4]", "0.1", "3", "36", "missing.ini", Kind::kRefused},
      {table, "[Inch 13/16]", "0.1", "3", "36", "[Inch 13/16]", Kind::kRefused},
      {table, "[Inch 3/4]", "0.1", "3", "30", "24, 36, 48, 72, 144 or 240", Kind::kRefused},
      {table, "[Inch 3/4]", "0.1", "0.25", "30",  // fatal before any other refusal
       "Fatal Error: Bolt length (000.250) too short for pitch (000.1000).", Kind::kFatal},
      {table, "[Inch 3/4]", "UNC", "3", "36", "No Threads", Kind::kRefused},
      {table, "[Inch 3/4]", "0.007", "3", "36",  // 1.75 / 0.007 = 250 turns where 117 fit
       "A thread length of 1.750 at pitch 0.0070 needs 250 turns, but the mesh holds at most "
       "117. Choose a pitch of at least 0.0150, or a length of at most 0.843.",
       Kind::kRefused},
      {table, "[Inch 3/4]", "0.016", "8", "36", "or a length of at most 6.000.", Kind::kRefused},
      {table, "[Inch 3/4]", "0.00000001", "3", "36",  // typed: no length fits, none offered
       "at pitch 0.0000 needs 1000000 turns, but the mesh holds at most 117. Choose a pitch of "
       "at least 0.0150.",
       Kind::kRefused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    input_.size_table_path = c.size_table;
    Choose(c.size, c.pitch, c.length, c.segments);
    RunOverOldScript(c.kind, c.says);
    EXPECT_EQ(statuses_, std::vector<std::string>{"Reading parameters ...."});
  }
  const struct {
    std::string pitch, length;
    int rows;  // the grid's last row: the thread is written to the end
  } offers[] = {{"0.015", "3", 256}, {"0.016", "6", 0}, {"UNC", "3", 15}};
  request_.file_name = dir_ + "/plain";
  for (const auto& c : offers) {
    Choose("[Inch 3/4]", c.pitch, c.length, "36");
    request_.plain_body = c.rows == 15;
    ASSERT_EQ(Run(), Kind::kWritten) << c.pitch;
    EXPECT_TRUE(c.rows == 0 || state_.grid.row_count == c.rows) << c.pitch;
  }
  EXPECT_EQ(ScriptLines(Read(dir_ + "/plain.scr")).size(), 9u + 10u + 37u * (15u + 1u));
}

// The last number of `message` before its final ".".
std::string LastNumber(const std::string& message) {
  const std::size_t end = message.rfind('.');
  const std::size_t start = message.rfind(' ', end) + 1;
  return message.substr(start, end - start);
}

// A short bolt's thread grows with its length, two grid rows a turn. The
// longest length a refusal offers fills the grid to its last row or the one
// before; one thousandth more is refused, never left to overrun the grid.
// The body takes 8, 10, 13 or 15 rows, so a check off by one row shows in
// some layouts and not in others. The pitch is exact in binary, so that the
// check decides the longest length and not rounding.
TEST_F(Driver, TheLongestLengthOfferedFillsTheGridInEveryBodyLayout) {
  for (const bool washer_face : {false, true}) {
    for (const bool radius_under_head : {false, true}) {
      SCOPED_TRACE(testing::Message() << "washer face " << washer_face << ", radius "
                                      << radius_under_head);
      request_.washer_face = washer_face;
      request_.head_radius = radius_under_head;
      Choose("[Inch 3/4]", "0.0078125", "1.5", "24");
      ASSERT_EQ(Run(), Kind::kRefused) << message_;
      const std::string longest = LastNumber(message_);
      Choose("[Inch 3/4]", "0.0078125", longest, "24");
      ASSERT_EQ(Run(), Kind::kWritten) << longest << ": " << message_;
      EXPECT_GE(state_.grid.row_count, MeshGrid::kLastIndex - 1) << longest << " leaves a turn";
      const std::string next = FormatNumber(LeadingNumber(longest) + 0.001, "0.000");
      Choose("[Inch 3/4]", "0.0078125", next, "24");
      ASSERT_EQ(Run(), Kind::kRefused) << next << " is not refused";
      EXPECT_EQ(LastNumber(message_), longest);
    }
  }
}

TEST_F(Driver, AnEmptyFileNameOrAMissingFolderWritesNothing) {
  request_.file_name = "  ";
  RunOverOldScript(Kind::kRefused, "file name");
  request_.file_name = dir_ + "/no folder/bolt.scr";
  RunOverOldScript(Kind::kWriteFailed, "no folder");
  EXPECT_NE(statuses_.back(), "(Script File Written)Ready ....");
}

// The text a script carries around its meshes, the header before them and
// the block commands after, tested on its own: first the header of a 3/4
// inch bolt, 3 long, at 24 segments.
std::string Header(const BoltRequest& built) {
  BoltDimensions dims;
  dims.DiaNom = 0.75, dims.nominal_length = 3, dims.segments = 24, dims.RadWshFace = 0.0625;
  std::string script;
  AppendScriptHeader(script, built, dims, Date{6, 12, 2026});
  return script;
}

TEST(AppendScriptHeader, ExactTextThenTheDetailsAndSizeNameOfOtherChoices) {
  BoltRequest built;
  built.size = "[Inch 3/4]", built.pitch_text = "0.1 UNC";
  built.washer_face = built.head_radius = true;
  built.sharp_threads = true;
  EXPECT_EQ(Header(built),
            "; This script file was created by the 'Quillfen 3D Bolt Generator'.\r\n"
            "; Visit www.quillfen.example to access the PUBLIC DOMAIN CAD library.\r\n"
            "; ---------------------------------------------------------------------\r\n"
            "; Nominal Diameter: Inch 3/4 (000.7500)\r\n"
            "; Nominal Length: 0003.0000\r\n"
            "; Segments: 024\r\n"
            "; Details: Threaded 0.1 UNC, Washer Face, Radius Under Head (00.0625), "
            "Sharp Threads\r\n"
            "; Date: 06 Dec 2026\r\n"
            "; \r\n");

  built.washer_face = built.head_radius = built.sharp_threads = false;
  EXPECT_EQ(ScriptLines(Header(built)).at(6),
            "; Details: Threaded 0.1 UNC, Plain Face, No Head Radius, Radius Threads");
  built.plain_body = true;
  EXPECT_EQ(ScriptLines(Header(built)).at(6),
            "; Details: Plain Body, Plain Face, No Head Radius, Radius Threads");

  const std::pair<const char*, const char*> names[] = {
      {"[ Metric M6 ]", "Metric M6"}, {"[]", ""}, {"", ""}, {"[\tTab]", "\tTab"},
      {"[A very long size name that goes past thirty]", "A very long size name that goe"}};
  for (const auto& [text, name] : names) {
    built.size = text;
    EXPECT_EQ(ScriptLines(Header(built)).at(3),
              std::string("; Nominal Diameter: ") + name + " (000.7500)");
  }
}

BoltDimensions Dims() {
  BoltDimensions d;
  d.across_corners = 0.866;
  d.HghtHex = d.HghtNut = 0.5;
  d.nominal_length = 2;
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
