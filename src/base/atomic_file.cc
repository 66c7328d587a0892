#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// The mode a file created the ordinary way would get; mkstemp gives 0600.
mode_t CreatedFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
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

// Writes, flushes to disk and closes `fd`. Returns 0 or the first errno.
int FillAndClose(int fd, std::string_view bytes) {
  int error = WriteAll(fd, bytes);
  if (error == 0 && fchmod(fd, CreatedFileMode()) != 0) error = errno;
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

// A temporary beside `path`, filled with `bytes` and closed. Beside the
// target, so that the rename into place stays within one file system and
// readers see either the old file or the complete new one. A name of its own
// rather than the target's plus a suffix, which could grow past the longest
// name the folder allows. Returns 0 or the errno; `temporary` names the file
// only when it was created.
int WriteTemporary(const std::string& path, std::string_view bytes, std::string& temporary) {
  const std::size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  name += ".boltgen-XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) return errno;
  temporary = std::move(name);
  return FillAndClose(fd, bytes);
}

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string temporary;
  int error = WriteTemporary(path, bytes, temporary);
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    if (!temporary.empty()) unlink(temporary.c_str());
    return Failure(path, error);
  }
  return {};
}

std::string WriteFilesAtomically(const std::vector<OutputFile>& files) {
  std::vector<std::string> temporaries(files.size());
  auto remove_temporaries = [&] {
    for (const std::string& temporary : temporaries) {
      if (!temporary.empty()) unlink(temporary.c_str());
    }
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const int error = WriteTemporary(files[i].path, files[i].bytes, temporaries[i])) {
      remove_temporaries();
      return Failure(files[i].path, error);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (std::rename(temporaries[i].c_str(), files[i].path.c_str()) != 0) {
      const int error = errno;
      remove_temporaries();
      return Failure(files[i].path, error);
    }
    temporaries[i].clear();
  }
  return {};
}

}  // namespace boltgen
