#include "config/size_table_file.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "base/os.h"
#include "base/test_folder.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

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
  EXPECT_EQ(Read(), "read 1048576");
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
  for (int i = 0; i < 1000; ++i) sections += "  [S]\n;[not counted]\n";
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
  EXPECT_EQ(SizeTableLabel("./boltgen.ini"), "boltgen.ini");
  EXPECT_EQ(SizeTableLabel("/usr/share/boltgen/boltgen.ini"), "/usr/share/boltgen/boltgen.ini");
}
#endif

}  // namespace
}  // namespace boltgen
