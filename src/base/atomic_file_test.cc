#include "base/atomic_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/os.h"
#include "base/test_folder.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

// The message of a failed write; empty when it succeeded.
std::string MessageOf(const Result<>& result) { return result ? "" : result.error().message; }

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
  EXPECT_TRUE(WriteFileAtomically(path, "an older and longer text"));
  EXPECT_TRUE(WriteFileAtomically(path, first));
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
  ASSERT_TRUE(WriteFileAtomically(old, "old"));
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
    const std::string message = MessageOf(WriteFileAtomically(target, "new"));
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
  ASSERT_TRUE(WriteFileAtomically(path("nut.stl"), "old nut"));
  ASSERT_EQ(chmod(path("nut.stl").c_str(), 0640), 0);

  // A new file gets the usual permissions, a replaced one keeps its own, and
  // each file of the run its own bytes.
  ASSERT_TRUE(WriteFilesAtomically({{path("bolt.scr"), "old bolt"}, {path("nut.stl"), "new nut"}}));
  const mode_t mask = umask(0);  // reads the mask, restored on the next line
  umask(mask);
  EXPECT_EQ(mode("bolt.scr"), 0666 & ~mask);
  EXPECT_EQ(mode("nut.stl"), 0640u);
  EXPECT_EQ(ReadTestFile(path("bolt.scr")), "old bolt");
  EXPECT_EQ(ReadTestFile(path("nut.stl")), "new nut");

  // A read-only target (for everyone, the administrator too) is not
  // replaced, and nothing else of the run is written.
  ASSERT_EQ(chmod(path("nut.stl").c_str(), 0444), 0);
  std::string message = MessageOf(WriteFilesAtomically(
      {{path("bolt.scr"), "new bolt"}, {path("new.stl"), "new"}, {path("nut.stl"), "newer nut"}}));
  EXPECT_NE(message.find(path("nut.stl") + "\": Permission denied"), std::string::npos) << message;
  EXPECT_EQ(ReadTestFile(path("bolt.scr")), "old bolt");
  EXPECT_EQ(ReadTestFile(path("nut.stl")), "new nut");
  EXPECT_FALSE(fs::exists(path("new.stl")));
  EXPECT_EQ(EntriesIn(dir.string()), 2);  // bolt.scr and nut.stl: no temporary left behind

  // A rename that fails midway: the run's second file turns the third one's
  // folder (a link to a folder) into a file. The files already replaced are
  // put back as they were, the new one taken away again.
  fs::create_directory(dir / "real");
  ASSERT_TRUE(WriteFileAtomically(path("real/part.stl"), "old part"));
  fs::create_directory_symlink("real", dir / "link");
  message = MessageOf(WriteFilesAtomically({{path("bolt.scr"), "new bolt"},
                                  {path("fresh.stl"), "fresh"},
                                  {path("link"), "a file"},
                                  {path("link/part.stl"), "new part"}}));
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

// Runs `body` in a child process and returns its exit status, or 1000 + the
// signal that ended it.
template <typename Body>
int InChild(Body body) {
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    alarm(60);
    _exit(body());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}

std::set<std::string> NamesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

// Past the file size limit (ulimit -f) a write fails like one on a full
// disk: a message and nothing left, not the end of the program by SIGXFSZ.
// Owner and group of a replaced file stay, where the system allows it.
TEST(WriteFileAtomically, PastTheFileSizeLimitFailsCleanlyAndAReplacedFileKeepsItsOwner) {
  const std::string dir = MakeTestFolder("atomic_limit");
  const std::string path = dir + "/bolt.scr";
  ASSERT_TRUE(WriteFileAtomically(path, "old"));
  const int status = InChild([&] {
    InstallSignalCleanup();  // what main does first
    const rlimit limit{100 * 1024, RLIM_INFINITY};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 90;
    const Result<> written = WriteFileAtomically(path, std::string(1 << 20, 'x'));
    if (written) return 91;
    return written.error().message == "Cannot write the file \"" + path + "\": File too large"
               ? 7 : 92;
  });
  EXPECT_EQ(status, 7);
  EXPECT_EQ(ReadTestFile(path), "old");
  EXPECT_EQ(NamesIn(dir), std::set<std::string>{"bolt.scr"});

  if (geteuid() != 0) GTEST_SKIP() << "changing a file's owner needs root";
  ASSERT_EQ(chown(path.c_str(), 4321, 8765), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 4321u);
  EXPECT_EQ(info.st_gid, 8765u);
  EXPECT_EQ(ReadTestFile(path), "new");
  fs::remove_all(dir);
}

// A user who may write another user's file in a sticky folder (as /tmp) may
// not replace it; the failed run leaves nothing of its own there, in
// particular no hard link to the other user's file, which would be theirs
// and could not be removed again.
TEST(WriteFileAtomically, AFailedReplaceInAStickyFolderLeavesNothingBehind) {
  if (geteuid() != 0) GTEST_SKIP() << "playing two users needs root";
  const std::string dir = MakeTestFolder("atomic_sticky");
  ASSERT_EQ(chmod(dir.c_str(), 01777), 0);
  const std::string path = dir + "/shared.scr";
  ASSERT_TRUE(WriteFileAtomically(path, "theirs"));
  ASSERT_EQ(chmod(path.c_str(), 0666), 0);
  ASSERT_EQ(chown(path.c_str(), 4321, 4321), 0);
  const int status = InChild([&] {
    if (setgid(65534) != 0 || setuid(65534) != 0) return 90;
    const Result<> written = WriteFileAtomically(path, "mine");
    if (written) return 91;
    return written.error().message.ends_with(": Operation not permitted") ? 7 : 92;
  });
  EXPECT_EQ(status, 7);
  EXPECT_EQ(ReadTestFile(path), "theirs");
  EXPECT_EQ(NamesIn(dir), std::set<std::string>{"shared.scr"});
  fs::remove_all(dir);
}

// A link to a missing file is replaced like a live link; a loop of links
// and a file in a folder that is a file are named for what they are.
TEST(WriteFileAtomically, LinksToNothingAreReplacedAndLoopsNamed) {
  const std::string dir = MakeTestFolder("atomic_links");
  fs::create_symlink("missing.scr", dir + "/dangling.scr");
  ASSERT_TRUE(WriteFileAtomically(dir + "/dangling.scr", "new"));
  EXPECT_FALSE(fs::is_symlink(dir + "/dangling.scr"));
  EXPECT_EQ(ReadTestFile(dir + "/dangling.scr"), "new");
  fs::create_symlink("loop_b.scr", dir + "/loop_a.scr");
  fs::create_symlink("loop_a.scr", dir + "/loop_b.scr");
  EXPECT_EQ(MessageOf(WriteFileAtomically(dir + "/loop_a.scr", "new")),
            "Cannot write the file \"" + dir + "/loop_a.scr\": Too many levels of symbolic links");
  EXPECT_EQ(NamesIn(dir), (std::set<std::string>{"dangling.scr", "loop_a.scr", "loop_b.scr"}));
  fs::remove_all(dir);
}

// Runs that replace the same set of names at once each leave a whole set:
// every file of it from one run. Each round starts its writers together.
TEST(WriteFilesAtomically, RunsWritingTheSameNamesAtOnceLeaveOneRunsWholeSet) {
  const std::string dir = MakeTestFolder("atomic_parallel");
  constexpr int kWriters = 4, kFiles = 40, kRounds = 16;
  int mixed = 0;
  for (int round = 0; round < kRounds; ++round) {
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> writers;
    for (int writer = 0; writer < kWriters; ++writer) {
      std::fflush(nullptr);
      const pid_t child = fork();
      if (child == 0) {
        alarm(60);
        close(start[1]);
        char go;
        if (read(start[0], &go, 1) != 0) _exit(90);  // the pipe closes for all at once
        // Every other writer lists the names the other way round: two sets
        // put in place at once then cross, and without turns both leave some.
        std::vector<OutputFile> set;
        for (int file = 0; file < kFiles; ++file) {
          const int name = writer % 2 == 0 ? file : kFiles - 1 - file;
          set.push_back({dir + "/part" + std::to_string(name), std::to_string(writer)});
        }
        _exit(WriteFilesAtomically(set) ? 0 : 91);
      }
      writers.push_back(child);
    }
    close(start[0]);
    close(start[1]);
    for (const pid_t child : writers) {
      int status = 0;
      waitpid(child, &status, 0);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    std::set<std::string> contents;
    for (int file = 0; file < kFiles; ++file)
      contents.insert(ReadTestFile(dir + "/part" + std::to_string(file)));
    mixed += contents.size() != 1;
  }
  EXPECT_EQ(mixed, 0) << "rounds that left a mixed set, of " << kRounds;
  EXPECT_EQ(EntriesIn(dir), kFiles);
  fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace boltgen
