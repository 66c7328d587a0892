#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
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

Error SetPermissionsFor(NativeFile file, const std::string& target) {
  struct stat info {};
  if (stat(target.c_str(), &info) != 0) return SetCreatedFilePermissions(file);
  return fchmod(Descriptor(file), info.st_mode & 07777) == 0 ? 0 : errno;
}

Error CheckReplaceable(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if ((info.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0) return EACCES;
  return 0;
}

Error KeepCopy(const std::string& path, const std::string& aside) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno;
  // link() will not replace the placeholder.
  if (unlink(aside.c_str()) != 0) return errno;
  if (link(path.c_str(), aside.c_str()) == 0) return 0;
  if (!S_ISREG(info.st_mode)) return errno;
  const int fd = open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return errno;
  Error error = 0;
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

Error SyncFile(NativeFile file) { return fsync(Descriptor(file)) == 0 ? 0 : errno; }

Error CloseFile(NativeFile file) { return close(Descriptor(file)) == 0 ? 0 : errno; }

Error MoveIntoPlace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

Error RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0 ? 0 : errno; }

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
