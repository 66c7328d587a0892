#include "app/headless.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

namespace fs = std::filesystem;

// The program in a folder of its own with the shipped size table, run in a
// child process as from a terminal without a display.
class Headless : public testing::Test {
 protected:
  Headless() {
    std::string pattern = testing::TempDir() + "/headless_XXXXXX";
    dir_ = mkdtemp(pattern.data());
    // The size table is named after the program: here, this test program.
    table_ = fs::read_symlink("/proc/self/exe").stem().string() + ".ini";
    fs::copy_file(BOLTGEN_SOURCE_DIR "/data/boltgen.ini", dir_ / table_);
  }
  ~Headless() override { fs::remove_all(dir_); }

  // Starts the program with `args`; its standard output goes to `out`.
  pid_t Start(const std::string& args, const char* out = "/dev/null") {
    std::fflush(nullptr);  // nothing buffered here is written twice
    const pid_t child = fork();
    if (child != 0) return child;
    alarm(30);  // a runaway run ends the test rather than hangs it
    const int out_fd = open(out, O_WRONLY);
    const int err_fd = open("/dev/null", O_WRONLY);
    if (chdir(dir_.c_str()) != 0 || out_fd < 0 || err_fd < 0) _exit(99);
    dup2(out_fd, 1), dup2(err_fd, 2);
    std::vector<std::string> words{"boltgen"};
    std::istringstream split(args);
    for (std::string word; split >> word;) words.push_back(word);
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    _exit(RunHeadless(static_cast<int>(words.size()), argv.data()));
  }
  // The exit status, or 1000 + the signal that ended the program.
  int Wait(pid_t child, rusage* usage = nullptr) {
    int status = 0;
    wait4(child, &status, 0, usage);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
  }
  std::set<std::string> Files() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.insert(entry.path().filename().string());
    names.erase(table_);
    return names;
  }
  bool HasTemporary() const {
    for (const std::string& name : Files())
      if (name.starts_with(".boltgen-")) return true;
    return false;
  }

  fs::path dir_;
  std::string table_;
};

// The 3/4 inch bolt 70,000 inches long ran out of memory in the STL step.
TEST_F(Headless, ALongBoltIsWrittenClosedInBoundedTimeAndMemoryOrRefusedWhole) {
  const auto start = std::chrono::steady_clock::now();
  rusage usage{};
  EXPECT_EQ(Wait(Start("/D:7 /L:70000 /G:1 /M:1 /N:1"), &usage), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizers' shadow memory is counted too
  EXPECT_LT(usage.ru_maxrss, 256 * 1024) << "kB";
#endif
  // Each STL file is checked closed before anything is written.
  const std::set<std::string> files = Files();
  EXPECT_EQ(files.size(), 6u);
  // Threaded on the finest grid, the thread's detail is finer than 32-bit
  // numbers hold that far out: refused, and nothing of the run is written.
  for (const std::string& name : files) fs::remove(dir_ / name);
  EXPECT_EQ(Wait(Start("/D:7 /L:5000 /T:0 /S:5 /G:1 /M:1")), 1);
  EXPECT_TRUE(Files().empty());
}

// A batch job learns of output it never got.
TEST_F(Headless, AFailedWriteToStandardOutputFailsTheRun) {
  EXPECT_EQ(Wait(Start("?")), 0);
  EXPECT_EQ(Wait(Start("?", "/dev/full")), 1);
  EXPECT_EQ(Wait(Start("/D:7 /G:1", "/dev/full")), 1);
}

// Signalled while it writes, the program removes its temporaries and ends
// with 128 + the signal; the run's files are all there or none. Each signal
// is sent as soon as a temporary shows, retried when the run ends first.
TEST_F(Headless, ASignalRemovesTheTemporariesAndEndsWith128PlusIt) {
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    int caught = 0;
    for (int attempt = 0; attempt < 50 && caught == 0; ++attempt) {
      for (const std::string& name : Files()) fs::remove(dir_ / name);
      const pid_t child = Start("/D:23 /P:0 /L:200 /T:0 /S:5 /N:1 /B:1 /G:1 /M:1");
      bool sent = false;
      for (int poll = 0; poll < 2'000'000 && !sent; ++poll) {
        if (HasTemporary()) sent = kill(child, signal_number) == 0;
        siginfo_t ended{};
        if (waitid(P_PID, child, &ended, WEXITED | WNOHANG | WNOWAIT) != 0 || ended.si_pid != 0)
          break;
      }
      const int status = Wait(child);
      // Unsent, or sent after the run had ended whole (a loaded machine can
      // stall the test between seeing a temporary and signalling): try again.
      if (!sent || status == 0) {
        EXPECT_EQ(status, 0);
        EXPECT_FALSE(HasTemporary());
        continue;
      }
      EXPECT_EQ(status, 128 + signal_number);
      EXPECT_FALSE(HasTemporary());
      const std::size_t files = Files().size();
      EXPECT_TRUE(files == 0 || files == 6) << files;
      caught += status == 128 + signal_number;
    }
    EXPECT_EQ(caught, 1);
  }
}

}  // namespace
}  // namespace boltgen
