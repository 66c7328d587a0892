#include "config/bolt_dimensions.h"

#include <string>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

using Kind = DimensionsResult::Kind;

// The 3/4 inch size of the worked example, with the dimensions of the shipped table.
constexpr char kThreeQuarter[] =
    "; inch sizes\r\n"
    "[Inch 3/4]\r\n"
    "DiaNom=0.75\r\n"
    "pitch0=0.0625 UNF\r\n"
    "pitch1=0.076923 UNC\r\n"
    "Flats=1.125\r\n"
    "HghtHex=0.46875\r\n"
    "HghtWshFace=0.02\r\n"
    "MinThrSht=1.75\r\n"
    "MinThrLng=2\r\n"
    "HghtNut=0.640625\r\n"
    "HghtNutJam=0.421875\r\n"
    "RadWshFace=0.02\r\n"
    "Long=6\r\n"
    "[Inch 7/8]\r\n"
    "DiaNom=0.875\r\n";

Controls Choices(std::string size, std::string pitch, std::string length,
                 std::string segments = "36") {
  Controls controls;
  controls.Cmb_Size.text = std::move(size);
  controls.Cmb_Pitch.text = std::move(pitch);
  controls.TXT_Nom_Length.text = std::move(length);
  controls.CMB_Segments.text = std::move(segments);
  return controls;
}

// A section whose thread lengths make the boundaries exact in binary.
std::string Section(const std::string& keys) {
  return "[T]\r\nDiaNom=1\r\nFlats=1.5\r\nMinThrSht=1.75\r\nMinThrLng=3\r\nLong=4\r\n" + keys +
         "[Next]\r\n";
}

TEST(SetBoltDimensions, WorkedExampleOfTheThreeQuarterInchSize) {
  BoltDimensions dims;
  const auto result =
      SetBoltDimensions(kThreeQuarter, Choices("[Inch 3/4]", "0.076923 UNC", "2.5", "48"), dims);
  ASSERT_EQ(result.kind, Kind::kOk) << result.message;
  EXPECT_DOUBLE_EQ(dims.Pitch, 0.076923);
  EXPECT_DOUBLE_EQ(dims.HalfPitch, 0.0384615);
  EXPECT_DOUBLE_EQ(dims.MajorDia, 0.75);
  EXPECT_NEAR(dims.MinorDia, 0.6167655, 5e-8);
  EXPECT_NEAR(dims.AcrossCorners, 1.125 * 1.1547005, 1e-7);
  EXPECT_DOUBLE_EQ(dims.WshFaceDia, 1.125 * 0.9);
  EXPECT_DOUBLE_EQ(dims.HghtHex, 0.46875);
  EXPECT_DOUBLE_EQ(dims.HghtNutJam, 0.421875);
  EXPECT_DOUBLE_EQ(dims.RadWshFace, 0.02);
  EXPECT_DOUBLE_EQ(dims.ThreadLength, 1.75);
  EXPECT_DOUBLE_EQ(dims.NomLength, 2.5);
  EXPECT_EQ(dims.Segments, 48);
}

TEST(SetBoltDimensions, TooShortForItsPitchIsFatal) {
  BoltDimensions dims;
  const auto result =
      SetBoltDimensions(kThreeQuarter, Choices("[Inch 3/4]", "0.076923 UNC", "0.25"), dims);
  EXPECT_EQ(result.kind, Kind::kFatal);
  EXPECT_EQ(result.message, "Fatal Error: Bolt length (000.250) too short for pitch (000.0769).");
  EXPECT_NEAR(dims.ThreadLength, -0.0192305, 1e-9);
}

TEST(SetBoltDimensions, SizeTextMatchesInAnyCaseAndFirstOfTwinSectionsWins) {
  BoltDimensions dims;
  const std::string content = std::string(kThreeQuarter) + "[INCH 3/4]\r\nFlats=9\r\n";
  ASSERT_EQ(SetBoltDimensions(content, Choices("[inch 3/4]", "0.1", "3"), dims).kind, Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.Flats, 1.125);
}

TEST(SetBoltDimensions, LongBoundaryTakesTheShortThreadLength) {
  BoltDimensions dims;
  ASSERT_EQ(SetBoltDimensions(Section(""), Choices("[T]", "0.125", "4"), dims).kind, Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.ThreadLength, 1.75);
  ASSERT_EQ(SetBoltDimensions(Section(""), Choices("[T]", "0.125", "4.001"), dims).kind, Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.ThreadLength, 3);
}

TEST(SetBoltDimensions, ShorteningTestsAgainstTheShortThreadLength) {
  BoltDimensions dims;
  // 3.5 pitches + MinThrSht = 0.4375 + 1.75 = 2.1875 exactly: not shortened.
  ASSERT_EQ(SetBoltDimensions(Section(""), Choices("[T]", "0.125", "2.1875"), dims).kind, Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.ThreadLength, 1.75);
  ASSERT_EQ(SetBoltDimensions(Section(""), Choices("[T]", "0.125", "2"), dims).kind, Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.ThreadLength, 2 - 0.4375);
  // A long bolt keeps MinThrLng although it exceeds the length: only MinThrSht is tested.
  ASSERT_EQ(SetBoltDimensions(Section("Long=1\r\nMinThrLng=9\r\n"), Choices("[T]", "0.125", "2.5"),
                              dims).kind,
            Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.ThreadLength, 9);
}

TEST(SetBoltDimensions, ExactlyFourPitchesPass) {
  BoltDimensions dims;
  EXPECT_EQ(SetBoltDimensions(Section("MinThrSht=1\r\n"), Choices("[T]", "0.25", "2"), dims).kind,
            Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.ThreadLength, 1);
  EXPECT_EQ(SetBoltDimensions(Section("MinThrSht=0.999\r\n"), Choices("[T]", "0.25", "2"), dims).kind,
            Kind::kFatal);
}

TEST(SetBoltDimensions, PitchWithoutANumberIsZero) {
  BoltDimensions dims;
  ASSERT_EQ(SetBoltDimensions(Section(""), Choices("[T]", "UNC", "0"), dims).kind, Kind::kOk);
  EXPECT_EQ(dims.Pitch, 0);
  EXPECT_EQ(dims.ThreadLength, 0);
}

TEST(SetBoltDimensions, SectionLineRules) {
  BoltDimensions dims;
  const std::string content =
      "[T]\r\n"
      "FLATS = 2.5\r\n"
      "hghthex=0.5 ; a comment stays but the number ends before it\r\n"
      ";HghtNut=7\r\n"
      "   ;HghtNutJam=7\r\n"
      "pitch0=0.1 UNC\r\n"
      "HghtWshFace 0.3\r\n"
      "flats=2.75\r\n"
      "[Next without a closing bracket\r\n"
      "HghtNut=8\r\n";
  ASSERT_EQ(SetBoltDimensions(content, Choices("[T]", "0", "1"), dims).kind, Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.Flats, 2.75);
  EXPECT_DOUBLE_EQ(dims.HghtHex, 0.5);
  EXPECT_EQ(dims.HghtNut, 0);
  EXPECT_EQ(dims.HghtNutJam, 0);
  EXPECT_EQ(dims.HghtWshFace, 0);
}

TEST(SetBoltDimensions, MissingKeysKeepThePreviousGeneration) {
  BoltDimensions dims;
  const std::string content =
      "[A]\r\nDiaNom=0.875\r\nFlats=1.3125\r\nMinThrSht=2\r\nLong=6\r\n"
      "[B]\r\nDiaNom=1\r\n";
  ASSERT_EQ(SetBoltDimensions(content, Choices("[A]", "0.1", "3"), dims).kind, Kind::kOk);
  ASSERT_EQ(SetBoltDimensions(content, Choices("[B]", "0.125", "3"), dims).kind, Kind::kOk);
  EXPECT_DOUBLE_EQ(dims.ThreadLength, 2);
  EXPECT_DOUBLE_EQ(dims.DiaNom, 1);
  EXPECT_DOUBLE_EQ(dims.Flats, 1.3125);
  EXPECT_DOUBLE_EQ(dims.AcrossCorners, 1.3125 * 1.1547005383792517);
}

TEST(SetBoltDimensions, SegmentsRoundHalfToEvenAndClampToSixteenBits) {
  BoltDimensions dims;
  const struct {
    const char* text;
    int expected;
  } cases[] = {{"36.5", 36}, {"37.5", 38}, {"240 segments", 240}, {"x", 0},
               {"99999", 32767}, {"-99999", -32768}};
  for (const auto& c : cases) {
    ASSERT_EQ(SetBoltDimensions(Section(""), Choices("[T]", "0.125", "3", c.text), dims).kind,
              Kind::kOk);
    EXPECT_EQ(dims.Segments, c.expected) << c.text;
  }
}

TEST(SetBoltDimensions, SizeWithoutSectionIsRefusedAndChangesNothing) {
  BoltDimensions dims;
  ASSERT_EQ(SetBoltDimensions(kThreeQuarter, Choices("[Inch 3/4]", "0.1", "3"), dims).kind, Kind::kOk);
  const BoltDimensions before = dims;

  // A header with a comment after it is not found by the dimension reader.
  for (const char* content : {"[Inch 3/4] ; UNC\r\nFlats=2\r\n", "[Inch 1]\r\nFlats=2\r\n[Inch 3/4]",
                              "[Inch 1]\r\nFlats=2\r\n[Inch 3/4]\r\n"}) {
    const auto result = SetBoltDimensions(content, Choices("[Inch 3/4]", "0.2", "5"), dims);
    EXPECT_EQ(result.kind, Kind::kRefused) << content;
    EXPECT_NE(result.message.find("[Inch 3/4]"), std::string::npos) << result.message;
    EXPECT_EQ(dims.NomLength, before.NomLength);
    EXPECT_EQ(dims.Pitch, before.Pitch);
    EXPECT_EQ(dims.Flats, before.Flats);
  }
  // Blank lines are no sections.
  EXPECT_EQ(SetBoltDimensions("\r\n  \r\nFlats=2\r\n", Choices(" ", "0.2", "5"), dims).kind,
            Kind::kRefused);
  EXPECT_EQ(dims.Flats, before.Flats);
}

TEST(SetBoltDimensions, NonFiniteValuesAreRefusedBeforeTheTooShortTest) {
  BoltDimensions dims;
  ASSERT_EQ(SetBoltDimensions(Section(""), Choices("[T]", "0.125", "3"), dims).kind, Kind::kOk);
  const BoltDimensions before = dims;
  const struct {
    std::string content;
    Controls controls;
    const char* named;
  } cases[] = {
      {Section(""), Choices("[T]", "0.125", "-1e999"), "-1e999"},
      {Section(""), Choices("[T]", "1e999 UNC", "0.1"), "1e999 UNC"},
      {Section(""), Choices("[T]", "0.125", "3", "1e999"), "1e999"},
      {Section("HghtHex=1e999\r\n"), Choices("[T]", "0.125", "0.1"), "HghtHex=1e999"},
      {Section(""), Choices("[T]", "1e308", "3"), "minor diameter"},
  };
  for (const auto& c : cases) {
    const auto result = SetBoltDimensions(c.content, c.controls, dims);
    EXPECT_EQ(result.kind, Kind::kRefused) << c.named;
    EXPECT_NE(result.message.find(c.named), std::string::npos) << result.message;
    EXPECT_EQ(dims.NomLength, before.NomLength);
    EXPECT_EQ(dims.HghtHex, before.HghtHex);
  }
}

}  // namespace
}  // namespace boltgen
