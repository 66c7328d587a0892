#include "base/atomic_file.h"

#ifndef _WIN32
#include <signal.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

#include "base/os.h"
#include "base/path.h"

namespace boltgen {
namespace {

std::string Failure(const std::string& path, os::Error error) {
  std::string message = "Cannot write the file \"";
  message += path;
  message += "\": ";
  message += os::ErrorText(error);
  return message;
}

#ifdef _WIN32
constexpr os::Error kTooManyTemporaries = ERROR_TOO_MANY_OPEN_FILES;
#else
constexpr os::Error kTooManyTemporaries = EMFILE;
#endif

// ---- Signal cleanup -------------------------------------------------------
// The temporaries that exist now, for the handler to remove: fixed slots of
// names the handler only reads (it may not allocate or lock).
constexpr int kTemporarySlots = 256;
std::atomic<char*> temporary_slots[kTemporarySlots];

extern "C" void RemoveTemporariesAndEnd(int signal_number) {
  for (std::atomic<char*>& slot : temporary_slots) {
#ifdef _WIN32
    if (char* name = slot.load()) DeleteFileA(name);
#else
    if (char* name = slot.load()) unlink(name);
#endif
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
// Windows delivers Ctrl+C on a thread of its own and has no mask to hold it.
class [[maybe_unused]] SignalsHeld {
 public:
#ifndef _WIN32
  SignalsHeld() {
    sigset_t all;
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, &previous_);
  }
  ~SignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
#else
  SignalsHeld() = default;
#endif
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

#ifndef _WIN32
 private:
  sigset_t previous_;
#endif
};

// ---- File system steps ------------------------------------------------------
// Each returns 0 or the system's error.

// Creates an empty temporary beside `path` and registers it for the signal
// cleanup. Beside the target, so that the rename into place stays within one
// file system and readers see either the old file or the complete new one. A
// name of its own rather than the target's plus a suffix, which could grow
// past the longest name the folder allows. `temporary` names the file only
// when it was created.
os::Error CreateTemporary(const std::string& path, os::NativeFile& file, std::string& temporary) {
  std::string prefix(FolderPrefixOf(path));
  prefix += ".boltgen-";
  SignalsHeld held;  // no temporary exists unregistered
  std::string name;
  if (const os::Error error = os::CreateUniqueFile(prefix, name, file)) return error;
  if (!Register(name)) {
    os::CloseFile(file);
    os::RemoveFile(name);
    return kTooManyTemporaries;
  }
  temporary = std::move(name);
  return 0;
}

os::Error RemoveTemporary(std::string& temporary) {
  if (temporary.empty()) return 0;
  const os::Error error = os::RemoveFile(temporary);
  Unregister(temporary);
  temporary.clear();
  return error;
}

// Writes, sets the permissions the target is to have, flushes to disk and
// closes `file`.
os::Error FillAndClose(os::NativeFile file, std::string_view bytes, const std::string& target) {
  os::Error error = os::WriteAll(file, bytes);
  if (error == 0) error = os::SetPermissionsFor(file, target);
  if (error == 0) error = os::SyncFile(file);
  if (const os::Error closed = os::CloseFile(file); closed != 0 && error == 0) error = closed;
  return error;
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::symlink_status(os::PathFromUtf8(path), ignored).type() !=
         std::filesystem::file_type::not_found;
}

// Keeps the file now at `path` under a registered temporary name `aside`, so
// that it can be put back. 0 and an empty `aside` when there is no such file.
os::Error KeepAside(const std::string& path, std::string& aside) {
  if (!Exists(path)) return 0;
  os::NativeFile file{};
  if (const os::Error error = CreateTemporary(path, file, aside)) return error;
  os::CloseFile(file);
  const os::Error error = os::KeepCopy(path, aside);
  if (error != 0) RemoveTemporary(aside);
  return error;
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
      if (os::MoveIntoPlace(p.aside, p.file->path) == 0) {
        Unregister(p.aside);
        p.aside.clear();
      }
    } else {
      os::RemoveFile(p.file->path);
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
    os::Error error = os::CheckReplaceable(path);
    os::NativeFile file{};
    if (error == 0) error = CreateTemporary(path, file, p.temporary);
    if (error == 0) error = FillAndClose(file, p.file->bytes, path);
    if (error == 0) error = KeepAside(path, p.aside);
    if (error != 0) {
      RemoveAll(pending);
      return Failure(path, error);
    }
  }
  {
    SignalsHeld held;
    for (Pending& p : pending) {
      if (const os::Error error = os::MoveIntoPlace(p.temporary, p.file->path)) {
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
