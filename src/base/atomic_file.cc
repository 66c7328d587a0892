#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

}  // namespace

std::string WriteFileAtomically(const std::string& path, std::string_view bytes) {
  // Beside the target, so that the rename below stays within one file system
  // and readers see either the old file or the complete new one. A name of
  // its own rather than the target's plus a suffix, which could grow past the
  // longest name the folder allows.
  const std::size_t slash = path.rfind('/');
  std::string temporary = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  temporary += ".boltgen-XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return Failure(path, errno);

  int error = FillAndClose(fd, bytes);
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    return Failure(path, error);
  }
  return {};
}

}  // namespace boltgen
