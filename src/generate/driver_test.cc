#include "generate/driver.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/test_folder.h"
#include "generate/script_lines_test.h"

namespace boltgen {
namespace {

using Kind = GenerationResult::Kind;

struct RecordingPlatform : Platform {
  void Repaint(const Controls& controls) override { statuses.push_back(controls.Status); }
  void ProcessEvents() override { ++events; }
  void ShowMessage(MessageKind, std::string_view) override {}
  void Sleep(int) override {}
  bool OpenDocument(const std::string&) override { return true; }
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
    dir_ = MakeTestFolder("driver");
    path_ = dir_ + "/bolt.scr";
    input_ = {BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {6, 12, 2026}};
    controls_.Cmb_Size.text = "[Inch 3/4]";
    controls_.TXT_File.text = path_;
    Choose("0.1 UNC", "3", "36");
    controls_.Chk_WF.checked = controls_.Chk_Rad_HEAD.checked = true;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Choose(const std::string& pitch, const std::string& length, const std::string& segments) {
    controls_.Cmb_Pitch.text = pitch;
    controls_.TXT_Nom_Length.text = length;
    controls_.CMB_Segments.text = segments;
  }
  GenerationResult Run() { return CmdProcess(state_, controls_, platform_, input_); }

  // A generation over an existing script that must fail, saying so.
  void RunOverOldScript(Kind kind, const std::string& says) {
    std::ofstream(path_, std::ios::binary) << "old script\r\n";
    platform_ = RecordingPlatform();
    const GenerationResult result = Run();
    EXPECT_EQ(result.kind, kind);
    EXPECT_NE(result.message.find(says), std::string::npos) << result.message;
    EXPECT_EQ(Read(path_), "old script\r\n");
  }
  std::string dir_, path_;
  GenerationState state_;
  Controls controls_;
  RecordingPlatform platform_;
  GenerationInput input_;
};

// Nuts imply a washer face without changing the boxes.
TEST_F(Driver, WritesBoltNutsAndBlocksTheSameEachRun) {
  controls_.Chk_WF.checked = false;
  controls_.Chk_Nuts.checked = controls_.Chk_WBlock.checked = true;
  ASSERT_EQ(Run().kind, Kind::kWritten);
  EXPECT_FALSE(controls_.Chk_WF.checked);
  const std::string first = Read(path_);
  EXPECT_NE(first.find("; Details: Threaded 0.1 UNC, Washer Face, "), std::string::npos);
  const std::string w = "Writing Script File: " + path_;
  EXPECT_EQ(platform_.statuses,
            (std::vector<std::string>{"Reading parameters ....", "Working ....", w, w, w, w, w,
                                      "Writing Block Commands to Script File: " + path_,
                                      "(Script File Written)Ready ...."}));
  EXPECT_EQ(platform_.events, 1);
  ASSERT_EQ(Run().kind, Kind::kWritten);
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
       "at least 0.0150, or a length of at most 0.843.", Kind::kRefused},
      {table, "[Inch 3/4]", "0.016", "8", "36", "or a length of at most 6.000.", Kind::kRefused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    input_.size_table_path = c.size_table;
    controls_.Cmb_Size.text = c.size;
    Choose(c.pitch, c.length, c.segments);
    RunOverOldScript(c.kind, c.says);
    EXPECT_EQ(platform_.events, 0);
    EXPECT_EQ(platform_.statuses, std::vector<std::string>{"Reading parameters ...."});
  }
  const struct {
    std::string pitch, length;
    int rows;  // the grid's last row: the thread is written to the end
  } offers[] = {{"0.007", "0.843", 256}, {"0.015", "3", 256}, {"0.016", "6", 0}, {"UNC", "3", 15}};
  controls_.TXT_File.text = dir_ + "/plain";
  for (const auto& c : offers) {
    Choose(c.pitch, c.length, "36");
    controls_.Chk_No_Threads.checked = c.rows == 15;
    ASSERT_EQ(Run().kind, Kind::kWritten) << c.pitch;
    EXPECT_TRUE(c.rows == 0 || state_.grid.RowCount == c.rows) << c.pitch;
  }
  EXPECT_EQ(controls_.TXT_File.text, dir_ + "/plain");
  EXPECT_EQ(ScriptLines(Read(dir_ + "/plain.scr")).size(), 9u + 10u + 37u * (15u + 1u));
}

TEST_F(Driver, AnEmptyFileNameOrAMissingFolderWritesNothing) {
  controls_.TXT_File.text = "  ";
  RunOverOldScript(Kind::kRefused, "file name");
  controls_.TXT_File.text = dir_ + "/no folder/bolt.scr";
  RunOverOldScript(Kind::kWriteFailed, "no folder");
  EXPECT_NE(platform_.statuses.back(), "(Script File Written)Ready ....");
}

}  // namespace
}  // namespace boltgen
