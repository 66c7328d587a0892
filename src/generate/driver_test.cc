#include "generate/driver.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/test_folder.h"
#include "config/bolt_request_test.h"
#include "generate/script_lines_test.h"

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
    message_ = written ? std::string() : written.error().message;
    if (written) return Kind::kWritten;
    if (message_.starts_with("Fatal Error: ")) return Kind::kFatal;
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
    EXPECT_TRUE(c.rows == 0 || state_.grid.RowCount == c.rows) << c.pitch;
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
      EXPECT_GE(state_.grid.RowCount, MeshGrid::kLastIndex - 1) << longest << " leaves a turn";
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

}  // namespace
}  // namespace boltgen
