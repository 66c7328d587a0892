#include "base/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(WriteFileAtomically, ReplacesWithUsualPermissionsAndAFailureLeavesTheOldFileAndNamesIt) {
  std::string pattern = testing::TempDir() + "/atomic_file_XXXXXX";
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const std::string dir = pattern, path = dir + "/bolt.scr", old = path + "/old.scr";
  const std::string first("line 1\r\n\0binary", 15);
  EXPECT_EQ(WriteFileAtomically(path, "an older and longer text"), "");
  EXPECT_EQ(WriteFileAtomically(path, first), "");
  EXPECT_EQ(Read(path), first);
  const mode_t mask = umask(0);  // reads the mask, restored on the next line
  umask(mask);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);

  // A folder where the file should be: the rename fails after the temporary is complete.
  fs::remove(path), fs::create_directory(path);
  ASSERT_EQ(WriteFileAtomically(old, "old"), "");
  const std::pair<std::string, const char*> cases[] = {
      {dir + "/missing/bolt.scr", "No such file or directory"}, {path, ""},
      {old + "/new.scr", "Not a directory"}};
  for (const auto& [target, reason] : cases) {  // and no temporary is left behind
    const std::string message = WriteFileAtomically(target, "new");
    EXPECT_NE(message.find(target), std::string::npos) << message;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    EXPECT_EQ(Read(old), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(path), {}), 1);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace boltgen
