#include "app/window_start.h"

#ifdef _WIN32
#include <gtest/gtest.h>

TEST(WindowStart, HandOverToTheWindowProgram) {
  GTEST_SKIP() << "the window program and its hand-over (exec, setenv, fork) exist on Linux only";
}
#else
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// A display needs a session and no offscreen platform; with one the window
// program takes over, unless it is missing. One that is there but cannot
// start is a failure, not a silent headless run.
TEST(WindowStart, HandsOverToTheWindowProgramOnlyWithADisplay) {
  char made[] = "/tmp/boltgen_window_start_XXXXXX";
  ASSERT_NE(mkdtemp(made), nullptr);
  const std::string folder = made;
  const std::string window = folder + "/" + kWindowProgramName;
  const std::string record = folder + "/record";
  const struct {
    const char* display;
    const char* wayland;
    const char* platform;
    mode_t mode;  // of the stand-in window program; 0: there is none
    int expected;
  } cases[] = {
      {"", "", nullptr, 0755, 200},         {":0", nullptr, nullptr, 0755, 7},
      {nullptr, "wayland-0", nullptr, 0755, 7}, {":0", nullptr, "xcb", 0755, 7},
      {":0", "wayland-0", "offscreen", 0755, 200}, {nullptr, nullptr, "xcb", 0755, 200},
      {":0", nullptr, nullptr, 0, 200},     {":0", nullptr, nullptr, 0644, 202},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.display ? c.display : "-") << " "
                                    << (c.wayland ? c.wayland : "-") << " "
                                    << (c.platform ? c.platform : "-") << " " << c.mode);
    std::remove(window.c_str());
    std::remove(record.c_str());
    if (c.mode != 0) {
      // A stand-in that records what it was given.
      std::ofstream(window) << "#!/bin/sh\n{ printf '%s\\n' \"$@\"; echo \"$" << kProgramPathVariable
                            << "\"; } >\"" << record << "\"\nexit 7\n";
      ASSERT_EQ(chmod(window.c_str(), c.mode), 0);
    }
    // The hand-over replaces the process, so it runs in a child, which alone
    // sees the display variables: 200 when it stays headless, 201 plus the
    // status it returned, else the window program's own status.
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      const std::pair<const char*, const char*> variables[] = {
          {"DISPLAY", c.display}, {"WAYLAND_DISPLAY", c.wayland}, {"QT_QPA_PLATFORM", c.platform}};
      for (const auto& [name, value] : variables) value ? setenv(name, value, 1) : unsetenv(name);
      std::freopen("/dev/null", "w", stderr);
      std::string words[] = {"boltgen", "/D:7", "/F:a b.scr", "", "?"};
      char* argv[] = {words[0].data(), words[1].data(), words[2].data(), words[3].data(),
                      words[4].data(), nullptr};
      const std::optional<int> status = StartWindowIfDisplay(folder + "/boltgen", argv);
      _exit(status ? 201 + *status : 200);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.expected);
    // Every word as given (blanks and empty words too), and the started
    // program's path for the data files.
    std::stringstream text;
    text << std::ifstream(record).rdbuf();
    EXPECT_EQ(text.str(), c.expected == 7 ? "/D:7\n/F:a b.scr\n\n?\n" + folder + "/boltgen\n" : "");
  }
  std::remove(window.c_str());
  std::remove(record.c_str());
  rmdir(folder.c_str());
}

}  // namespace
}  // namespace boltgen
#endif  // _WIN32
