#include "config/size_table.h"


#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "base/number_format.h"
#include "base/os.h"
#include "base/test_folder.h"
#include "config/bolt_dimensions.h"
#include "config/bolt_request_test.h"

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

TEST(ReadIniSections, LineRules) {
  const std::pair<const char*, const char*> cases[] = {
      {"; inch sizes\r\n[Inch 3/4]\r\nDiaNom=0.75\r\npitch0=0.0625 UNF\r\npitch1=0.076923 UNC\r\n"
       "Flats=1.125\r\n[Inch 7/8]\r\n",
       "[Inch 3/4];0.750;0.0625 UNF;0.076923 UNC;;\n[Inch 7/8];0.000;;;;\n"},
      {"   [Inch 1/2]   \r\n  DIANOM  =  0.5  \r\nPiTcH0 = 0.05 UNF\r\n",
       "[Inch 1/2];0.500;0.05 UNF;;;\n"},
      {"dianom=9\r\n[A]\r\npitch0=0.1 UNC ; coarse\r\n;[Not a size]\r\npitch1=;x\r\n[B] ; c\r\n",
       "[A];0.000;0.1 UNC;;;\n[B] ;0.000;;;;\n"},
      {"[A]\r\njust words\r\n\t[B]\r\npitch2=0.2 ODD\r\npitch2=3\r\n", "[A];0.000;;;3;\n"},
      // CR, CR LF and a lone LF all end lines: no header is lost to a stray LF.
      {"[A]\rpitch0=1\n[B]\r\npitch1=2\n", "[A];0.000;1;;;\n[B];0.000;;2;;\n"},
  };
  for (const auto& [content, summary] : cases)
    EXPECT_EQ(Summary(ReadIniSections(content)), summary) << content;
}

TEST(ReadIniSections, NoCapOnSectionsTheEighthIsTheDefaultAndPitchLookup) {
  for (auto [count, index] : {std::pair{150, 7}, {8, 7}, {7, 0}, {1, 0}, {0, -1}}) {
    std::string content;
    for (int i = 1; i <= count; ++i) content += "[S" + std::to_string(i) + "]\r\n";
    const auto sizes = ReadIniSections(content);
    ASSERT_EQ(sizes.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(DefaultSizeIndex(sizes), index) << count;
  }
  // The pitch lookup skips empty pitches, uses the first of twin sections, matches exactly.
  const auto sizes = ReadIniSections("[A]\r\npitch1=0.1 UNC\r\npitch3=0.2 ODD\r\n[A]\r\n");
  EXPECT_EQ(PitchesOf(sizes, "[A]"), (std::vector<std::string>{"0.1 UNC", "0.2 ODD"}));
  EXPECT_EQ(FindSize(sizes, "[A]"), &sizes[0]);
  for (const char* other : {"[a]", "[A] ", "A"}) EXPECT_EQ(FindSize(sizes, other), nullptr);
}

TEST(SizeTableFiles, ReadWholeFile) {
  const fs::path root = os::PathFromUtf8(MakeTestFolder("size_table_\xC3\x98"));
  const std::string path = os::Utf8FromPath(root / "t.ini");
  const std::string bytes("[A]\r\nx\n\0y\r", 11);
  std::ofstream(os::PathFromUtf8(path), std::ios::binary) << bytes;
  EXPECT_EQ(ReadWholeFile(path).value(), bytes);
  const Result<std::string> missing = ReadWholeFile(os::Utf8FromPath(root / "missing.ini"));
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().message, "No such file or directory");
  fs::remove_all(root);
}

// The shipped table: every size generates, in standard proportions, through both readers.
TEST(ShippedSizeTable, CrLfLinesThreeQuarterUncDefaultAndEverySizeCompleteAndSane) {
  const Result<std::string> read = ReadWholeFile(BOLTGEN_SOURCE_DIR "/data/boltgen.ini");
  const std::string content = read ? read.value() : std::string();
  // Every line ends in CR LF, the one line end both readers share.
  EXPECT_FALSE(std::regex_search(content, std::regex("\r(?!\n)|(^|[^\r])\n")));
  const auto sizes = ReadIniSections(content);
  ASSERT_GE(sizes.size(), 8u) << (read ? "" : read.error().message);
  const std::string chosen = sizes[DefaultSizeIndex(sizes)].Name;
  EXPECT_EQ(chosen, "[Inch 3/4]");
  EXPECT_EQ(PitchesOf(sizes, chosen), (std::vector<std::string>{"0.0625 UNF", "0.1 UNC"}));

  for (const SizeEntry& size : sizes) {
    SCOPED_TRACE(size.Name);
    const bool inch = size.Name.starts_with("[Inch ");
    const auto pitches = PitchesOf(sizes, size.Name);
    ASSERT_EQ(pitches.size(), 2u);
    for (const std::string& pitch : pitches) {
      BoltDimensions dims;  // all zero: a key missing from the section stays 0
      const Result<> result =
          SetBoltDimensions(content, TextRequest(size.Name, pitch, inch ? "3" : "80"), dims);
      ASSERT_TRUE(result) << result.error().message;
      for (double value : {dims.HghtWshFace, dims.HghtNutJam, dims.RadWshFace}) EXPECT_GT(value, 0);
      EXPECT_EQ(dims.DiaNom, size.DiaNom);
      EXPECT_EQ(dims.MinThrSht, 2 * dims.DiaNom + (inch ? 0.25 : 6));
      EXPECT_EQ(dims.MinThrLng, 2 * dims.DiaNom + (inch ? 0.5 : 12));
      EXPECT_EQ(dims.Long, inch ? 6 : 125);
      EXPECT_TRUE(dims.HghtNut > dims.HghtNutJam && dims.HghtHex > dims.HghtWshFace);
      // The washer face circle lies outside the thread's countersink.
      EXPECT_GT(dims.Flats * 0.9 / 2, dims.DiaNom / 2 + dims.Pitch / 4);
      EXPECT_TRUE(dims.Pitch > 0 && dims.Pitch < dims.DiaNom / 4);
      EXPECT_LE(4 * dims.Pitch, dims.MinThrSht);
    }
  }
}

}  // namespace
}  // namespace boltgen
