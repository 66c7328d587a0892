#include "base/atomic_file.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

class AtomicFile : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "/atomic_file_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    for (const std::string& name : Entries()) unlink((dir_ + "/" + name).c_str());
    rmdir(dir_.c_str());
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    DIR* dir = opendir(dir_.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
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

TEST_F(AtomicFile, AFolderThatDoesNotExistIsNamedInTheMessage) {
  const std::string path = dir_ + "/missing/bolt.scr";
  const std::string message = WriteFileAtomically(path, "x");
  EXPECT_NE(message.find(path), std::string::npos) << message;
  EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
  EXPECT_TRUE(Entries().empty());
}

TEST_F(AtomicFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  // A folder where the file should be: the rename fails after the
  // temporary is complete.
  const std::string folder = dir_ + "/bolt.scr";
  ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
  const std::string inside = folder + "/old.scr";
  ASSERT_EQ(WriteFileAtomically(inside, "old"), "");

  std::string message = WriteFileAtomically(folder, "new");
  EXPECT_NE(message.find(folder), std::string::npos) << message;
  EXPECT_EQ(Entries(), std::vector<std::string>{"bolt.scr"});

  // A path whose parent is a regular file.
  const std::string below_file = inside + "/new.scr";
  message = WriteFileAtomically(below_file, "new");
  EXPECT_NE(message.find(below_file), std::string::npos) << message;
  EXPECT_NE(message.find("Not a directory"), std::string::npos) << message;
  EXPECT_EQ(Read(inside), "old");

  unlink(inside.c_str());
  rmdir(folder.c_str());
}

}  // namespace
}  // namespace boltgen
