#include "base/path.h"

namespace boltgen {
namespace {

std::size_t FolderEnd(std::string_view path) { return path.find_last_of(kPathSeparators); }

}  // namespace

std::string_view FileNameOf(std::string_view path) {
  const std::size_t end = FolderEnd(path);
  return end == std::string_view::npos ? path : path.substr(end + 1);
}

std::string_view FolderPrefixOf(std::string_view path) {
  const std::size_t end = FolderEnd(path);
  return end == std::string_view::npos ? std::string_view() : path.substr(0, end + 1);
}

std::string FolderOf(std::string_view path) {
  const std::size_t end = FolderEnd(path);
  if (end == std::string_view::npos) return {};
  if (end == 0 || path[end - 1] == ':') return std::string(path.substr(0, end + 1));
  return std::string(path.substr(0, end));
}

}  // namespace boltgen
