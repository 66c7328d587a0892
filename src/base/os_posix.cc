#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "base/os.h"

extern char** environ;

namespace boltgen::os {
namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

int Descriptor(NativeFile file) { return static_cast<int>(file); }

}  // namespace

std::string ErrorText(Error error) { return std::strerror(error); }

std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

std::string ProgramPath(const std::string& fallback) {
  char buffer[4096];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length > 0) return std::string(buffer, static_cast<std::size_t>(length));
  return fallback;
}

void PrepareConsole() {}

bool HasDesktop() { return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"); }

// The opener runs in a process of its own that is not waited for: the viewer
// may stay open long after this program ends. The intermediate child exits at
// once so that no zombie is left behind.
bool OpenDocument(const std::string& path) {
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

std::tm LocalTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

Error CreateUniqueFile(const std::string& prefix, std::string& path, NativeFile& file) {
  std::string name = prefix + "XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) return errno;
  path = std::move(name);
  file = fd;
  return 0;
}

Error WriteAll(NativeFile file, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = write(Descriptor(file), data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return 0;
}

// mkstemp gives 0600; an ordinary new file gets 0666 less the umask.
Error SetCreatedFilePermissions(NativeFile file) {
  const mode_t mask = umask(0);
  umask(mask);
  return fchmod(Descriptor(file), 0666 & ~mask) == 0 ? 0 : errno;
}

Error SyncFile(NativeFile file) { return fsync(Descriptor(file)) == 0 ? 0 : errno; }

Error CloseFile(NativeFile file) { return close(Descriptor(file)) == 0 ? 0 : errno; }

Error MoveIntoPlace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

Error RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0 ? 0 : errno; }

}  // namespace boltgen::os
