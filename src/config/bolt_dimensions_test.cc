#include "config/bolt_dimensions.h"

#include <string>

#include <gtest/gtest.h>

#include "config/bolt_request_test.h"

namespace boltgen {
namespace {

// The message of a refusal, or "" when the dimensions were set.
std::string Set(std::string_view content, const BoltRequest& request, BoltDimensions& dims) {
  const Result<> result = SetBoltDimensions(content, request, dims);
  return result ? "" : ReportedText(result.error());
}

// A complete section whose thread lengths make the boundaries exact in
// binary; `keys` given again override these (the later line wins).
std::string Section(const std::string& keys) {
  return "[T]\r\nDiaNom=1\r\npitch0=0.125\r\nFlats=1.5\r\nHghtHex=0.5\r\nHghtWshFace=0.03\r\n"
         "RadWshFace=0.03\r\nHghtNut=0.75\r\nHghtNutJam=0.5\r\nMinThrSht=1.75\r\nMinThrLng=3\r\n"
         "Long=4\r\n" + keys;
}

// The 3/4 inch size of the worked example, then a size whose header differs
// in case: each takes its own values only.
TEST(SetBoltDimensions, WorkedExampleOfTheThreeQuarterInchSizeThenTheNextSize) {
  const std::string content =
      "; inch sizes\r\n[Inch 3/4]\r\nDiaNom=0.75\r\npitch1=0.076923 UNC\r\nFlats=1.125\r\n"
      "HghtHex=0.46875\r\nHghtWshFace=0.015\r\nRadWshFace=0.02\r\nHghtNut=0.640625\r\n"
      "HghtNutJam=0.40625\r\nMinThrSht=1.75\r\nMinThrLng=2\r\nLong=6\r\n" + Section("");
  BoltDimensions dims;
  ASSERT_EQ(Set(content, TextRequest("[Inch 3/4]", "0.076923 UNC", "2.5", "48"), dims), "");
  EXPECT_NEAR(dims.minor_dia, 0.6167655, 5e-8);
  EXPECT_DOUBLE_EQ(dims.thread_length, 1.75);
  ASSERT_EQ(Set(content, TextRequest("[t]", "0.1", "3"), dims), "");
  EXPECT_DOUBLE_EQ(dims.DiaNom, 1);
}

// The thread is MinThrSht up to Long, MinThrLng beyond and MinThrXLng
// strictly beyond LongXL; shortened to the length less 3.5 pitches where
// that is less than MinThrSht, for long bolts too; four pitches must fit.
// The nuts take FlatsNut only where a section gives it, whatever an earlier
// generation of the run read.
TEST(SetBoltDimensions, ThreadLengthAtEachBoundaryAndTheNutsFlats) {
  const std::string xl = "LongXL=8\r\nMinThrXLng=5\r\nFlatsNut=1.75\r\n";
  const struct {
    std::string keys;
    const char *pitch, *length;
    double thread;
    const char* fatal;
  } cases[] = {
      // Long itself takes the short thread; at 3.5 pitches + MinThrSht = 2.1875 both rules agree.
      {"", "0.125", "4", 1.75, ""}, {"", "0.125", "4.001", 3, ""},
      {"", "0.125", "2.1875", 1.75, ""}, {"", "0.125", "2", 2 - 0.4375, ""},
      // Between three and three and a half pitches beyond MinThrSht, still shortened.
      {"", "0.125", "2.15", 2.15 - 0.4375, ""},
      // A long bolt keeps MinThrLng although it exceeds the length; exactly four pitches pass.
      {"Long=1\r\nMinThrLng=9\r\n", "0.125", "2.5", 9, ""},
      {"MinThrSht=1\r\n", "0.25", "2", 1, ""},
      {"MinThrSht=0.999\r\n", "0.25", "2", 0.999,
       "Fatal Error: Bolt length (002.000) too short for pitch (000.2500). The shortest length "
       "that works for this size and pitch is 4.001."},
      {xl, "0.125", "4", 1.75, ""}, {xl, "0.125", "8", 3, ""}, {xl, "0.125", "8.001", 5, ""},
      {xl, "0.125", "2", 2 - 0.4375, ""}, {"", "0.125", "8.001", 3, ""},
  };
  BoltDimensions dims;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys + c.length);
    EXPECT_EQ(Set(Section(c.keys), TextRequest("[T]", c.pitch, c.length), dims), c.fatal);
    EXPECT_DOUBLE_EQ(dims.thread_length, c.thread);
    const double flats = c.keys == xl ? 1.75 : 1.5;
    EXPECT_DOUBLE_EQ(NutDimensions(dims).washer_face_dia, flats * 0.9);
  }
}

// The shortest length the too-short message names works, and a thousandth
// less does not, on every piece of the thread length rule; where no length
// works the message says so.
TEST(SetBoltDimensions, TheShortestLengthNamedIsTheShortestThatWorks) {
  const struct {
    std::string keys;
    const char* pitch;
  } cases[] = {
      {"", "0.125"},                                   // 7.5 pitches, on the shortened thread
      {"", "0.3"},                                     // 7.5 pitches, not a whole thousandth
      {"MinThrSht=0.999\r\n", "0.25"},                 // just beyond Long
      {"MinThrSht=0.5\r\nMinThrLng=0.5\r\nLongXL=6\r\nMinThrXLng=2\r\n", "0.25"},  // beyond LongXL
      {"MinThrSht=1.2\r\n", "0.3"},                    // 7.5 pitches lie beyond the shortened range
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys + c.pitch);
    BoltDimensions dims;
    const std::string said = Set(Section(c.keys), TextRequest("[T]", c.pitch, "0.01"), dims);
    const std::string named = "The shortest length that works for this size and pitch is ";
    ASSERT_NE(said.find(named), std::string::npos) << said;
    const std::string shortest = said.substr(said.find(named) + named.size());
    ASSERT_TRUE(shortest.ends_with("."));
    const double length = std::stod(shortest);
    EXPECT_EQ(Set(Section(c.keys), TextRequest("[T]", c.pitch, shortest.substr(0, shortest.size() - 1)), dims), "");
    const std::string less = std::to_string(length - 0.001);
    EXPECT_NE(Set(Section(c.keys), TextRequest("[T]", c.pitch, less), dims), "") << less;
  }
  BoltDimensions dims;
  EXPECT_EQ(Set(Section("MinThrSht=0.5\r\nMinThrLng=0.9\r\n"), TextRequest("[T]", "0.25", "3"), dims),
            "Fatal Error: Bolt length (003.000) too short for pitch (000.2500). No length works for "
            "this pitch: the size table's thread lengths are shorter than four pitches.");
}

TEST(SetBoltDimensions, SectionLineRulesAndSegmentsRoundHalfToEvenClampedToSixteenBits) {
  BoltDimensions dims;
  const std::string content = Section(
      "FLATS = 2.5\r\nhghthex=0.625 ; the number ends\r\n;HghtNut=7\r\n   ;HghtNutJam=7\r\n"
      "HghtWshFace 0.3\r\nflats=2.75\r\n[Next without a bracket\r\nHghtNut=8\r\n");
  ASSERT_EQ(Set(content, TextRequest("[T]", "0", "1"), dims), "");
  EXPECT_DOUBLE_EQ(dims.Flats, 2.75);
  EXPECT_DOUBLE_EQ(dims.HghtHex, 0.625);
  EXPECT_EQ(dims.HghtNut + dims.HghtNutJam + dims.HghtWshFace, 0.75 + 0.5 + 0.03);
  const std::pair<const char*, int> cases[] = {{"36.5", 36}, {"37.5", 38}, {"240 segments", 240},
                                               {"x", 0}, {"99999", 32767}, {"-99999", -32768}};
  for (const auto& [text, expected] : cases) {
    ASSERT_EQ(Set(Section(""), TextRequest("[T]", "0.125", "3", text), dims), "");
    EXPECT_EQ(dims.segments, expected) << text;
  }
}

TEST(SetBoltDimensions, RefusalsNameTheCauseAndChangeNothing) {
  BoltDimensions dims;
  ASSERT_EQ(Set(Section(""), TextRequest("[T]", "0.125", "3"), dims), "");
  const BoltDimensions before = dims;
  const struct {
    std::string keys;
    BoltRequest request;
    const char* named;
  } cases[] = {
      // No section: no header names the size, nor does a key line that spells it.
      {"x=1\r\n", TextRequest("x=1", "0.2", "5"), "x=1"},
      // The table checks, named by file and line.
      {"Flats=abc\r\n", TextRequest("[T]", "0.125", "3"), "boltgen.ini:13: [T]: Flats=abc"},
      // Non-finite values, refused before the too-short test.
      {"", TextRequest("[T]", "0.125", "-1e999"), "-1e999"},
      {"", TextRequest("[T]", "1e999 UNC", "0.1"), "1e999 UNC"},
      {"", TextRequest("[T]", "0.125", "3", "1e999"), "1e999"},
      {"HghtHex=1e999\r\n", TextRequest("[T]", "0.125", "0.1"), "HghtHex=1e999"},
      {"", TextRequest("[T]", "1e308", "3"), "minor diameter"},
      // Optional keys, when given, must make sense.
      {"FlatsNut=0\r\n", TextRequest("[T]", "0.125", "3"), "FlatsNut=0"},
      {"FlatsNut=1e999\r\n", TextRequest("[T]", "0.125", "3"), "FlatsNut=1e999"},
      {"LongXL=8\r\n", TextRequest("[T]", "0.125", "3"), "boltgen.ini:13: [T]: LongXL is given without"},
      {"MinThrXLng=5\r\n", TextRequest("[T]", "0.125", "3"), "boltgen.ini:13: [T]: MinThrXLng is given"},
      {"LongXL=4\r\nMinThrXLng=5\r\n", TextRequest("[T]", "0.125", "3"), "boltgen.ini:13: [T]: LongXL=4"},
      // A typed pitch goes into the script as typed.
      {"", TextRequest("[T]", "0.125 \xC2\x85", "3"), "holds a control character (code 133)"},
  };
  for (const auto& c : cases) {
    const std::string message = Set(Section(c.keys), c.request, dims);
    EXPECT_FALSE(message.empty() || message.starts_with("Fatal Error: ")) << c.named;
    EXPECT_NE(message.find(c.named), std::string::npos) << c.named << " in " << message;
    EXPECT_TRUE(dims.nominal_length == before.nominal_length && dims.pitch == before.pitch &&
                dims.HghtHex == before.HghtHex);
  }
}

}  // namespace
}  // namespace boltgen
