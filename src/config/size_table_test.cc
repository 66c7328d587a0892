#include "config/size_table.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "config/bolt_dimensions.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

// Sections named "[S1]" .. "[Sn]", each with one pitch naming its number.
std::string NumberedSections(int count) {
  std::string content;
  for (int i = 1; i <= count; ++i) {
    content += "[S" + std::to_string(i) + "]\r\npitch0=" + std::to_string(i) + " UNC\r\n";
  }
  return content;
}

TEST(ReadIniSections, WorkedExampleOfTheThreeQuarterInchSize) {
  const auto sizes = ReadIniSections(
      "; inch sizes\r\n"
      "[Inch 3/4]\r\n"
      "DiaNom=0.75\r\n"
      "pitch0=0.0625 UNF\r\n"
      "pitch1=0.076923 UNC\r\n"
      "Flats=1.125\r\n"
      "HghtHex=0.46875\r\n"
      "[Inch 7/8]\r\n");
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[0].Name, "[Inch 3/4]");
  EXPECT_DOUBLE_EQ(sizes[0].DiaNom, 0.75);
  EXPECT_EQ(PitchesOf(sizes, "[Inch 3/4]"),
            (std::vector<std::string>{"0.0625 UNF", "0.076923 UNC"}));
  EXPECT_EQ(sizes[1].Name, "[Inch 7/8]");
  EXPECT_EQ(sizes[1].DiaNom, 0);
  EXPECT_TRUE(PitchesOf(sizes, "[Inch 7/8]").empty());
}

TEST(ReadIniSections, KeysAndHeadersAreTrimmedAndKeysMatchInAnyCase) {
  const auto sizes = ReadIniSections(
      "   [Inch 1/2]   \r\n"
      "  DIANOM  =  0.5  \r\n"
      "PiTcH0 = 0.05 UNF\r\n");
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].Name, "[Inch 1/2]");
  EXPECT_DOUBLE_EQ(sizes[0].DiaNom, 0.5);
  EXPECT_EQ(sizes[0].Pitch0, "0.05 UNF");
}

TEST(ReadIniSections, CommentsAreCutOff) {
  const auto sizes = ReadIniSections(
      "dianom=9\r\n"  // before any section: belongs to no size
      "[A]\r\n"
      "pitch0=0.1 UNC ; coarse\r\n"
      ";[Not a size]\r\n"
      "pitch1=;nothing\r\n"
      "[B] ; the header keeps what stands before the comment\r\n");
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[0].Pitch0, "0.1 UNC");
  EXPECT_EQ(sizes[0].Pitch1, "");
  EXPECT_EQ(sizes[0].DiaNom, 0);
  EXPECT_EQ(sizes[1].Name, "[B] ");
}

TEST(ReadIniSections, HeadersNeedOnlyTheOpeningBracket) {
  const auto sizes = ReadIniSections("[Inch 1\r\n[Inch 2] extra\r\n");
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[0].Name, "[Inch 1");
  EXPECT_EQ(sizes[1].Name, "[Inch 2] extra");
}

TEST(ReadIniSections, LinesWithoutEqualsAndTabIndentedHeadersAreSkipped) {
  // Tabs are not trimmed, so the indented header is a key line without "=";
  // the pitch after it still belongs to [A].
  const auto sizes = ReadIniSections(
      "[A]\r\n"
      "just words\r\n"
      "\t[B]\r\n"
      "pitch2=0.2 ODD\r\n");
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].Pitch2, "0.2 ODD");
}

TEST(ReadIniSections, LinesEndAtCrOrCrLfOnly) {
  const auto sizes = ReadIniSections("[A]\rpitch0=1\n[B]\r\npitch1=2\r\n");
  ASSERT_EQ(sizes.size(), 1u);
  // The lone line feed kept "[B]" inside the pitch text.
  EXPECT_EQ(sizes[0].Pitch0, "1\n[B]");
  EXPECT_EQ(sizes[0].Pitch1, "2");
}

TEST(ReadIniSections, LaterKeyWinsAndThereIsNoCapOnSections) {
  const auto once = ReadIniSections("[A]\r\npitch0=1\r\npitch0=2\r\n");
  ASSERT_EQ(once.size(), 1u);
  EXPECT_EQ(once[0].Pitch0, "2");

  const auto many = ReadIniSections(NumberedSections(150));
  ASSERT_EQ(many.size(), 150u);
  EXPECT_EQ(many[149].Name, "[S150]");
  EXPECT_EQ(many[149].Pitch0, "150 UNC");
}

TEST(DefaultSizeIndex, EighthWhenThereAreEightOtherwiseFirst) {
  EXPECT_EQ(DefaultSizeIndex(ReadIniSections(NumberedSections(8))), 7);
  EXPECT_EQ(DefaultSizeIndex(ReadIniSections(NumberedSections(20))), 7);
  EXPECT_EQ(DefaultSizeIndex(ReadIniSections(NumberedSections(7))), 0);
  EXPECT_EQ(DefaultSizeIndex(ReadIniSections(NumberedSections(1))), 0);
  EXPECT_EQ(DefaultSizeIndex({}), -1);
}

TEST(PitchLookup, SkipsEmptyPitchesAndUsesTheFirstOfTwinSections) {
  const auto sizes = ReadIniSections(
      "[A]\r\npitch1=0.1 UNC\r\npitch3=0.2 ODD\r\n"
      "[A]\r\npitch0=0.3 UNF\r\n");
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(PitchesOf(sizes, "[A]"), (std::vector<std::string>{"0.1 UNC", "0.2 ODD"}));
  EXPECT_EQ(FindSize(sizes, "[A]"), &sizes[0]);
}

TEST(PitchLookup, NameMustMatchExactly) {
  const auto sizes = ReadIniSections("[Inch 3/4]\r\npitch0=0.1 UNC\r\n");
  EXPECT_EQ(FindSize(sizes, "[inch 3/4]"), nullptr);
  EXPECT_EQ(FindSize(sizes, "[Inch 3/4] "), nullptr);
  EXPECT_TRUE(PitchesOf(sizes, "Inch 3/4").empty());
}

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::temp_directory_path() /
            (std::string("boltgen_size_table_") + info->name() + "_" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  fs::path Write(const fs::path& relative, const std::string& content) {
    const fs::path path = root_ / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  fs::path root_;
};

using ReadWholeFileTest = TempFolder;

TEST_F(ReadWholeFileTest, KeepsEveryByteAndReportsTheSystemsReason) {
  const std::string bytes("[A]\r\nx\n\0y\r", 11);
  const fs::path path = Write("t.ini", bytes);
  std::string error;
  EXPECT_EQ(ReadWholeFile(path.string(), &error), bytes);

  EXPECT_EQ(ReadWholeFile((root_ / "missing.ini").string(), &error), std::nullopt);
  EXPECT_EQ(error, "No such file or directory");

  error.clear();
  EXPECT_EQ(ReadWholeFile(root_.string(), &error), std::nullopt);
  EXPECT_FALSE(error.empty());
}

using LocateDataFileTest = TempFolder;

TEST_F(LocateDataFileTest, WorkingFolderFirstWhateverTheCase) {
  const fs::path work = root_ / "work";
  const fs::path bin = root_ / "bin";
  Write("work/BoltGen.INI", "w");
  Write("bin/boltgen.ini", "b");
  EXPECT_EQ(LocateDataFile("boltgen.ini", work.string(), bin.string()),
            (work / "BoltGen.INI").string());

  Write("work/boltgen.ini", "exact");
  Write("work/BOLTGEN.ini", "other");
  EXPECT_EQ(LocateDataFile("boltgen.ini", work.string(), bin.string()),
            (work / "boltgen.ini").string());
}

TEST_F(LocateDataFileTest, ThenBesideTheProgramThenTheSharedFolder) {
  const fs::path work = root_ / "work";
  const fs::path bin = root_ / "prefix" / "bin";
  fs::create_directories(work);
  fs::create_directories(bin);
  // A folder of that name in the working folder is not the file.
  fs::create_directories(work / "boltgen.ini");
  EXPECT_EQ(LocateDataFile("boltgen.ini", work.string(), bin.string()), "");

  const fs::path shared = Write("prefix/share/boltgen/boltgen.ini", "s");
  const std::string found = LocateDataFile("boltgen.ini", work.string(), bin.string());
  EXPECT_TRUE(fs::equivalent(found, shared)) << found;

  const fs::path beside = Write("prefix/bin/boltgen.ini", "b");
  EXPECT_EQ(LocateDataFile("boltgen.ini", work.string(), bin.string()), beside.string());
  EXPECT_EQ(LocateDataFile("boltgen.ini", (root_ / "nowhere").string(), ""), "");
}

// The table that ships with the program: every size must generate, with
// standard proportions, through both readers.
class ShippedSizeTable : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    const auto content = ReadWholeFile(BOLTGEN_SOURCE_DIR "/data/boltgen.ini", &error);
    ASSERT_TRUE(content.has_value()) << error;
    content_ = *content;
    sizes_ = ReadIniSections(content_);
    ASSERT_GE(sizes_.size(), 8u);
  }

  std::string content_;
  std::vector<SizeEntry> sizes_;
};

TEST_F(ShippedSizeTable, EveryLineEndsInCrLf) {
  for (std::size_t i = 0; i < content_.size(); ++i) {
    if (content_[i] == '\n') {
      EXPECT_TRUE(i > 0 && content_[i - 1] == '\r') << "byte " << i;
    } else if (content_[i] == '\r') {
      EXPECT_TRUE(i + 1 < content_.size() && content_[i + 1] == '\n') << "byte " << i;
    }
  }
  EXPECT_EQ(content_.substr(content_.size() - 2), "\r\n");
}

TEST_F(ShippedSizeTable, DefaultIsThreeQuarterInchUnc) {
  const SizeEntry& size = sizes_[DefaultSizeIndex(sizes_)];
  EXPECT_EQ(size.Name, "[Inch 3/4]");
  EXPECT_EQ(size.DiaNom, 0.75);
  EXPECT_EQ(PitchesOf(sizes_, size.Name), (std::vector<std::string>{"0.0625 UNF", "0.1 UNC"}));
  EXPECT_EQ(sizes_.front().Name, "[Inch 1/4]");
  EXPECT_EQ(sizes_.back().Name, "[Metric M36]");
}

TEST_F(ShippedSizeTable, EverySizeHasBothPitchesAllDimensionsAndSaneProportions) {
  for (const SizeEntry& size : sizes_) {
    SCOPED_TRACE(size.Name);
    const bool inch = size.Name.starts_with("[Inch ");
    ASSERT_TRUE(inch || size.Name.starts_with("[Metric M"));
    const auto pitches = PitchesOf(sizes_, size.Name);
    ASSERT_EQ(pitches.size(), 2u);
    if (inch) {
      EXPECT_TRUE(pitches[0].ends_with(" UNF") && pitches[1].ends_with(" UNC"));
    } else {
      for (const char* series : {"UNC", "UNF", "ODD"}) {
        EXPECT_EQ(pitches[0].find(series), std::string::npos);
        EXPECT_EQ(pitches[1].find(series), std::string::npos);
      }
    }

    for (const std::string& pitch : pitches) {
      Controls controls;
      controls.Cmb_Size.text = size.Name;
      controls.Cmb_Pitch.text = pitch;
      controls.TXT_Nom_Length.text = inch ? "3" : "80";
      controls.CMB_Segments.text = "36";
      BoltDimensions dims;  // all zero: a key missing from the section stays 0
      const auto result = SetBoltDimensions(content_, controls, dims);
      ASSERT_EQ(result.kind, DimensionsResult::Kind::kOk) << result.message;
      for (double value : {dims.DiaNom, dims.Flats, dims.HghtHex, dims.HghtWshFace, dims.MinThrSht,
                           dims.MinThrLng, dims.HghtNut, dims.HghtNutJam, dims.RadWshFace, dims.Long}) {
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
