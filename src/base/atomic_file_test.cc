#include "base/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "/atomic_file_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // What the folder holds: a temporary left behind shows up here.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
    return names;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::string dir_;
};

TEST_F(AtomicFile, WritesAndReplacesWithTheUsualPermissions) {
  const std::string path = dir_ + "/bolt.scr";
  const std::string first("line 1\r\nline 2\r\n\0binary", 23);
  EXPECT_EQ(WriteFileAtomically(path, first), "");
  EXPECT_EQ(Read(path), first);
  EXPECT_EQ(WriteFileAtomically(path, "short\r\n"), "");
  EXPECT_EQ(Read(path), "short\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"bolt.scr"});

  const mode_t mask = umask(0);
  umask(mask);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(AtomicFile, AFailedWriteNamesTheFileAndLeavesTheOldOneAndNoTemporary) {
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {dir_ + "/missing/bolt.scr", "No such file or directory"},
      // A folder where the file should be: the rename fails after the
      // temporary is complete.
      {dir_ + "/bolt.scr", ""},
      {dir_ + "/bolt.scr/old.scr/new.scr", "Not a directory"},
  };
  const std::string old = dir_ + "/bolt.scr/old.scr";
  fs::create_directory(dir_ + "/bolt.scr");
  ASSERT_EQ(WriteFileAtomically(old, "old"), "");
  for (const auto& c : cases) {
    const std::string message = WriteFileAtomically(c.path, "new");
    EXPECT_NE(message.find(c.path), std::string::npos) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    EXPECT_EQ(Entries(), std::vector<std::string>{"bolt.scr"});
    EXPECT_EQ(Read(old), "old");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ + "/bolt.scr"), {}), 1);
}

}  // namespace
}  // namespace boltgen
