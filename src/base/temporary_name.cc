#include "base/temporary_name.h"

#include <filesystem>
#include <system_error>

#include "base/os.h"
#include "base/path.h"

namespace boltgen {
namespace {

constexpr std::string_view kStart = ".boltgen-";

}  // namespace

std::string TemporaryPrefix(std::string_view path) {
  std::string prefix(FolderPrefixOf(path));
  prefix += kStart;
  prefix += os::ProcessStamp();
  prefix += '-';
  return prefix;
}

// ".boltgen-PID-START-XXXXXX": the stamp is the text between the start and
// the last dash, itself holding one dash between two runs of digits.
std::string_view StampOfTemporary(std::string_view name) {
  if (!name.starts_with(kStart)) return {};
  name.remove_prefix(kStart.size());
  const std::size_t last = name.rfind('-');
  if (last == std::string_view::npos) return {};
  const std::string_view stamp = name.substr(0, last);
  const std::size_t dash = stamp.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == stamp.size()) return {};
  for (std::size_t i = 0; i < stamp.size(); ++i) {
    if (i != dash && (stamp[i] < '0' || stamp[i] > '9')) return {};
  }
  return stamp;
}

void RemoveDeadRunsTemporaries(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator entries(os::PathFromUtf8(folder.empty() ? "." : folder), error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    const std::string name = os::Utf8FromPath(entries->path().filename());
    const std::string_view stamp = StampOfTemporary(name);
    if (stamp.empty() || stamp == os::ProcessStamp() || os::StampIsRunning(stamp)) continue;
    if (entries->symlink_status(error).type() != fs::file_type::directory && !error)
      os::RemoveFile(os::Utf8FromPath(entries->path()));
    error.clear();
  }
}

}  // namespace boltgen
