#include "base/atomic_file.h"

#include <cstdio>
#include <utility>

#include "base/os.h"

namespace boltgen {
namespace {

std::string Failure(const std::string& path, os::Error error) {
  std::string message = "Cannot write the file \"";
  message += path;
  message += "\": ";
  message += os::ErrorText(error);
  return message;
}

// Writes, flushes to disk and closes `file`. Returns 0 or the first error.
os::Error FillAndClose(os::NativeFile file, std::string_view bytes) {
  os::Error error = os::WriteAll(file, bytes);
  if (error == 0) error = os::SetCreatedFilePermissions(file);
  if (error == 0) error = os::SyncFile(file);
  if (const os::Error closed = os::CloseFile(file); closed != 0 && error == 0) error = closed;
  return error;
}

// A temporary beside `path`, filled with `bytes` and closed. Beside the
// target, so that the rename into place stays within one file system and
// readers see either the old file or the complete new one. A name of its own
// rather than the target's plus a suffix, which could grow past the longest
// name the folder allows. Returns 0 or the error; `temporary` names the file
// only when it was created.
os::Error WriteTemporary(const std::string& path, std::string_view bytes, std::string& temporary) {
  const std::size_t slash = path.find_last_of(os::kPathSeparators);
  std::string prefix = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  prefix += ".boltgen-";
  os::NativeFile file{};
  if (const os::Error error = os::CreateUniqueFile(prefix, temporary, file)) return error;
  return FillAndClose(file, bytes);
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string temporary;
  os::Error error = WriteTemporary(path, bytes, temporary);
  if (error == 0) error = os::MoveIntoPlace(temporary, path);
  if (error != 0) {
    if (!temporary.empty()) os::RemoveFile(temporary);
    return Failure(path, error);
  }
  return {};
}

std::string WriteFilesAtomically(const std::vector<OutputFile>& files) {
  std::vector<std::string> temporaries(files.size());
  auto remove_temporaries = [&] {
    for (const std::string& temporary : temporaries) {
      if (!temporary.empty()) os::RemoveFile(temporary);
    }
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const os::Error error = WriteTemporary(files[i].path, files[i].bytes, temporaries[i])) {
      remove_temporaries();
      return Failure(files[i].path, error);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const os::Error error = os::MoveIntoPlace(temporaries[i], files[i].path)) {
      remove_temporaries();
      return Failure(files[i].path, error);
    }
    temporaries[i].clear();
  }
  return {};
}

}  // namespace boltgen
