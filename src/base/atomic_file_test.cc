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
  std::FILE* file = os::OpenFile(path, "rb");  // as the size table is read
  ASSERT_NE(file, nullptr);
  char head[3] = {};
  EXPECT_EQ(std::fread(head, 1, 3, file), 3u);
  std::fclose(file);
  EXPECT_EQ(std::string(head, 3), "lin");

  // A folder where the file should be: the rename fails after the temporary is complete.
  fs::remove(os::PathFromUtf8(path)), fs::create_directory(os::PathFromUtf8(path));
  ASSERT_EQ(WriteFileAtomically(old, "old"), "");
  // The system's words for a missing folder, a folder in the way and a file used as a folder.
#ifdef _WIN32
  const std::string reasons[] = {os::ErrorText(ERROR_PATH_NOT_FOUND),
                                 os::ErrorText(ERROR_ACCESS_DENIED),
                                 os::ErrorText(ERROR_PATH_NOT_FOUND)};
#else
  const std::string reasons[] = {"No such file or directory", "Is a directory", "Not a directory"};
#endif
  const std::pair<std::string, std::string> cases[] = {
      {dir + "/missing/bolt.scr", reasons[0]}, {path, reasons[1]}, {old + "/new.scr", reasons[2]}};
  for (const auto& [target, reason] : cases) {
    const std::string message = WriteFileAtomically(target, "new");
    EXPECT_NE(message.find(target), std::string::npos) << message;
    EXPECT_NE(message.find(": " + reason), std::string::npos) << message << " / " << reason;
    // The system's words end up inside a sentence: no line break or final period.
    EXPECT_EQ(message.find_first_of("\r\n"), std::string::npos) << message;
    EXPECT_NE(message.back(), '.') << message;
    EXPECT_EQ(ReadTestFile(old), "old");
    EXPECT_EQ(EntriesIn(dir), 1);
    EXPECT_EQ(EntriesIn(path), 1);
  }
  fs::remove_all(os::PathFromUtf8(dir));
}

#ifndef _WIN32  // modes, read-only bits and folder links as POSIX has them
TEST(WriteFilesAtomically, AllOrNothingKeepingModesAndSparingReadOnlyTargets) {
  std::string pattern = testing::TempDir() + "/atomic_files_XXXXXX";
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;
  const auto path = [&](const char* name) { return (dir / name).string(); };
  const auto mode = [&](const char* name) {
    struct stat info {};
    EXPECT_EQ(stat(path(name).c_str(), &info), 0) << name;
    return info.st_mode & 0777;
  };
  ASSERT_EQ(WriteFileAtomically(path("nut.stl"), "old nut"), "");
  ASSERT_EQ(chmod(path("nut.stl").c_str(), 0640), 0);

  // A new file gets the usual permissions, a replaced one keeps its own, and
  // each file of the run its own bytes.
  ASSERT_EQ(WriteFilesAtomically({{path("bolt.scr"), "old bolt"}, {path("nut.stl"), "new nut"}}),
            "");
  const mode_t mask = umask(0);  // reads the mask, restored on the next line
  umask(mask);
  EXPECT_EQ(mode("bolt.scr"), 0666 & ~mask);
  EXPECT_EQ(mode("nut.stl"), 0640u);
  EXPECT_EQ(ReadTestFile(path("bolt.scr")), "old bolt");
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
  EXPECT_EQ(EntriesIn(dir.string()), 2);  // bolt.scr and nut.stl: no temporary left behind

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
  EXPECT_EQ(EntriesIn(dir.string()), 4);  // and the folder and its link
  EXPECT_EQ(EntriesIn(path("real")), 1);
  fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace boltgen
