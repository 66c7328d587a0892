#include "generate/driver.h"

#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "generate/script_lines_test.h"

namespace boltgen {
namespace {

using Kind = GenerationResult::Kind;

class RecordingPlatform : public Platform {
 public:
  void Repaint(const Controls& controls) override { statuses.push_back(controls.Status); }
  void ProcessEvents() override { ++events; }
  void ShowMessage(MessageKind, std::string_view) override {}
  void Sleep(int) override {}
  void OpenDocument(const std::string&) override {}
  void EndProgram(int) override {}
  void ShowWindow() override {}

  std::vector<std::string> statuses;
  int events = 0;
};

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class Driver : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "/driver_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    input_.size_table_path = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";
    input_.today = {6, 12, 2026};
    controls_.Cmb_Size.text = "[Inch 3/4]";
    controls_.Cmb_Pitch.text = "0.1 UNC";
    controls_.TXT_Nom_Length.text = "3";
    controls_.CMB_Segments.text = "36";
    controls_.TXT_File.text = dir_ + "/bolt.scr";
    controls_.Chk_WF.checked = true;
    controls_.Chk_Rad_HEAD.checked = true;
    controls_.Chk_Sharp_Threads.checked = true;
  }
  void TearDown() override {
    unlink((dir_ + "/bolt.scr").c_str());
    unlink((dir_ + "/plain.scr").c_str());
    rmdir(dir_.c_str());
  }

  GenerationResult Run() { return CmdProcess(state_, controls_, platform_, input_); }

  // Runs a generation that must be refused over an existing script.
  void ExpectRefusedOverOldScript(Kind kind, const std::string& says) {
    const std::string path = dir_ + "/bolt.scr";
    std::ofstream(path, std::ios::binary) << "old script\r\n";
    platform_ = RecordingPlatform();
    const GenerationResult result = Run();
    EXPECT_EQ(result.kind, kind);
    EXPECT_NE(result.message.find(says), std::string::npos) << result.message;
    EXPECT_EQ(Read(path), "old script\r\n");
    EXPECT_EQ(platform_.events, 0);
    EXPECT_EQ(platform_.statuses, std::vector<std::string>{"Reading parameters ...."});
  }

  std::string dir_;
  GenerationState state_;
  Controls controls_;
  RecordingPlatform platform_;
  GenerationInput input_;
};

TEST_F(Driver, WritesHeaderBoltNutsAndBlocksInThatOrderTheSameEachRun) {
  controls_.Chk_Nuts.checked = true;
  controls_.Chk_WBlock.checked = true;
  const GenerationResult result = Run();
  ASSERT_EQ(result.kind, Kind::kWritten) << result.message;
  const std::string path = dir_ + "/bolt.scr";
  EXPECT_EQ(result.path, path);
  const std::vector<std::string> lines = ScriptLines(Read(path));
  ASSERT_GT(lines.size(), 60u);
  EXPECT_EQ(lines[0], "; This script file was created by the 'Quillfen 3D Bolt Generator'.");
  std::vector<std::string> parts;
  for (const std::string& line : lines) {
    if (line.rfind("; ----PART: ", 0) == 0) parts.push_back(line.substr(12, line.find("----", 12) - 12));
  }
  EXPECT_EQ(parts, (std::vector<std::string>{"Hex Head Cap Screw(Bolt)", "Washer Face Standard Nut",
                                             "Washer Face Jam Nut", "Plain Face Jam Nut",
                                             "Plain Face Standard Nut"}));
  EXPECT_EQ(lines[lines.size() - 42], ";---------Commands to write out blocks --------------");
  EXPECT_EQ(lines.back(), "exit");

  const std::string writing = "Writing Script File: " + path;
  EXPECT_EQ(platform_.statuses,
            (std::vector<std::string>{"Reading parameters ....", "Working ....", writing, writing,
                                      writing, writing, writing,
                                      "Writing Block Commands to Script File: " + path,
                                      "(Script File Written)Ready ...."}));
  EXPECT_EQ(platform_.events, 1);
  EXPECT_EQ(controls_.Status, "(Script File Written)Ready ....");

  const std::string first = Read(path);
  ASSERT_EQ(Run().kind, Kind::kWritten);
  EXPECT_EQ(Read(path), first);
}

TEST_F(Driver, PlainBoltAloneWithANameWithoutExtension) {
  controls_.Chk_No_Threads.checked = true;
  controls_.TXT_File.text = dir_ + "/plain";
  const GenerationResult result = Run();
  ASSERT_EQ(result.kind, Kind::kWritten) << result.message;
  EXPECT_EQ(result.path, dir_ + "/plain.scr");
  EXPECT_EQ(controls_.TXT_File.text, dir_ + "/plain");
  const std::vector<std::string> lines = ScriptLines(Read(dir_ + "/plain.scr"));
  EXPECT_EQ(lines.size(), 9u + 10u + 37u * (15u + 1u));
}

TEST_F(Driver, NutsImplyAWasherFaceWithoutChangingTheBoxes) {
  controls_.Chk_WF.checked = false;
  controls_.Chk_Nuts.checked = true;
  std::string script;
  ASSERT_EQ(ComposeScript(state_, controls_, nullptr, input_, script).kind, Kind::kWritten);
  EXPECT_FALSE(controls_.Chk_WF.checked);
  EXPECT_EQ(controls_.Status, "Loading ...");
  EXPECT_NE(script.find("; Details: Threaded 0.1 UNC, Washer Face, "), std::string::npos);
}

// Each refusal names what is wrong, writes nothing and leaves the old script.
TEST_F(Driver, RefusalsLeaveAnOldScriptUntouched) {
  const std::string table = input_.size_table_path;
  const struct {
    std::string size_table, size, pitch, length, segments;
    Kind kind;
    std::string says;
  } cases[] = {
      {dir_ + "/missing.ini", "[Inch 3/4]", "0.1", "3", "36", Kind::kRefused, "missing.ini"},
      {table, "[Inch 13/16]", "0.1", "3", "36", Kind::kRefused, "[Inch 13/16]"},
      {table, "[Inch 3/4]", "0.1", "3", "30", Kind::kRefused, "24, 36, 48, 72, 144 or 240"},
      // Too short is fatal, before any other refusal.
      {table, "[Inch 3/4]", "0.1", "0.25", "30", Kind::kFatal,
       "Fatal Error: Bolt length (000.250) too short for pitch (000.1000)."},
      {table, "[Inch 3/4]", "UNC", "3", "36", Kind::kRefused, "No Threads"},
      // 1.75 / 0.007 = 250 turns where 117 fit; beyond Long the longer thread
      // length applies, so the bolt must be short.
      {table, "[Inch 3/4]", "0.007", "3", "36", Kind::kRefused,
       "at least 0.0150, or a length of at most 0.843."},
      {table, "[Inch 3/4]", "0.016", "8", "36", Kind::kRefused, "or a length of at most 6.000."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    input_.size_table_path = c.size_table;
    controls_.Cmb_Size.text = c.size;
    controls_.Cmb_Pitch.text = c.pitch;
    controls_.TXT_Nom_Length.text = c.length;
    controls_.CMB_Segments.text = c.segments;
    ExpectRefusedOverOldScript(c.kind, c.says);
  }
}

// What the refusals offer instead is written, up to the last row of the grid.
TEST_F(Driver, TheChoicesThatARefusalOffersAreWritten) {
  const struct {
    std::string pitch, length;
    bool no_threads;
    int rows;
  } cases[] = {{"UNC", "3", true, 15},
               {"0.007", "0.843", false, 256},
               {"0.015", "3", false, 256},
               {"0.016", "6", false, 0}};
  for (const auto& c : cases) {
    controls_.Cmb_Pitch.text = c.pitch;
    controls_.TXT_Nom_Length.text = c.length;
    controls_.Chk_No_Threads.checked = c.no_threads;
    ASSERT_EQ(Run().kind, Kind::kWritten) << c.pitch;
    if (c.rows != 0) {
      EXPECT_EQ(state_.grid.RowCount, c.rows) << c.pitch;
    }
  }
}

TEST_F(Driver, AnEmptyFileNameIsRefused) {
  controls_.TXT_File.text = "  ";
  const GenerationResult result = Run();
  EXPECT_EQ(result.kind, Kind::kRefused);
  EXPECT_NE(result.message.find("file name"), std::string::npos);
}

TEST_F(Driver, AFolderThatDoesNotExistFailsTheWrite) {
  const std::string path = dir_ + "/bolt.scr";
  std::ofstream(path, std::ios::binary) << "old script\r\n";
  controls_.TXT_File.text = dir_ + "/no folder/bolt.scr";
  const GenerationResult result = Run();
  EXPECT_EQ(result.kind, Kind::kWriteFailed);
  EXPECT_NE(result.message.find("no folder"), std::string::npos) << result.message;
  EXPECT_EQ(Read(path), "old script\r\n");
  EXPECT_NE(platform_.statuses.back(), "(Script File Written)Ready ....");
}

}  // namespace
}  // namespace boltgen
