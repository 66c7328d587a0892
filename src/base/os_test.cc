#include "base/os.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "base/test_folder.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

// The size table is looked for beside the program: its path must be the
// real file, not the name it was started by.
TEST(Os, ProgramPathIsTheRunningTestProgram) {
  const std::string path = os::ProgramPath("fallback");
  const fs::path file = os::PathFromUtf8(path);
  EXPECT_TRUE(file.is_absolute()) << path;
  EXPECT_TRUE(fs::is_regular_file(file)) << path;
  EXPECT_EQ(os::Utf8FromPath(file.filename()).rfind("boltgen_tests", 0), 0u) << path;
}

// Unique files beside each other, written byte for byte, moved over an
// existing file and removed, all under a name beyond ASCII.
TEST(Os, UniqueFilesAreWrittenExactlyAndMovedIntoPlace) {
  const std::string dir = MakeTestFolder("os_\xE6\x97\xA5");
  const std::string prefix = dir + "/.t\xC3\xA9mp-", target = dir + "/b\xC3\xB6lt.scr";
  std::string first, second;
  os::NativeFile a{}, b{};
  ASSERT_EQ(os::CreateUniqueFile(prefix, first, a), 0);
  ASSERT_EQ(os::CreateUniqueFile(prefix, second, b), 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(first.rfind(prefix, 0), 0u) << first;
  const std::string bytes("a\r\nb\n\0\x1A end", 11);  // CR LF, NUL and Ctrl-Z as they are
  EXPECT_EQ(os::WriteAll(a, bytes), 0);
  EXPECT_EQ(os::SyncFile(a), 0);
  EXPECT_EQ(os::CloseFile(a), 0);
  EXPECT_EQ(os::CloseFile(b), 0);
  EXPECT_EQ(ReadTestFile(first), bytes);

  std::ofstream(os::PathFromUtf8(target), std::ios::binary) << "old";
  EXPECT_EQ(os::MoveIntoPlace(first, target), 0);
  EXPECT_EQ(ReadTestFile(target), bytes);
  EXPECT_FALSE(fs::exists(os::PathFromUtf8(first)));
  EXPECT_NE(os::MoveIntoPlace(first, target), 0);  // gone: nothing to move
  EXPECT_EQ(ReadTestFile(target), bytes);

  std::FILE* file = os::OpenFile(target, "rb");
  ASSERT_NE(file, nullptr);
  char head[3] = {};
  EXPECT_EQ(std::fread(head, 1, 3, file), 3u);
  std::fclose(file);
  EXPECT_EQ(std::string(head, 3), "a\r\n");

  EXPECT_EQ(os::RemoveFile(second), 0);
  EXPECT_NE(os::RemoveFile(second), 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(os::PathFromUtf8(dir)), {}), 1);
  fs::remove_all(os::PathFromUtf8(dir));
}

// Error texts end up inside a sentence of ours: no line break or final period.
TEST(Os, ErrorTextIsOneClauseOfTheSystemsOwnWords) {
  std::string path;
  os::NativeFile file{};
  const std::string dir = MakeTestFolder("os_err");
  const os::Error error = os::CreateUniqueFile(dir + "/no/such/", path, file);
  fs::remove_all(os::PathFromUtf8(dir));
  ASSERT_NE(error, 0);
  const std::string text = os::ErrorText(error);
  EXPECT_GT(text.size(), 3u);
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  EXPECT_NE(text.back(), '.') << text;
  EXPECT_NE(text, os::ErrorText(0)) << text;
}

}  // namespace
}  // namespace boltgen
