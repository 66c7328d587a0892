#include "base/atomic_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "base/os.h"
#include "base/test_folder.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

std::ptrdiff_t EntriesIn(const std::string& folder) {
  return std::distance(fs::directory_iterator(os::PathFromUtf8(folder)), {});
}

// The system's words for the three ways a write below fails.
struct Reasons {
  std::string missing_folder, folder_in_the_way, file_as_folder;
};

Reasons ExpectedReasons() {
#ifdef _WIN32
  return {os::ErrorText(ERROR_PATH_NOT_FOUND), os::ErrorText(ERROR_ACCESS_DENIED),
          os::ErrorText(ERROR_PATH_NOT_FOUND)};
#else
  return {"No such file or directory", "Is a directory", "Not a directory"};
#endif
}

// Bytes as given (CR LF not doubled, NUL kept) in a folder and file named
// beyond ASCII; a failure leaves the old file and no temporary, and names
// the file and the reason.
TEST(WriteFileAtomically, ReplacesExactlyAndAFailureLeavesTheOldFileAndNamesIt) {
  const std::string dir = MakeTestFolder("atomic_file_\xC3\xA9");
  const std::string path = dir + "/bolt \xE2\x8C\x80.scr", old = path + "/old.scr";
  const std::string first("line 1\r\n\0binary\n", 16);
  EXPECT_EQ(WriteFileAtomically(path, "an older and longer text"), "");
  EXPECT_EQ(WriteFileAtomically(path, first), "");
  EXPECT_EQ(ReadTestFile(path), first);
  EXPECT_EQ(EntriesIn(dir), 1);

  // A folder where the file should be: the rename fails after the temporary is complete.
  fs::remove(os::PathFromUtf8(path)), fs::create_directory(os::PathFromUtf8(path));
  ASSERT_EQ(WriteFileAtomically(old, "old"), "");
  const Reasons reasons = ExpectedReasons();
  const std::pair<std::string, std::string> cases[] = {
      {dir + "/missing/bolt.scr", reasons.missing_folder},
      {path, reasons.folder_in_the_way},
      {old + "/new.scr", reasons.file_as_folder}};
  for (const auto& [target, reason] : cases) {
    const std::string message = WriteFileAtomically(target, "new");
    EXPECT_NE(message.find(target), std::string::npos) << message;
    EXPECT_NE(message.find(": " + reason), std::string::npos) << message << " / " << reason;
    EXPECT_EQ(ReadTestFile(old), "old");
    EXPECT_EQ(EntriesIn(dir), 1);
    EXPECT_EQ(EntriesIn(path), 1);
  }
  fs::remove_all(os::PathFromUtf8(dir));
}

TEST(WriteFileAtomically, GivesTheUsualPermissions) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows files take their folder's access rules; there are no mode bits";
#else
  const std::string dir = MakeTestFolder("atomic_mode");
  const std::string path = dir + "/bolt.scr";
  ASSERT_EQ(WriteFileAtomically(path, "x"), "");
  const mode_t mask = umask(0);  // reads the mask, restored on the next line
  umask(mask);
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
  fs::remove_all(dir);
#endif
}

// The files in `dir` whose names start with ".boltgen-": temporaries left behind.
#ifndef _WIN32  // modes, read-only bits and folder links as POSIX has them
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
  EXPECT_EQ(ReadTestFile(path("nut.stl")), "new nut");

  // A read-only target (for everyone, the administrator too) is not
  // replaced, and nothing else of the run is written.
  ASSERT_EQ(chmod(path("nut.stl").c_str(), 0444), 0);
  std::string message = WriteFilesAtomically(
      {{path("bolt.scr"), "new bolt"}, {path("new.stl"), "new"}, {path("nut.stl"), "newer nut"}});
  EXPECT_NE(message.find(path("nut.stl") + "\": Permission denied"), std::string::npos) << message;
  EXPECT_EQ(ReadTestFile(path("bolt.scr")), "old bolt");
  EXPECT_EQ(ReadTestFile(path("nut.stl")), "new nut");
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
  EXPECT_EQ(ReadTestFile(path("bolt.scr")), "old bolt");
  EXPECT_FALSE(fs::exists(path("fresh.stl")));
  EXPECT_TRUE(fs::is_symlink(dir / "link"));
  EXPECT_EQ(ReadTestFile(path("link/part.stl")), "old part");
  EXPECT_EQ(Leftovers(dir) + Leftovers(dir / "real"), 0);
  fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace boltgen
