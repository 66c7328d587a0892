#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/file.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "base/os.h"

extern char** environ;

namespace boltgen::os {
namespace {

int Descriptor(NativeFile file) { return static_cast<int>(file); }

}  // namespace

std::string ErrorText(ErrorCode error) { return std::strerror(error); }

bool IsNotFound(ErrorCode error) { return error == ENOENT; }

bool IsAlreadyExisting(ErrorCode error) { return error == EEXIST; }

ErrorCode TooManyOpenFiles() { return EMFILE; }

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

ErrorCode RunInstead(const std::string& program, char** arguments, const std::string& variable,
                     const std::string& value) {
  setenv(variable.c_str(), value.c_str(), 1);
  execv(program.c_str(), arguments);
  const ErrorCode error = errno;
  unsetenv(variable.c_str());
  return error;
}

std::tm LocalTime(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

ErrorCode CreateUniqueFile(const std::string& prefix, std::string& path, NativeFile& file) {
  std::string name = prefix + "XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) return errno;
  path = std::move(name);
  file = fd;
  return 0;
}

ErrorCode WriteAll(NativeFile file, std::string_view bytes) {
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
ErrorCode SetCreatedFilePermissions(NativeFile file) {
  const mode_t mask = umask(0);
  umask(mask);
  return fchmod(Descriptor(file), 0666 & ~mask) == 0 ? 0 : errno;
}

// Root replacing another user's file gives the new one the old owner and
// group, as it keeps the mode; anyone else keeps what the system lets them.
// The owner first: a change of owner clears the set-id bits.
ErrorCode SetPermissionsFor(NativeFile file, const std::string& target) {
  struct stat info {};
  if (stat(target.c_str(), &info) != 0) return SetCreatedFilePermissions(file);
  struct stat own {};
  if (fstat(Descriptor(file), &own) == 0 && (own.st_uid != info.st_uid || own.st_gid != info.st_gid)) {
    if (fchown(Descriptor(file), info.st_uid, info.st_gid) != 0 &&
        fchown(Descriptor(file), static_cast<uid_t>(-1), info.st_gid) != 0) {
      // Not allowed: the file stays ours, like one the user copies by hand.
    }
  }
  return fchmod(Descriptor(file), info.st_mode & 07777) == 0 ? 0 : errno;
}

// A link to a missing file is replaced like a live one: the new file takes
// the link's place. A read-only mount says so rather than "permission denied".
ErrorCode CheckReplaceable(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (access(path.c_str(), W_OK) != 0) {
    if (!(S_ISLNK(info.st_mode) && errno == ENOENT)) return errno;
  } else if ((info.st_mode & 0222) == 0 && !S_ISLNK(info.st_mode)) {
    return EACCES;
  }
  return 0;
}

// A hard link only to a file of our own: a link to another user's file in a
// sticky folder would be theirs, and we could not remove it again.
ErrorCode KeepCopy(const std::string& path, const std::string& aside) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno;
  // link() will not replace the placeholder.
  if (unlink(aside.c_str()) != 0) return errno;
  if (info.st_uid == geteuid() && link(path.c_str(), aside.c_str()) == 0) return 0;
  if (S_ISLNK(info.st_mode)) {  // a link of our own that points where the old one did
    std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return length < 0 ? errno : EIO;
    target.resize(static_cast<std::size_t>(length));
    return symlink(target.c_str(), aside.c_str()) == 0 ? 0 : errno;
  }
  if (!S_ISREG(info.st_mode)) return EPERM;  // a device or pipe of another user
  const int fd = open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return errno;
  ErrorCode error = 0;
  if (std::FILE* in = std::fopen(path.c_str(), "rb")) {
    char buffer[1 << 16];
    for (std::size_t got; error == 0 && (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
      error = WriteAll(fd, std::string_view(buffer, got));
    if (error == 0 && std::ferror(in)) error = EIO;
    std::fclose(in);
  } else {
    error = errno;
  }
  if (error == 0 && fchmod(fd, info.st_mode & 07777) != 0) error = errno;
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

ErrorCode SyncFile(NativeFile file) { return fsync(Descriptor(file)) == 0 ? 0 : errno; }

ErrorCode CloseFile(NativeFile file) { return close(Descriptor(file)) == 0 ? 0 : errno; }

ErrorCode MoveIntoPlace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

ErrorCode RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0 ? 0 : errno; }

bool CreateUnnamedFile(const std::string& folder, NativeFile& file) {
#ifdef O_TMPFILE
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  file = fd;
  return true;
#else
  (void)folder, (void)file;
  return false;
#endif
}

// Linking a descriptor by itself needs a privilege; its /proc entry does not.
ErrorCode NameFile(NativeFile file, const std::string& path) {
  if (linkat(Descriptor(file), "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return 0;
  const std::string self = "/proc/self/fd/" + std::to_string(Descriptor(file));
  return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

namespace {

// Field 22 of /proc/PID/stat, the start in clock ticks since boot; "0" where
// there is no such file. The command name (field 2) may hold anything but
// ends at the last ')'.
std::string StartTime(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  const std::string stat(std::istreambuf_iterator<char>(in), {});
  std::size_t at = stat.rfind(')');
  if (at == std::string::npos) return "0";
  for (int field = 2; field < 22 && at != std::string::npos; ++field) at = stat.find(' ', at + 1);
  if (at == std::string::npos) return "0";
  const std::size_t end = stat.find(' ', at + 1);
  return stat.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

}  // namespace

// Read again in a forked child, which is a process of its own.
std::string ProcessStamp() {
  static pid_t stamped = 0;
  static std::string stamp;
  if (const pid_t self = getpid(); self != stamped) {
    stamp = std::to_string(self) + "-" + StartTime(self);
    stamped = self;
  }
  return stamp;
}

bool StampIsRunning(std::string_view stamp) {
  const std::size_t dash = stamp.find('-');
  if (dash == 0 || dash == std::string_view::npos) return true;
  long long pid = 0;
  for (const char c : stamp.substr(0, dash)) {
    if (c < '0' || c > '9' || pid > 1'000'000'000) return true;
    pid = pid * 10 + (c - '0');
  }
  if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return false;
  const std::string_view start = stamp.substr(dash + 1);
  return start == "0" || StartTime(static_cast<pid_t>(pid)) == start;
}

void InstallEndHandler(void (*handler)(int)) {
  std::signal(SIGXFSZ, SIG_IGN);
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigfillset(&action.sa_mask);  // one handler at a time
    struct sigaction before {};
    if (sigaction(signal_number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal_number, &action, nullptr);
  }
}

void RemoveFileInHandler(const char* path) { unlink(path); }

void EndInHandler(int status) { _exit(status); }

static_assert(sizeof(sigset_t) <= 128);

SignalsHeld::SignalsHeld() : previous_{} {
  sigset_t all;
  sigfillset(&all);
  sigprocmask(SIG_BLOCK, &all, reinterpret_cast<sigset_t*>(previous_));
}

SignalsHeld::~SignalsHeld() {
  sigprocmask(SIG_SETMASK, reinterpret_cast<const sigset_t*>(previous_), nullptr);
}

// flock on the folder itself: nothing is left in it, and the lock goes with
// the process however it ends.
FolderLock::FolderLock(const std::string& folder)
    : handle_(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (handle_ < 0) return;
  while (flock(static_cast<int>(handle_), LOCK_EX) != 0 && errno == EINTR) {
  }
}

FolderLock::~FolderLock() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

namespace {
constexpr std::size_t kLargePage = std::size_t{2} << 20;
std::size_t LargePagesFor(std::size_t bytes) {
  return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}
}  // namespace

void* AllocateLargeZeroed(std::size_t bytes) {
  const std::size_t size = LargePagesFor(bytes);
  // One large page more than needed, trimmed so that the block starts on a
  // large page's boundary: the system only backs whole aligned ones.
  void* raw = mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t block = (start + kLargePage - 1) & ~(std::uintptr_t{kLargePage} - 1);
  const std::uintptr_t end = start + size + kLargePage;
  if (block > start) munmap(raw, block - start);
  if (end > block + size) munmap(reinterpret_cast<void*>(block + size), end - (block + size));
#ifdef MADV_HUGEPAGE
  // Only advice: without large pages the block works the same, just slower.
  madvise(reinterpret_cast<void*>(block), size, MADV_HUGEPAGE);
#endif
  return reinterpret_cast<void*>(block);
}

void FreeLarge(void* block, std::size_t bytes) {
  if (block != nullptr) munmap(block, LargePagesFor(bytes));
}

}  // namespace boltgen::os
