#include "app/file_system.h"

#include <filesystem>
#include <system_error>

#include "base/os.h"
#include "base/text.h"
#include "config/size_table_file.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

class Real : public FileSystem {
 public:
  std::vector<std::string> List(const std::string& folder) const override {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(os::PathFromUtf8(folder), ec);
    if (ec) return names;
    for (const fs::directory_entry& entry : it) {
      names.push_back(os::Utf8FromPath(entry.path().filename()));
    }
    return names;
  }

  bool IsFile(const std::string& path) const override {
    std::error_code ec;
    return fs::is_regular_file(os::PathFromUtf8(path), ec);
  }

  Result<std::string> ReadSizeTable(const std::string& path) const override {
    return boltgen::ReadSizeTable(path);
  }
};

std::string Join(const fs::path& folder, std::string_view name) {
  return os::Utf8FromPath(folder / os::PathFromUtf8(name));
}

// The working folder's entry whose name matches without regard to case. An
// exact match wins; among several other spellings the first in byte order,
// so that the choice does not depend on the order of the folder listing.
// Entries of other kinds (folders, links to nothing, FIFOs) count only when
// `any_kind`.
std::string FindIgnoringCase(const FileSystem& files, const fs::path& folder,
                             std::string_view file_name, bool any_kind) {
  std::string best;
  for (const std::string& name : files.List(os::Utf8FromPath(folder))) {
    if (!EqualsIgnoreCase(name, file_name)) continue;
    if (!any_kind && !files.IsFile(Join(folder, name))) continue;
    if (name == file_name) return Join(folder, name);
    if (best.empty() || name < best) best = name;
  }
  return best.empty() ? std::string() : Join(folder, best);
}

}  // namespace

const FileSystem& RealFileSystem() {
  static const Real real;
  return real;
}

std::string LocateDataFile(const FileSystem& files, std::string_view file_name,
                           const std::string& working_dir, const std::string& exe_dir,
                           WorkingFolderEntry entry) {
  std::string found = FindIgnoringCase(files, os::PathFromUtf8(working_dir.empty() ? "." : working_dir),
                                       file_name, entry == WorkingFolderEntry::kAnyKind);
  if (!found.empty()) return found;
  // Without a known program folder there is no installed copy to fall back on.
  if (exe_dir.empty()) return {};
  const fs::path folder = os::PathFromUtf8(exe_dir);
  const std::string beside = Join(folder, file_name);
  if (files.IsFile(beside)) return beside;
  const std::string shared = Join(folder / ".." / "share" / "boltgen", file_name);
  if (files.IsFile(shared)) return shared;
  return {};
}

}  // namespace boltgen
