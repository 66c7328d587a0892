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

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/os.h"

namespace boltgen {
namespace {

// Sets the display variables for one test and puts the old values back.
class DisplayEnvironment {
 public:
  DisplayEnvironment(const char* display, const char* wayland, const char* platform) {
    for (const char* name : kNames) {
      const char* value = getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
    Set("DISPLAY", display);
    Set("WAYLAND_DISPLAY", wayland);
    Set("QT_QPA_PLATFORM", platform);
  }
  ~DisplayEnvironment() {
    for (std::size_t i = 0; i < saved_.size(); ++i) Set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
  }

 private:
  static void Set(const char* name, const char* value) {
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  static constexpr const char* kNames[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
  std::vector<std::optional<std::string>> saved_;
};

TEST(WindowStart, DisplayNeedsASessionAndNoOffscreenPlatform) {
  const struct {
    const char* display;
    const char* wayland;
    const char* platform;
    bool expected;
  } cases[] = {
      {nullptr, nullptr, nullptr, false}, {"", "", nullptr, false},
      {":0", nullptr, nullptr, true},     {nullptr, "wayland-0", nullptr, true},
      {":0", nullptr, "xcb", true},       {":0", "wayland-0", "offscreen", false},
      {nullptr, nullptr, "xcb", false},
  };
  for (const auto& c : cases) {
    DisplayEnvironment environment(c.display, c.wayland, c.platform);
    EXPECT_EQ(os::HasDisplay(), c.expected)
        << (c.display ? c.display : "-") << " " << (c.wayland ? c.wayland : "-") << " "
        << (c.platform ? c.platform : "-");
  }
}

class WindowHandOver : public ::testing::Test {
 protected:
  void SetUp() override {
    char folder[] = "/tmp/boltgen_window_start_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    folder_ = folder;
  }
  void TearDown() override {
    std::remove((folder_ + "/" + kWindowProgramName).c_str());
    std::remove((folder_ + "/record").c_str());
    rmdir(folder_.c_str());
  }

  // A stand-in window program that records what it was given.
  void InstallWindowProgram(mode_t mode) {
    const std::string path = folder_ + "/" + kWindowProgramName;
    std::ofstream(path) << "#!/bin/sh\n{ printf '%s\\n' \"$@\"; echo \"$" << kProgramPathVariable
                        << "\"; } >\"" << folder_ << "/record\"\nexit 7\n";
    ASSERT_EQ(chmod(path.c_str(), mode), 0);
  }

  // Runs the hand-over in a child process, since it replaces the process:
  // 200 when it returned nothing (headless), 201 plus the status it returned,
  // else the window program's own exit status.
  int HandOver(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      const std::optional<int> status = StartWindowIfDisplay(folder_ + "/boltgen", argv.data());
      _exit(status ? 201 + *status : 200);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string Record() {
    std::stringstream text;
    text << std::ifstream(folder_ + "/record").rdbuf();
    return text.str();
  }

  std::string folder_;
};

TEST_F(WindowHandOver, PassesTheArgumentsUnchangedAndEndsWithTheWindowsStatus) {
  DisplayEnvironment environment(":0", nullptr, nullptr);
  InstallWindowProgram(0755);
  EXPECT_EQ(HandOver({"boltgen", "/D:7", "/F:a b.scr", "", "?"}), 7);
  // Every word as given (blanks and empty words too), and the started
  // program's path for the data files.
  EXPECT_EQ(Record(), "/D:7\n/F:a b.scr\n\n?\n" + folder_ + "/boltgen\n");
}

TEST_F(WindowHandOver, StaysHeadlessWithoutADisplayOrWithoutTheWindowProgram) {
  InstallWindowProgram(0755);
  {
    DisplayEnvironment environment(nullptr, nullptr, nullptr);
    EXPECT_EQ(HandOver({"boltgen", "/G:1"}), 200);
  }
  {
    DisplayEnvironment environment(":0", nullptr, "offscreen");
    EXPECT_EQ(HandOver({"boltgen", "/G:1"}), 200);
  }
  EXPECT_EQ(Record(), "");
  std::remove((folder_ + "/" + kWindowProgramName).c_str());
  DisplayEnvironment environment(":0", nullptr, nullptr);
  EXPECT_EQ(HandOver({"boltgen", "/G:1"}), 200);
}

TEST_F(WindowHandOver, AWindowProgramThatCannotStartIsAFailure) {
  DisplayEnvironment environment(":0", nullptr, nullptr);
  InstallWindowProgram(0644);
  testing::internal::CaptureStderr();
  EXPECT_EQ(HandOver({"boltgen"}), 202);
  testing::internal::GetCapturedStderr();
}

}  // namespace
}  // namespace boltgen
#endif  // _WIN32
