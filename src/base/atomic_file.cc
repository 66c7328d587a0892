#include "base/atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace boltgen {
namespace {

std::string Failure(const std::string& path, int error) {
  std::string message = "Cannot write the file \"";
  message += path;
  message += "\": ";
  message += std::strerror(error);
  return message;
}

// ---- Signal cleanup -------------------------------------------------------
// The temporaries that exist now, for the handler to remove: fixed slots of
// names the handler only reads (it may not allocate or lock).
constexpr int kTemporarySlots = 256;
std::atomic<char*> temporary_slots[kTemporarySlots];

extern "C" void RemoveTemporariesAndEnd(int signal_number) {
  for (std::atomic<char*>& slot : temporary_slots) {
    if (char* name = slot.load()) unlink(name);
  }
  std::_Exit(128 + signal_number);
}

// A signal that the user or the session sends to end the program: its
// temporaries go with it. A signal ignored when the program started (nohup)
// stays ignored.
void InstallSignalCleanup() {
  static const bool installed = [] {
    const int signals[] = {SIGINT, SIGTERM,
#ifdef SIGHUP
                           SIGHUP,
#endif
    };
    for (int signal_number : signals) {
      if (std::signal(signal_number, RemoveTemporariesAndEnd) == SIG_IGN)
        std::signal(signal_number, SIG_IGN);
    }
    return true;
  }();
  (void)installed;
}

// Returns false when every slot is taken.
bool Register(const std::string& name) {
  InstallSignalCleanup();
  char* copy = strdup(name.c_str());
  if (copy == nullptr) return false;
  for (std::atomic<char*>& slot : temporary_slots) {
    char* empty = nullptr;
    if (slot.compare_exchange_strong(empty, copy)) return true;
  }
  std::free(copy);
  return false;
}

// The slot is emptied before its name is freed, so that the handler never
// reads a freed name.
void Unregister(const std::string& name) {
  for (std::atomic<char*>& slot : temporary_slots) {
    char* held = slot.load();
    if (held != nullptr && name == held && slot.compare_exchange_strong(held, nullptr)) {
      std::free(held);
      return;
    }
  }
}

// While the files of a run are put in place, a signal waits until they all
// are (or all are back as they were), so that the set is never left mixed.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t all;
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, &previous_);
  }
  ~SignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

// ---- File system calls ------------------------------------------------------
// Each returns 0 or the errno of the failing call.

// Creates an empty temporary beside `path` and registers it for the signal
// cleanup. Beside the target, so that the rename into place stays within one
// file system and readers see either the old file or the complete new one. A
// name of its own rather than the target's plus a suffix, which could grow
// past the longest name the folder allows. `temporary` names the file only
// when it was created.
int CreateTemporary(const std::string& path, int& fd, std::string& temporary) {
  const std::size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  name += ".boltgen-XXXXXX";
  SignalsHeld held;  // no temporary exists unregistered
  fd = mkstemp(name.data());
  if (fd < 0) return errno;
  if (!Register(name)) {
    close(fd);
    unlink(name.c_str());
    return EMFILE;
  }
  temporary = std::move(name);
  return 0;
}

int RemoveTemporary(std::string& temporary) {
  if (temporary.empty()) return 0;
  const int error = unlink(temporary.c_str()) == 0 ? 0 : errno;
  Unregister(temporary);
  temporary.clear();
  return error;
}

// The permission bits the new file gets: those of the file it replaces, or
// those a file created the ordinary way would get (mkstemp gives 0600).
mode_t ModeFor(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A target that exists and may not be written is left alone, as cp leaves
// it. A file marked read-only (no write bit at all) counts as such for every
// user, the administrator too: the mark is how users protect a finished file.
int CheckReplaceable(const std::string& path) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if ((info.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0) return EACCES;
  return 0;
}

// Returns 0 or the errno of the first failing write.
int WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = write(fd, data, left);
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

// Writes, sets the mode, flushes to disk and closes `fd`.
int FillAndClose(int fd, std::string_view bytes, mode_t mode) {
  int error = WriteAll(fd, bytes);
  if (error == 0 && fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

// Copies the file at `path` into the open file `fd`.
int CopyInto(const std::string& path, int fd) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return errno;
  char buffer[1 << 16];
  int error = 0;
  for (std::size_t got; error == 0 && (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
    error = WriteAll(fd, std::string_view(buffer, got));
  if (error == 0 && std::ferror(in)) error = EIO;
  std::fclose(in);
  return error;
}

// Keeps the file now at `path` under the name `aside`, so that it can be put
// back: a hard link, which leaves the target itself in place until it is
// replaced, or a copy where the file system has no hard links. 0 and an
// empty `aside` when there is no such file.
int KeepAside(const std::string& path, std::string& aside) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
  int fd = -1;
  if (const int error = CreateTemporary(path, fd, aside)) return error;
  close(fd);
  // link() will not replace the placeholder; its name stays registered while
  // the link or the copy takes it over.
  int error = unlink(aside.c_str()) == 0 && link(path.c_str(), aside.c_str()) == 0 ? 0 : errno;
  if (error != 0 && S_ISREG(info.st_mode)) {
    fd = open(aside.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    error = fd < 0 ? errno : CopyInto(path, fd);
    if (fd >= 0) {
      const int closing = FillAndClose(fd, {}, info.st_mode & 07777);
      if (error == 0) error = closing;
    }
  }
  if (error != 0) RemoveTemporary(aside);
  return error;
}

int Replace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// ---- One run's files ----------------------------------------------------------

struct Pending {
  const OutputFile* file;
  std::string temporary;  // the complete new contents
  std::string aside;      // the old file, while the set is put in place
  bool placed = false;
};

// Puts back every file already replaced: the old one where there was one,
// none where there was none.
void PutBack(std::vector<Pending>& pending) {
  for (Pending& p : pending) {
    if (!p.placed) continue;
    if (!p.aside.empty()) {
      if (Replace(p.aside, p.file->path) == 0) {
        Unregister(p.aside);
        p.aside.clear();
      }
    } else {
      unlink(p.file->path.c_str());
    }
  }
}

void RemoveAll(std::vector<Pending>& pending) {
  for (Pending& p : pending) {
    RemoveTemporary(p.temporary);
    RemoveTemporary(p.aside);
  }
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes) {
  return WriteFilesAtomically({{path, std::string(bytes)}});
}

std::string WriteFilesAtomically(const std::vector<OutputFile>& files) {
  std::vector<Pending> pending;
  pending.reserve(files.size());
  for (const OutputFile& file : files) pending.push_back({&file, {}, {}, false});

  // Every file complete beside its target, and every old file kept aside,
  // before any target changes.
  for (Pending& p : pending) {
    const std::string& path = p.file->path;
    int error = CheckReplaceable(path);
    int fd = -1;
    if (error == 0) error = CreateTemporary(path, fd, p.temporary);
    if (error == 0) error = FillAndClose(fd, p.file->bytes, ModeFor(path));
    if (error == 0) error = KeepAside(path, p.aside);
    if (error != 0) {
      RemoveAll(pending);
      return Failure(path, error);
    }
  }
  {
    SignalsHeld held;
    for (Pending& p : pending) {
      if (const int error = Replace(p.temporary, p.file->path)) {
        PutBack(pending);
        RemoveAll(pending);
        return Failure(p.file->path, error);
      }
      Unregister(p.temporary);
      p.temporary.clear();
      p.placed = true;
    }
  }
  RemoveAll(pending);  // the old files kept aside
  return {};
}

}  // namespace boltgen
