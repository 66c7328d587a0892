#include "base/atomic_file.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "base/os.h"
#include "base/path.h"
#include "base/temporary_name.h"

namespace boltgen {
namespace {

Error Failure(const std::string& path, os::ErrorCode error) {
  std::string message = "Cannot write the file \"";
  message += path;
  message += "\": ";
  message += os::ErrorText(error);
  return Error{std::move(message)};
}

// ---- Signal cleanup -------------------------------------------------------
// The named temporaries that exist now, for the handler to remove: fixed
// slots of names the handler only reads (it may not allocate or lock).
constexpr int kTemporarySlots = 256;
std::atomic<char*> temporary_slots[kTemporarySlots];

extern "C" void RemoveTemporariesAndEnd(int signal_number) {
  for (std::atomic<char*>& slot : temporary_slots) {
    if (char* name = slot.load()) os::RemoveFileInHandler(name);
  }
  os::EndInHandler(128 + signal_number);
}

// False when every slot is taken.
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

// ---- File system steps ------------------------------------------------------
// Each returns 0 or the system's error.

// Creates an empty named temporary beside `path`, registered for the signal
// cleanup. Beside the target, so that the rename into place stays within one
// file system and readers see either the old file or the complete new one. A
// name of its own rather than the target's plus a suffix, which could grow
// past the longest name the folder allows. `temporary` names the file only
// when it was created.
os::ErrorCode CreateTemporary(const std::string& path, os::NativeFile& file, std::string& temporary) {
  os::SignalsHeld held;  // no temporary exists unregistered
  std::string name;
  if (const os::ErrorCode error = os::CreateUniqueFile(TemporaryPrefix(path), name, file)) return error;
  if (!Register(name)) {
    os::CloseFile(file);
    os::RemoveFile(name);
    return os::TooManyOpenFiles();  // no slot left for one more temporary
  }
  temporary = std::move(name);
  return 0;
}

os::ErrorCode RemoveTemporary(std::string& temporary) {
  if (temporary.empty()) return 0;
  const os::ErrorCode error = os::RemoveFile(temporary);
  Unregister(temporary);
  temporary.clear();
  return error;
}

// Gives a complete unnamed file a registered temporary name beside `path`:
// a unique name is made, freed and taken by the link, again should another
// process take it in between.
os::ErrorCode NameTemporary(os::NativeFile file, const std::string& path, std::string& temporary) {
  os::ErrorCode error = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    os::NativeFile placeholder{};
    if (const os::ErrorCode created = CreateTemporary(path, placeholder, temporary)) return created;
    os::CloseFile(placeholder);
    os::RemoveFile(temporary);
    error = os::NameFile(file, temporary);
    if (error == 0) return 0;
    Unregister(temporary);
    temporary.clear();
    if (!os::IsAlreadyExisting(error)) return error;
  }
  return error;
}

// Writes and sets the permissions the target is to have, then waits until
// the contents are on the disk.
os::ErrorCode Fill(os::NativeFile file, std::string_view bytes, const std::string& target) {
  os::ErrorCode error = os::WriteAll(file, bytes);
  if (error == 0) error = os::SetPermissionsFor(file, target);
  if (error == 0) error = os::SyncFile(file);
  return error;
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::symlink_status(os::PathFromUtf8(path), ignored).type() !=
         std::filesystem::file_type::not_found;
}

// Keeps the file now at `path` under a registered temporary name `aside`, so
// that it can be put back. 0 and an empty `aside` when there is no such file.
os::ErrorCode KeepAside(const std::string& path, std::string& aside) {
  if (!Exists(path)) return 0;
  os::NativeFile file{};
  if (const os::ErrorCode error = CreateTemporary(path, file, aside)) return error;
  os::CloseFile(file);
  const os::ErrorCode error = os::KeepCopy(path, aside);
  if (error != 0) RemoveTemporary(aside);
  return error;
}

// ---- One run's files ----------------------------------------------------------

struct Pending {
  const OutputFile* file = nullptr;
  bool open = false;       // `handle` holds the complete new contents, unnamed
  os::NativeFile handle{};
  std::string temporary;   // the complete new contents, named
  std::string aside;       // the old file, while the set is put in place
  bool placed = false;
};

// The new contents complete beside the target: in a file with no name where
// the system allows, else in a named temporary.
os::ErrorCode Prepare(Pending& p) {
  const std::string& path = p.file->path;
  if (const os::ErrorCode error = os::CheckReplaceable(path)) return error;
  if (os::CreateUnnamedFile(FolderOf(path), p.handle)) {
    p.open = true;
    return Fill(p.handle, p.file->bytes, path);
  }
  os::NativeFile file{};
  if (const os::ErrorCode error = CreateTemporary(path, file, p.temporary)) return error;
  os::ErrorCode error = Fill(file, p.file->bytes, path);
  if (const os::ErrorCode closed = os::CloseFile(file); closed != 0 && error == 0) error = closed;
  return error;
}

// Puts one file in place, keeping the old one aside.
os::ErrorCode Place(Pending& p) {
  const std::string& path = p.file->path;
  if (p.open) {
    os::ErrorCode error = NameTemporary(p.handle, path, p.temporary);
    os::CloseFile(p.handle);
    p.open = false;
    if (error != 0) return error;
  }
  if (const os::ErrorCode error = KeepAside(path, p.aside)) return error;
  if (const os::ErrorCode error = os::MoveIntoPlace(p.temporary, path)) return error;
  Unregister(p.temporary);
  p.temporary.clear();
  p.placed = true;
  return 0;
}

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
    if (p.open) os::CloseFile(p.handle);
    p.open = false;
    RemoveTemporary(p.temporary);
    RemoveTemporary(p.aside);
  }
}

// The folders of the run's files, each once, in one order for every run so
// that two runs never wait for each other's second lock.
std::vector<std::string> FoldersOf(const std::vector<OutputFile>& files) {
  std::vector<std::string> folders;
  for (const OutputFile& file : files) {
    std::string folder = FolderOf(file.path);
    std::error_code ignored;
    const auto canonical = std::filesystem::weakly_canonical(os::PathFromUtf8(folder), ignored);
    if (!ignored) folder = os::Utf8FromPath(canonical);
    folders.push_back(std::move(folder));
  }
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  return folders;
}

}  // namespace

void InstallSignalCleanup() {
  static const bool installed = [] {
    os::InstallEndHandler(RemoveTemporariesAndEnd);
    return true;
  }();
  (void)installed;
}

Result<> WriteFileAtomically(const std::string& path, std::string_view bytes) {
  return WriteFilesAtomically({{path, std::string(bytes)}});
}

Result<> WriteFilesAtomically(const std::vector<OutputFile>& files) {
  InstallSignalCleanup();
  const std::vector<std::string> folders = FoldersOf(files);
  for (const std::string& folder : folders) RemoveDeadRunsTemporaries(folder);

  std::vector<Pending> pending;
  pending.reserve(files.size());
  for (const OutputFile& file : files) pending.emplace_back().file = &file;

  // Every file complete beside its target before any target changes.
  for (Pending& p : pending) {
    if (const os::ErrorCode error = Prepare(p)) {
      RemoveAll(pending);
      return Failure(p.file->path, error);
    }
  }
  std::vector<std::unique_ptr<os::FolderLock>> locks;
  for (const std::string& folder : folders) locks.push_back(std::make_unique<os::FolderLock>(folder));
  {
    // A signal waits until the set is all in place or all back as it was.
    os::SignalsHeld held;
    for (Pending& p : pending) {
      if (const os::ErrorCode error = Place(p)) {
        PutBack(pending);
        RemoveAll(pending);
        return Failure(p.file->path, error);
      }
    }
    RemoveAll(pending);  // the old files kept aside
  }
  return Done{};
}

}  // namespace boltgen
