#include "app/console_platform.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/window_start.h"

extern char** environ;

namespace boltgen {
namespace {

void PrintLine(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

// Starts the desktop's opener in a process of its own that is not waited
// for: the viewer may stay open long after this program ends. The
// intermediate child exits at once so that no zombie is left behind.
bool OpenDetached(const std::string& path) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    setsid();
    pid_t opener = 0;
    char* const argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(path.c_str()),
                          nullptr};
    const int rc = posix_spawnp(&opener, "xdg-open", nullptr, nullptr, argv, environ);
    _exit(rc == 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

void ConsolePlatform::Repaint(const Controls& controls) {
  if (controls.Status == shown_status_) return;
  shown_status_ = controls.Status;
  PrintLine(err_, shown_status_);
}

void ConsolePlatform::ShowMessage(MessageKind kind, std::string_view text) {
  PrintLine(kind == MessageKind::kInfo ? out_ : err_, text);
}

void ConsolePlatform::Sleep(int milliseconds) {
  if (skip_sleeps_ || milliseconds <= 0) return;
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// On a terminal the path itself is the answer: the user was told where it is.
bool ConsolePlatform::OpenDocument(const std::string& path) {
  if (HasDisplay() && OpenDetached(path)) return true;
  PrintLine(out_, "Help: " + path);
  return true;
}

}  // namespace boltgen
