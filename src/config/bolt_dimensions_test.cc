#include "config/bolt_dimensions.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "base/angles.h"
#include "config/bolt_request_test.h"

namespace boltgen {
namespace {

// A bolt too short for its pitch is an error like any refusal, but only
// after the dimensions were read: told apart here by its message.
enum class Kind { kOk, kFatal, kRefused };
struct Outcome {
  Kind kind;
  std::string message;
};
Outcome Set(std::string_view content, const BoltRequest& request, BoltDimensions& dims) {
  const Result<> result = SetBoltDimensions(content, request, dims);
  if (result) return {Kind::kOk, {}};
  const std::string& message = result.error().message;
  return {message.starts_with("Fatal Error: ") ? Kind::kFatal : Kind::kRefused, message};
}

// The 3/4 inch size of the worked example, with the dimensions of the shipped table.
constexpr char kThreeQuarter[] =
    "; inch sizes\r\n[Inch 3/4]\r\nDiaNom=0.75\r\npitch0=0.0625 UNF\r\npitch1=0.076923 UNC\r\n"
    "Flats=1.125\r\nHghtHex=0.46875\r\nHghtWshFace=0.015\r\nRadWshFace=0.02\r\n"
    "HghtNut=0.640625\r\nHghtNutJam=0.40625\r\nMinThrSht=1.75\r\nMinThrLng=2\r\nLong=6\r\n"
    "[Inch 7/8]\r\nDiaNom=0.875\r\npitch0=0.111111 UNC\r\nFlats=1.3125\r\nHghtHex=0.546875\r\n"
    "HghtWshFace=0.015\r\nRadWshFace=0.02\r\nHghtNut=0.75\r\nHghtNutJam=0.46875\r\n"
    "MinThrSht=2\r\nMinThrLng=2.25\r\nLong=6\r\n";

BoltRequest Choices(const char* size, const char* pitch, const char* length,
                    const char* segments = "36") {
  return TextRequest(size, pitch, length, segments);
}

// A complete section whose thread lengths make the boundaries exact in
// binary; `keys` given again override these (the later line wins).
std::string Section(const std::string& keys) {
  return "[T]\r\nDiaNom=1\r\npitch0=0.125\r\nFlats=1.5\r\nHghtHex=0.5\r\nHghtWshFace=0.03\r\n"
         "RadWshFace=0.03\r\nHghtNut=0.75\r\nHghtNutJam=0.5\r\nMinThrSht=1.75\r\nMinThrLng=3\r\n"
         "Long=4\r\n" + keys;
}

TEST(SetBoltDimensions, WorkedExampleOfTheThreeQuarterInchSizeThenTheNextSize) {
  BoltDimensions dims;
  ASSERT_EQ(Set(kThreeQuarter, Choices("[Inch 3/4]", "0.076923 UNC", "2.5", "48"),
                              dims).kind, Kind::kOk);
  EXPECT_NEAR(dims.MinorDia, 0.6167655, 5e-8);
  EXPECT_NEAR(dims.AcrossCorners, 1.125 * 1.1547005, 1e-7);
  EXPECT_DOUBLE_EQ(dims.ThreadLength, 1.75);
  EXPECT_EQ(dims.Segments, 48);

  const auto fatal =
      Set(kThreeQuarter, Choices("[Inch 3/4]", "0.076923 UNC", "0.25"), dims);
  EXPECT_EQ(fatal.kind, Kind::kFatal);
  EXPECT_EQ(fatal.message, "Fatal Error: Bolt length (000.250) too short for pitch (000.0769).");
  EXPECT_NEAR(dims.ThreadLength, -0.0192305, 1e-9);

  // The size matches in any case; the next size takes its own values only.
  ASSERT_EQ(Set(kThreeQuarter, Choices("[INCH 7/8]", "0.1", "3"), dims).kind,
            Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.DiaNom, 0.875);
  EXPECT_DOUBLE_EQ(dims.AcrossCorners, 1.3125 * 1.1547005383792517);
}

TEST(SetBoltDimensions, ThreadLengthAtTheLongShorteningAndFourPitchBoundaries) {
  const struct {
    const char *keys, *pitch, *length;
    Kind kind;
    double thread;
  } cases[] = {
      // Long itself takes the short thread; at 3.5 pitches + MinThrSht = 2.1875 both rules agree.
      {"", "0.125", "4", Kind::kOk, 1.75}, {"", "0.125", "4.001", Kind::kOk, 3},
      {"", "0.125", "2.1875", Kind::kOk, 1.75}, {"", "0.125", "2", Kind::kOk, 2 - 0.4375},
      // Between three and three and a half pitches beyond MinThrSht, still shortened.
      {"", "0.125", "2.15", Kind::kOk, 2.15 - 0.4375},
      // A long bolt keeps MinThrLng although it exceeds the length; exactly four pitches pass.
      {"Long=1\r\nMinThrLng=9\r\n", "0.125", "2.5", Kind::kOk, 9},
      {"MinThrSht=1\r\n", "0.25", "2", Kind::kOk, 1},
      {"MinThrSht=0.999\r\n", "0.25", "2", Kind::kFatal, 0.999},
  };
  for (const auto& c : cases) {
    BoltDimensions dims;
    const auto result = Set(Section(c.keys), Choices("[T]", c.pitch, c.length), dims);
    EXPECT_EQ(result.kind, c.kind) << c.keys << c.length << result.message;
    EXPECT_DOUBLE_EQ(dims.ThreadLength, c.thread) << c.keys << c.length;
  }
}

TEST(SetBoltDimensions, SectionLineRulesAndSegmentsRoundHalfToEvenClampedToSixteenBits) {
  BoltDimensions dims;
  const std::string content = Section(
      "FLATS = 2.5\r\nhghthex=0.625 ; the number ends\r\n;HghtNut=7\r\n   ;HghtNutJam=7\r\n"
      "HghtWshFace 0.3\r\nflats=2.75\r\n[Next without a bracket\r\nHghtNut=8\r\n");
  ASSERT_EQ(Set(content, Choices("[T]", "0", "1"), dims).kind, Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.Flats, 2.75);
  EXPECT_DOUBLE_EQ(dims.HghtHex, 0.625);
  EXPECT_EQ(dims.HghtNut + dims.HghtNutJam + dims.HghtWshFace, 0.75 + 0.5 + 0.03);
  const std::pair<const char*, int> cases[] = {{"36.5", 36}, {"37.5", 38}, {"240 segments", 240},
                                               {"x", 0}, {"99999", 32767}, {"-99999", -32768}};
  for (const auto& [text, expected] : cases) {
    ASSERT_EQ(Set(Section(""), Choices("[T]", "0.125", "3", text), dims).kind,
              Kind::kOk);
    EXPECT_EQ(dims.Segments, expected) << text;
  }
}

TEST(SetBoltDimensions, RefusalsNameTheCauseAndChangeNothing) {
  BoltDimensions dims;
  ASSERT_EQ(Set(Section(""), Choices("[T]", "0.125", "3"), dims).kind, Kind::kOk);
  const BoltDimensions before = dims;
  const struct {
    std::string content;
    BoltRequest request;
    const char* named;
  } cases[] = {
      // No section: no header names the size, nor does a key line that spells it.
      {Section(""), Choices("[U]", "0.2", "5"), "[U]"},
      {Section("x=1\r\n"), Choices("x=1", "0.2", "5"), "x=1"},
      // The table checks, named by file and line.
      {Section("Flats=abc\r\n"), Choices("[T]", "0.125", "3"), "boltgen.ini:13: [T]: Flats=abc"},
      // Non-finite values, refused before the too-short test.
      {Section(""), Choices("[T]", "0.125", "-1e999"), "-1e999"},
      {Section(""), Choices("[T]", "1e999 UNC", "0.1"), "1e999 UNC"},
      {Section(""), Choices("[T]", "0.125", "3", "1e999"), "1e999"},
      {Section("HghtHex=1e999\r\n"), Choices("[T]", "0.125", "0.1"), "HghtHex=1e999"},
      {Section(""), Choices("[T]", "1e308", "3"), "minor diameter"},
  };
  for (const auto& c : cases) {
    const auto result = Set(c.content, c.request, dims);
    EXPECT_EQ(result.kind, Kind::kRefused) << c.content;
    EXPECT_NE(result.message.find(c.named), std::string::npos) << c.named << " in " << result.message;
    EXPECT_TRUE(dims.NomLength == before.NomLength && dims.Pitch == before.Pitch &&
                dims.HghtHex == before.HghtHex);
  }
}

// The third thread length starts strictly above LongXL; the shortening test
// still adds MinThrSht, and a section without the keys behaves as before,
// whatever an earlier generation of the run read.
TEST(SetBoltDimensions, OptionalKeysAddAThirdThreadLengthAndTheNutsFlatsOnlyWhereGiven) {
  const std::string xl = "LongXL=8\r\nMinThrXLng=5\r\nFlatsNut=1.75\r\n";
  const struct {
    const char *keys, *length;
    double thread;
  } cases[] = {{xl.c_str(), "4", 1.75},  {xl.c_str(), "8", 3},   {xl.c_str(), "8.001", 5},
               {xl.c_str(), "2", 2 - 0.4375}, {"", "8.001", 3}};
  BoltDimensions dims;
  for (const auto& c : cases) {
    ASSERT_EQ(Set(Section(c.keys), Choices("[T]", "0.125", c.length), dims).kind,
              Kind::kOk) << c.keys << c.length;
    EXPECT_DOUBLE_EQ(dims.ThreadLength, c.thread) << c.keys << c.length;
    const BoltDimensions nut = NutDimensions(dims);
    const double flats = *c.keys != '\0' ? 1.75 : 1.5;
    EXPECT_DOUBLE_EQ(nut.Flats, flats) << c.keys;
    EXPECT_DOUBLE_EQ(nut.WshFaceDia, flats * 0.9) << c.keys;
    EXPECT_DOUBLE_EQ(nut.AcrossCorners, flats / std::cos(kPi / 6)) << c.keys;
    EXPECT_DOUBLE_EQ(dims.Flats, 1.5);
  }
}

TEST(SetBoltDimensions, OptionalKeysWhenGivenMustMakeSense) {
  const std::pair<const char*, const char*> cases[] = {
      {"FlatsNut=0\r\n", "FlatsNut=0"},
      {"FlatsNut=-1\r\n", "FlatsNut=-1"},
      {"FlatsNut=1e999\r\n", "FlatsNut=1e999"},
      {"LongXL=8\r\n", "only one of LongXL and MinThrXLng"},
      {"MinThrXLng=5\r\n", "only one of LongXL and MinThrXLng"},
      {"LongXL=4\r\nMinThrXLng=5\r\n", "LongXL=4"},
  };
  for (const auto& [keys, named] : cases) {
    BoltDimensions dims;
    const auto result = Set(Section(keys), Choices("[T]", "0.125", "3"), dims);
    EXPECT_EQ(result.kind, Kind::kRefused) << keys;
    EXPECT_NE(result.message.find(named), std::string::npos) << result.message;
  }
}

}  // namespace
}  // namespace boltgen
