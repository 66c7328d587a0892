#include "config/size_table.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "base/number_format.h"
#include "base/os.h"
#include "base/test_folder.h"
#include "config/size_table_file.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

// One line per section: "name;DiaNom;pitch0;pitch1;pitch2;pitch3".
std::string Summary(const std::vector<SizeEntry>& sizes) {
  std::string text;
  for (const SizeEntry& e : sizes) {
    text += e.name + ";" + FormatNumber(e.nominal_diameter, "###0.000");
    for (const std::string& pitch : e.pitches) text += ";" + pitch;
    text += "\n";
  }
  return text;
}

TEST(ReadSizeList, LineRules) {
  const std::pair<const char*, const char*> cases[] = {
      {"; inch sizes\r\n[Inch 3/4]\r\nDiaNom=0.75\r\npitch0=0.0625 UNF\r\npitch1=0.076923 UNC\r\n"
       "Flats=1.125\r\n[Inch 7/8]\r\n",
       "[Inch 3/4];0.750;0.0625 UNF;0.076923 UNC;;\n[Inch 7/8];0.000;;;;\n"},
      {"   [Inch 1/2]   \r\n  DIANOM  =  0.5  \r\nPiTcH0 = 0.05 UNF\r\n",
       "[Inch 1/2];0.500;0.05 UNF;;;\n"},
      // The name ends at its comment, without the blanks before it.
      {"dianom=9\r\n[A]\r\npitch0=0.1 UNC ; coarse\r\n;[Not a size]\r\npitch1=;x\r\n[B] ; c\r\n",
       "[A];0.000;0.1 UNC;;;\n[B];0.000;;;;\n"},
      // A tab after the header is no part of the name.
      {"[Inch 3/4]\t\r\n", "[Inch 3/4];0.000;;;;\n"},
      // A header indented with a tab is a size of its own; the later of twin keys wins.
      {"[A]\r\njust words\r\n\t[B]\r\npitch2=0.2 ODD\r\npitch2=3\r\n",
       "[A];0.000;;;;\n[B];0.000;;;3;\n"},
      // CR, CR LF and a lone LF all end lines: no header is lost to a stray LF.
      {"[A]\rpitch0=1\n[B]\r\npitch1=2\n", "[A];0.000;1;;;\n[B];0.000;;2;;\n"},
  };
  for (const auto& [content, summary] : cases)
    EXPECT_EQ(Summary(ReadSizeList(content)), summary) << content;
}

// A header with anything but blanks before its bracket keeps its place in
// the list, so that every later index names the size it named before.
TEST(ReadSizeList, AnOddHeaderNeverShiftsTheIndexesOfLaterSizes) {
  std::string clean;
  for (int i = 0; i < 10; ++i) clean += "[S" + std::to_string(i) + "]\r\npitch0=0." + std::to_string(i) + "\r\n";
  const std::vector<SizeEntry> expected = ReadSizeList(clean);
  for (const char* lead : {"\xEF\xBB\xBF", "\t", "\xC2\xA0", "\f", "\v", "\xE2\x80\x8B"}) {
    for (const std::size_t at : {std::size_t{0}, clean.find("[S3]"), clean.find("[S7]")}) {
      const std::vector<SizeEntry> sizes = ReadSizeList(std::string(clean).insert(at, lead));
      ASSERT_EQ(sizes.size(), expected.size()) << lead << at;
      EXPECT_EQ(sizes[7].name, "[S7]");
      EXPECT_EQ(PitchesOf(sizes, "[S7]"), (std::vector<std::string>{"0.7"}));
      EXPECT_EQ(Summary(sizes), Summary(expected));
    }
  }
}

TEST(ReadSizeList, NoCapOnSectionsTheEighthIsTheDefaultAndPitchLookup) {
  for (auto [count, index] : {std::pair{150, 7}, {8, 7}, {7, 0}, {1, 0}, {0, -1}}) {
    std::string content;
    for (int i = 1; i <= count; ++i) content += "[S" + std::to_string(i) + "]\r\n";
    const auto sizes = ReadSizeList(content);
    ASSERT_EQ(sizes.size(), static_cast<std::size_t>(count));
    EXPECT_EQ(DefaultSizeIndex(sizes), index) << count;
  }
  // The pitch lookup skips empty pitches, uses the first of twin sections, matches exactly.
  const auto sizes = ReadSizeList("[A]\r\npitch1=0.1 UNC\r\npitch3=0.2 ODD\r\n[A]\r\n");
  EXPECT_EQ(PitchesOf(sizes, "[A]"), (std::vector<std::string>{"0.1 UNC", "0.2 ODD"}));
  EXPECT_EQ(FindSize(sizes, "[A]"), &sizes[0]);
  for (const char* other : {"[a]", "[A] ", "A"}) EXPECT_EQ(FindSize(sizes, other), nullptr);
}

class SizeTableFileTest : public testing::Test {
 protected:
  SizeTableFileTest() : dir_(os::PathFromUtf8(MakeTestFolder("boltgen_table"))) {}
  ~SizeTableFileTest() override { fs::remove_all(dir_); }

  std::string Write(const std::string& content) {
    std::ofstream(dir_ / "boltgen.ini", std::ios::binary) << content;
    return Path();
  }
  std::string Path() const { return (dir_ / "boltgen.ini").string(); }
  // The message of a refused read, or "read" with the content's size.
  std::string Read() {
    const Result<std::string> content = ReadSizeTable(Path());
    return content ? "read " + std::to_string(content->size()) : content.error().message;
  }

  fs::path dir_;
};

TEST_F(SizeTableFileTest, AHugeFileIsRefusedFromItsSizeAtOnce) {
  Write("");
  fs::resize_file(Path(), std::uintmax_t{4} << 30);  // sparse: nothing is written
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Read(), Path() + " is 4.0 GB; a size table may be at most 1 MiB (1048576 bytes)");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
  // The bound itself, with a byte count where units would round it away.
  std::string lines;
  while (lines.size() < kMaxSizeTableBytes) lines += ";" + std::string(29, '-') + "\r\n";
  ASSERT_EQ(lines.size(), kMaxSizeTableBytes);
  Write(lines);
  EXPECT_EQ(ReadSizeTable(Path()).value(), lines);  // read in pieces, every one of them
  Write(lines + ";");
  EXPECT_EQ(Read(), Path() + " is 1048577 bytes; a size table may be at most 1 MiB (1048576 bytes)");
}

TEST_F(SizeTableFileTest, LinesAndSectionsAreBoundedBeforeAnyReaderParses) {
  Write("[A]\r\n" + std::string(4096, 'x') + "\n[B]\r\n");
  EXPECT_EQ(Read(), "read 4107");
  Write("[A]\r\n[B]\r" + std::string(4097, 'x') + "\r\n");
  EXPECT_EQ(Read(), Path() + ":3: the line is 4097 characters long; a size table line may be at most 4096");
  std::string sections;
  for (int i = 0; i < 1000; ++i) sections += (i % 2 ? "  [S]\n" : "\t[S]\n") + std::string(";[not counted]\n");
  Write(sections);
  EXPECT_EQ(Read(), "read " + std::to_string(sections.size()));
  Write(sections + "[S1001]\n");
  EXPECT_EQ(Read(), Path() + ":2001: a section beyond the first 1000; a size table may have at most 1000 sections");
  // A megabyte of "[" lines stops at the 1001st, in milliseconds.
  std::string brackets;
  while (brackets.size() < kMaxSizeTableBytes) brackets += "[\n";
  Write(brackets);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Read(), Path() + ":1001: a section beyond the first 1000; a size table may have at most 1000 sections");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

// What Notepad writes when it saves "Unicode": each character two bytes.
std::string Utf16(std::string_view text, bool big_endian) {
  std::string bytes;
  for (const char c : text) bytes += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
  return bytes;
}

TEST_F(SizeTableFileTest, AUtf16TableIsNamedAsSuchWithHowToSaveIt) {
  const std::string table = "[Inch 3/4]\r\nDiaNom=0.75\r\n";
  const std::string message = Path() + " is UTF-16 text; a size table is UTF-8 or 8-bit text. "
                              "Save it again as UTF-8 (in Notepad: File, Save As, Encoding UTF-8)";
  for (const std::string& bytes : {"\xFF\xFE" + Utf16(table, false), "\xFE\xFF" + Utf16(table, true),
                                   Utf16(table, false), Utf16(table, true)}) {
    Write(bytes);
    EXPECT_EQ(Read(), message);
  }
  // A NUL or two in UTF-8 text is no UTF-16: the header it hides is refused by its line.
  Write(std::string(1, '\0') + table);
  EXPECT_EQ(Read(), "read 26");
}

#ifndef _WIN32  // FIFOs, dangling links and the system's words as POSIX has them
TEST_F(SizeTableFileTest, OnlyARegularFileIsReadAndOthersAreNamedByKind) {
  fs::create_directory(Path());
  EXPECT_EQ(Read(), Path() + " is a folder, not a size table file");
  fs::remove(Path());
  fs::create_symlink(dir_ / "gone.ini", Path());
  EXPECT_EQ(Read(), Path() + " is a link to " + (dir_ / "gone.ini").string() + ", which does not exist");
  fs::remove(Path());
  ASSERT_EQ(mkfifo(Path().c_str(), 0600), 0);
  EXPECT_EQ(Read(), Path() + " is a FIFO (named pipe), not a size table file");  // and no wait
  fs::remove(Path());
  EXPECT_EQ(Read(), Path() + " cannot be read: No such file or directory");
  // A loop of links is no device.
  fs::create_symlink(dir_ / "loop.ini", Path());
  fs::create_symlink(Path(), dir_ / "loop.ini");
  EXPECT_EQ(Read(), Path() + " cannot be read: Too many levels of symbolic links");
  EXPECT_EQ(SizeTableLabel("./boltgen.ini"), "boltgen.ini");
}
#endif

// The name as the user would type it, on every system's spelling of the
// working folder, and no other prefix taken away.
TEST(SizeTableLabel, TheWorkingFoldersOwnPrefixGoes) {
  EXPECT_EQ(SizeTableLabel("./boltgen.ini"), "boltgen.ini");
#ifdef _WIN32
  EXPECT_EQ(SizeTableLabel(".\\boltgen.ini"), "boltgen.ini");
#else
  EXPECT_EQ(SizeTableLabel(".\\boltgen.ini"), ".\\boltgen.ini");  // a name of its own here
#endif
  EXPECT_EQ(SizeTableLabel("../boltgen.ini"), "../boltgen.ini");
  EXPECT_EQ(SizeTableLabel("/usr/share/boltgen/boltgen.ini"), "/usr/share/boltgen/boltgen.ini");
}

}  // namespace
}  // namespace boltgen
