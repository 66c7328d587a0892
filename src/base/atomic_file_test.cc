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

// The files in `dir` whose names start with ".boltgen-": temporaries left behind.
int Leftovers(const fs::path& dir) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(dir))
    count += entry.path().filename().string().starts_with(".boltgen-");
  return count;
}

TEST(WriteFilesAtomically, AllOrNothingKeepingModesAndSparingReadOnlyTargets) {
  std::string pattern = testing::TempDir() + "/atomic_files_XXXXXX";
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;
  const auto path = [&](const char* name) { return (dir / name).string(); };
  ASSERT_EQ(WriteFileAtomically(path("bolt.scr"), "old bolt"), "");
  ASSERT_EQ(WriteFileAtomically(path("nut.stl"), "old nut"), "");
  ASSERT_EQ(chmod(path("nut.stl").c_str(), 0640), 0);

  // A replaced file keeps its permission bits.
  ASSERT_EQ(WriteFilesAtomically({{path("nut.stl"), "new nut"}}), "");
  struct stat info {};
  ASSERT_EQ(stat(path("nut.stl").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(Read(path("nut.stl")), "new nut");

  // A read-only target (for everyone, the administrator too) is not
  // replaced, and nothing else of the run is written.
  ASSERT_EQ(chmod(path("nut.stl").c_str(), 0444), 0);
  std::string message = WriteFilesAtomically(
      {{path("bolt.scr"), "new bolt"}, {path("new.stl"), "new"}, {path("nut.stl"), "newer nut"}});
  EXPECT_NE(message.find(path("nut.stl") + "\": Permission denied"), std::string::npos) << message;
  EXPECT_EQ(Read(path("bolt.scr")), "old bolt");
  EXPECT_EQ(Read(path("nut.stl")), "new nut");
  EXPECT_FALSE(fs::exists(path("new.stl")));
  EXPECT_EQ(Leftovers(dir), 0);

  // A rename that fails midway: the run's second file turns the third one's
  // folder (a link to a folder) into a file. The files already replaced are
  // put back as they were, the new one taken away again.
  fs::create_directory(dir / "real");
  ASSERT_EQ(WriteFileAtomically(path("real/part.stl"), "old part"), "");
  fs::create_directory_symlink("real", dir / "link");
  message = WriteFilesAtomically({{path("bolt.scr"), "new bolt"},
                                  {path("fresh.stl"), "fresh"},
                                  {path("link"), "a file"},
                                  {path("link/part.stl"), "new part"}});
  EXPECT_NE(message.find(path("link/part.stl") + "\": Not a directory"), std::string::npos)
      << message;
  EXPECT_EQ(Read(path("bolt.scr")), "old bolt");
  EXPECT_FALSE(fs::exists(path("fresh.stl")));
  EXPECT_TRUE(fs::is_symlink(dir / "link"));
  EXPECT_EQ(Read(path("link/part.stl")), "old part");
  EXPECT_EQ(Leftovers(dir) + Leftovers(dir / "real"), 0);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace boltgen
