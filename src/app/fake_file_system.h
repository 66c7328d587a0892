#ifndef BOLTGEN_APP_FAKE_FILE_SYSTEM_H_
#define BOLTGEN_APP_FAKE_FILE_SYSTEM_H_

// For tests only: a file system held in memory, so that a test of the app
// layer sets up the files it needs without a working folder of its own.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/file_system.h"
#include "base/os.h"

namespace boltgen {

class FakeFileSystem : public FileSystem {
 public:
  // A regular file; the folders on its way exist without being added.
  void AddFile(const std::string& path, std::string content) {
    entries_[Key(path)] = std::move(content);
  }
  // An entry of another kind (a folder, a FIFO): listed, but not a file.
  void AddOther(const std::string& path) { entries_[Key(path)] = std::nullopt; }
  void Remove(const std::string& path) { entries_.erase(Key(path)); }

  std::vector<std::string> List(const std::string& folder) const override {
    std::vector<std::string> names;
    const std::filesystem::path parent = Key(folder);
    for (const auto& [path, content] : entries_) {
      if (path.parent_path() == parent) names.push_back(os::Utf8FromPath(path.filename()));
    }
    return names;
  }
  bool IsFile(const std::string& path) const override {
    const auto it = entries_.find(Key(path));
    return it != entries_.end() && it->second.has_value();
  }
  Result<std::string> ReadSizeTable(const std::string& path) const override {
    const auto it = entries_.find(Key(path));
    if (it != entries_.end() && it->second) return *it->second;
    return Error{path + " cannot be read"};
  }

 private:
  // Paths are compared as the system would after joining: "a/b/../c" is "a/c".
  static std::filesystem::path Key(const std::string& path) {
    return os::PathFromUtf8(path).lexically_normal();
  }

  std::map<std::filesystem::path, std::optional<std::string>> entries_;
};

}  // namespace boltgen

#endif  // BOLTGEN_APP_FAKE_FILE_SYSTEM_H_
