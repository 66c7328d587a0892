#include "app/headless.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
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

  // Starts the program with `args`; its standard output goes to `out`, its
  // standard error to `err` when given, else nowhere.
  pid_t Start(const std::string& args, const char* out = "/dev/null", int err = -1) {
    std::fflush(nullptr);  // nothing buffered here is written twice
    const pid_t child = fork();
    if (child != 0) return child;
    alarm(30);  // a runaway run ends the test rather than hangs it
    const int out_fd = open(out, O_WRONLY);
    const int err_fd = err >= 0 ? err : open("/dev/null", O_WRONLY);
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

// A signal at any moment of a run, the table read and the bolt built
// before any file exists included, ends it with 128 + the signal, and
// leaves the run's files all there or none and no temporary. Retried with
// a later signal when the run ends first.
TEST_F(Headless, ASignalAtAnyMomentEndsWith128PlusItAndLeavesAWholeSetOrNone) {
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
    SCOPED_TRACE(signal_number);
    int caught = 0;
    // From the first status line on, which the run prints as it starts.
    for (int delay_ms = 0; delay_ms < 20'000 && caught < 3; delay_ms += 1 + delay_ms / 2) {
      for (const std::string& name : Files()) fs::remove(dir_ / name);
      int err[2];
      ASSERT_EQ(pipe(err), 0);
      const pid_t child = Start("/D:23 /P:0 /L:200 /T:0 /S:5 /N:1 /B:1 /G:1 /M:1", "/dev/null", err[1]);
      close(err[1]);
      char first;
      ASSERT_EQ(read(err[0], &first, 1), 1);
      usleep(static_cast<useconds_t>(delay_ms) * 1000);
      kill(child, signal_number);
      const int status = Wait(child);
      close(err[0]);
      EXPECT_FALSE(HasTemporary());
      const std::size_t files = Files().size();
      EXPECT_TRUE(files == 0 || files == 6) << files;
      if (status == 0) break;  // later signals would land after the run
      EXPECT_EQ(status, 128 + signal_number) << delay_ms << " ms";
      if (status == 128 + signal_number) ++caught;
    }
    EXPECT_GE(caught, 1);
  }
}

// A run killed outright (SIGKILL: no handler runs) while its files are
// written leaves nothing, since they have no name until they are complete.
// Killed in the moment the complete files are renamed into place, it can
// leave hidden names, each a whole file or empty, which the next run removes. The
// kills are spread over a whole run, timed first, so that some land in the
// writing.
TEST_F(Headless, AKilledRunLeavesNoPartFileAndTheNextRunRemovesItsTemporaries) {
  constexpr const char* kArgs = "/D:23 /P:0 /L:200 /T:0 /S:5 /N:1 /B:1 /G:1 /M:1 /E:1";
  const auto read = [](const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  std::set<std::string> whole;  // the contents of every file of a run
  const auto run_whole = [&] {
    EXPECT_EQ(Wait(Start(kArgs)), 0);
    for (const std::string& name : Files()) whole.insert(read(dir_ / name));
  };
  const auto started = std::chrono::steady_clock::now();
  run_whole();
  const auto run_us =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started)
          .count();
  run_whole();  // the same set again, unless the day changed in between
  ASSERT_GE(whole.size(), Files().size());
  ASSERT_FALSE(HasTemporary());

  int killed = 0;
  for (int step = 0; step < 24; ++step) {
    const pid_t child = Start(kArgs);
    usleep(static_cast<useconds_t>(run_us * (8 + step) / 32));
    kill(child, SIGKILL);
    killed += Wait(child) == 1000 + SIGKILL;
    if (!HasTemporary()) continue;
    for (const std::string& name : Files()) {
      if (!name.starts_with(".boltgen-")) continue;
      // Empty: a name held for a moment before a whole file takes it.
      const std::string left = read(dir_ / name);
      EXPECT_TRUE(left.empty() || whole.contains(left)) << name << " is part of a file, step " << step;
    }
    EXPECT_EQ(Wait(Start(kArgs)), 0);
    EXPECT_FALSE(HasTemporary()) << "the next run kept a killed run's temporaries, step " << step;
  }
  EXPECT_GE(killed, 1);
}

}  // namespace
}  // namespace boltgen
