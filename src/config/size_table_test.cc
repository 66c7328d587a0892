#include "config/size_table.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "base/number_format.h"
#include "config/bolt_dimensions.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

// One line per section: "name;DiaNom;pitch0;pitch1;pitch2;pitch3".
std::string Summary(const std::vector<SizeEntry>& sizes) {
  std::string text;
  for (const SizeEntry& e : sizes) {
    text += e.Name + ";" + FormatNumber(e.DiaNom, "###0.000") + ";" + e.Pitch0 + ";" + e.Pitch1 +
            ";" + e.Pitch2 + ";" + e.Pitch3 + "\n";
  }
  return text;
}

// Sections named "[S1]" .. "[Sn]", each with one pitch naming its number.
std::string NumberedSections(int count) {
  std::string content;
  for (int i = 1; i <= count; ++i) {
    content += "[S" + std::to_string(i) + "]\r\npitch0=" + std::to_string(i) + " UNC\r\n";
  }
  return content;
}

TEST(ReadIniSections, LineRules) {
  const std::pair<const char*, const char*> cases[] = {
      // The worked example of the 3/4 inch size.
      {"; inch sizes\r\n[Inch 3/4]\r\nDiaNom=0.75\r\npitch0=0.0625 UNF\r\npitch1=0.076923 UNC\r\n"
       "Flats=1.125\r\nHghtHex=0.46875\r\n[Inch 7/8]\r\n",
       "[Inch 3/4];0.750;0.0625 UNF;0.076923 UNC;;\n[Inch 7/8];0.000;;;;\n"},
      // Keys and headers are trimmed of spaces; keys match in any case.
      {"   [Inch 1/2]   \r\n  DIANOM  =  0.5  \r\nPiTcH0 = 0.05 UNF\r\n",
       "[Inch 1/2];0.500;0.05 UNF;;;\n"},
      // Comments are cut off, also after a value and after a header.
      {"dianom=9\r\n[A]\r\npitch0=0.1 UNC ; coarse\r\n;[Not a size]\r\npitch1=;x\r\n[B] ; c\r\n",
       "[A];0.000;0.1 UNC;;;\n[B] ;0.000;;;;\n"},
      // A header needs only its opening bracket.
      {"[Inch 1\r\n[Inch 2] extra\r\n", "[Inch 1;0.000;;;;\n[Inch 2] extra;0.000;;;;\n"},
      // Tabs are not trimmed: the indented header is a key line without "=".
      {"[A]\r\njust words\r\n\t[B]\r\npitch2=0.2 ODD\r\n", "[A];0.000;;;0.2 ODD;\n"},
      // A lone line feed ends no line: "[B]" stays inside the pitch text.
      {"[A]\rpitch0=1\n[B]\r\npitch1=2\r\n", "[A];0.000;1\n[B];2;;\n"},
      // The later key wins.
      {"[A]\r\npitch0=1\r\npitch0=2\r\n", "[A];0.000;2;;;\n"},
  };
  for (const auto& [content, summary] : cases) {
    EXPECT_EQ(Summary(ReadIniSections(content)), summary) << content;
  }
}

TEST(ReadIniSections, NoCapOnSectionsAndTheEighthIsTheDefault) {
  const auto many = ReadIniSections(NumberedSections(150));
  ASSERT_EQ(many.size(), 150u);
  EXPECT_EQ(many[149].Pitch0, "150 UNC");
  for (auto [count, index] : {std::pair{8, 7}, {20, 7}, {7, 0}, {1, 0}}) {
    EXPECT_EQ(DefaultSizeIndex(ReadIniSections(NumberedSections(count))), index) << count;
  }
  EXPECT_EQ(DefaultSizeIndex({}), -1);
}

TEST(PitchLookup, SkipsEmptyPitchesUsesTheFirstOfTwinSectionsAndMatchesExactly) {
  const auto sizes = ReadIniSections(
      "[A]\r\npitch1=0.1 UNC\r\npitch3=0.2 ODD\r\n"
      "[A]\r\npitch0=0.3 UNF\r\n");
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(PitchesOf(sizes, "[A]"), (std::vector<std::string>{"0.1 UNC", "0.2 ODD"}));
  EXPECT_EQ(FindSize(sizes, "[A]"), &sizes[0]);
  for (const char* other : {"[a]", "[A] ", "A"}) EXPECT_EQ(FindSize(sizes, other), nullptr);
  EXPECT_TRUE(PitchesOf(sizes, "A").empty());
}

class SizeTableFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testing::TempDir() + "size_table_" + std::to_string(::getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Write(const fs::path& relative, const std::string& content) {
    const fs::path path = root_ / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  std::string Locate() {
    return LocateDataFile("boltgen.ini", (root_ / "work").string(),
                          (root_ / "prefix" / "bin").string());
  }

  fs::path root_;
};

TEST_F(SizeTableFiles, ReadWholeFileKeepsEveryByteAndReportsTheSystemsReason) {
  const std::string bytes("[A]\r\nx\n\0y\r", 11);
  std::string error;
  EXPECT_EQ(ReadWholeFile(Write("t.ini", bytes).string(), &error), bytes);
  EXPECT_EQ(ReadWholeFile((root_ / "missing.ini").string(), &error), std::nullopt);
  EXPECT_EQ(error, "No such file or directory");
  error.clear();
  EXPECT_EQ(ReadWholeFile(root_.string(), &error), std::nullopt);
  EXPECT_FALSE(error.empty());
}

TEST_F(SizeTableFiles, LocateDataFileLooksInTheWorkingFolderThenBesideTheProgramThenShared) {
  // A folder of that name in the working folder is not the file.
  fs::create_directories(root_ / "work" / "boltgen.ini");
  fs::create_directories(root_ / "prefix" / "bin");
  EXPECT_EQ(Locate(), "");
  const fs::path shared = Write("prefix/share/boltgen/boltgen.ini", "s");
  EXPECT_TRUE(fs::equivalent(Locate(), shared)) << Locate();
  EXPECT_EQ(Locate(), Write("prefix/bin/boltgen.ini", "b").string());
  fs::remove(root_ / "work" / "boltgen.ini");
  // The working folder's file matches in any case; an exact match goes first.
  EXPECT_EQ(Locate(), Write("work/BoltGen.INI", "w").string());
  Write("work/BOLTGEN.ini", "other");
  EXPECT_EQ(Locate(), Write("work/boltgen.ini", "exact").string());
  EXPECT_EQ(LocateDataFile("boltgen.ini", (root_ / "nowhere").string(), ""), "");
}

// The table that ships with the program: every size must generate, with
// standard proportions, through both readers.
TEST(ShippedSizeTable, CrLfLinesThreeQuarterUncDefaultAndEverySizeCompleteAndSane) {
  std::string error;
  const auto read = ReadWholeFile(BOLTGEN_SOURCE_DIR "/data/boltgen.ini", &error);
  ASSERT_TRUE(read.has_value()) << error;
  const std::string& content = *read;
  // Every line ends in CR LF, the one line end both readers share.
  EXPECT_FALSE(std::regex_search(content, std::regex("\r(?!\n)|(^|[^\r])\n")));
  EXPECT_TRUE(content.ends_with("\r\n"));

  const auto sizes = ReadIniSections(content);
  ASSERT_GE(sizes.size(), 8u);
  const SizeEntry& chosen = sizes[DefaultSizeIndex(sizes)];
  EXPECT_EQ(chosen.Name, "[Inch 3/4]");
  EXPECT_EQ(PitchesOf(sizes, chosen.Name), (std::vector<std::string>{"0.0625 UNF", "0.1 UNC"}));
  EXPECT_EQ(sizes.front().Name, "[Inch 1/4]");
  EXPECT_EQ(sizes.back().Name, "[Metric M36]");

  for (const SizeEntry& size : sizes) {
    SCOPED_TRACE(size.Name);
    const bool inch = size.Name.starts_with("[Inch ");
    ASSERT_TRUE(inch || size.Name.starts_with("[Metric M"));
    const auto pitches = PitchesOf(sizes, size.Name);
    ASSERT_EQ(pitches.size(), 2u);
    if (inch) EXPECT_TRUE(pitches[0].ends_with(" UNF") && pitches[1].ends_with(" UNC"));
    for (const std::string& pitch : pitches) {
      Controls controls;
      controls.Cmb_Size.text = size.Name;
      controls.Cmb_Pitch.text = pitch;
      controls.TXT_Nom_Length.text = inch ? "3" : "80";
      controls.CMB_Segments.text = "36";
      BoltDimensions dims;  // all zero: a key missing from the section stays 0
      const auto result = SetBoltDimensions(content, controls, dims);
      ASSERT_EQ(result.kind, DimensionsResult::Kind::kOk) << result.message;
      // With the relations below, every dimension is positive.
      for (double value : {dims.Pitch, dims.HghtWshFace, dims.HghtNutJam, dims.RadWshFace}) {
        EXPECT_GT(value, 0);
      }
      EXPECT_EQ(dims.DiaNom, size.DiaNom);
      EXPECT_EQ(dims.MinThrSht, 2 * dims.DiaNom + (inch ? 0.25 : 6));
      EXPECT_EQ(dims.MinThrLng, 2 * dims.DiaNom + (inch ? 0.5 : 12));
      EXPECT_EQ(dims.Long, inch ? 6 : 125);
      EXPECT_GT(dims.HghtNut, dims.HghtNutJam);
      EXPECT_GT(dims.HghtHex, dims.HghtWshFace);
      EXPECT_GT(dims.Flats, dims.DiaNom);
      // The washer face circle lies outside the thread's countersink.
      EXPECT_GT(dims.Flats * 0.9 / 2, dims.DiaNom / 2 + dims.Pitch / 4);
      EXPECT_LE(4 * dims.Pitch, dims.MinThrSht);
      EXPECT_LT(dims.Pitch, dims.DiaNom / 4);
    }
  }
}

}  // namespace
}  // namespace boltgen
