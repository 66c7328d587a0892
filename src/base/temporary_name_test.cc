#include "base/temporary_name.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "base/os.h"
#include "base/test_folder.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

// Only names this program makes are taken for temporaries: a user's own
// ".boltgen-notes" is not someone's leftover.
TEST(StampOfTemporary, ReadsOnlyTheNamesOfTemporaries) {
  const std::string prefix = TemporaryPrefix("some/folder/bolt.scr");
  ASSERT_TRUE(prefix.starts_with("some/folder/.boltgen-")) << prefix;
  const std::string name = prefix.substr(std::string("some/folder/").size()) + "a1B2c3";
  EXPECT_EQ(StampOfTemporary(name), os::ProcessStamp());
  EXPECT_EQ(StampOfTemporary(".boltgen-12-345-x7"), "12-345");
  for (const char* other : {".boltgen-a1B2c3", ".boltgen-notes", ".boltgen--345-x", ".boltgen-12--x",
                            ".boltgen-12-3a4-x", "boltgen-12-345-x", ".boltgen-12-345", ""}) {
    EXPECT_EQ(StampOfTemporary(other), "") << other;
  }
}

#ifndef _WIN32  // processes started and ended with fork
// A stamp names one process: it runs while that process runs, and a later
// process given the same number (another start) is not it.
TEST(RemoveDeadRunsTemporaries, RemovesOnlyTheLeftoversOfRunsThatEnded) {
  int to_parent[2], to_child[2];
  ASSERT_EQ(pipe(to_parent), 0);
  ASSERT_EQ(pipe(to_child), 0);
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    alarm(30);
    close(to_parent[0]), close(to_child[1]);
    const std::string stamp = os::ProcessStamp();
    if (write(to_parent[1], stamp.data(), stamp.size()) != static_cast<ssize_t>(stamp.size())) _exit(1);
    close(to_parent[1]);
    char end;
    _exit(read(to_child[0], &end, 1) == 0 ? 0 : 2);  // until the parent lets go
  }
  close(to_parent[1]);
  close(to_child[0]);
  char buffer[64];
  const ssize_t got = read(to_parent[0], buffer, sizeof buffer);
  ASSERT_GT(got, 0);
  const std::string stamp(buffer, static_cast<std::size_t>(got));
  const std::string dash = stamp.substr(stamp.find('-'));
  EXPECT_NE(stamp, os::ProcessStamp());
  EXPECT_TRUE(os::StampIsRunning(stamp)) << stamp;
  EXPECT_TRUE(os::StampIsRunning(os::ProcessStamp()));
  const std::string reused = std::to_string(child) + "-1" + dash.substr(1);  // another start
  EXPECT_FALSE(os::StampIsRunning(reused)) << reused;

  const std::string dir = MakeTestFolder("leftovers");
  const auto make = [&](const std::string& name) { std::ofstream(dir + "/" + name) << "x"; };
  const std::string live = ".boltgen-" + stamp + "-live01";
  const std::string mine = ".boltgen-" + os::ProcessStamp() + "-mine01";
  for (const std::string& name : {live, mine, std::string(".boltgen-a1B2c3"), std::string("bolt.scr")})
    make(name);
  RemoveDeadRunsTemporaries(dir);
  std::set<std::string> kept;
  for (const auto& entry : fs::directory_iterator(dir)) kept.insert(entry.path().filename());
  EXPECT_EQ(kept, (std::set<std::string>{live, mine, ".boltgen-a1B2c3", "bolt.scr"}));

  close(to_child[1]);  // the child ends
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_FALSE(os::StampIsRunning(stamp)) << stamp;
  make(".boltgen-" + reused + "-reuse1");
  fs::create_directory(dir + "/.boltgen-" + stamp + "-folder");  // not a file of ours
  RemoveDeadRunsTemporaries(dir);
  kept.clear();
  for (const auto& entry : fs::directory_iterator(dir)) kept.insert(entry.path().filename());
  EXPECT_EQ(kept, (std::set<std::string>{mine, ".boltgen-a1B2c3", "bolt.scr",
                                          ".boltgen-" + stamp + "-folder"}));
  fs::remove_all(dir);
}
#endif

}  // namespace
}  // namespace boltgen
