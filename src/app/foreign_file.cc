#include "app/foreign_file.h"

#include <filesystem>
#include <fstream>

#include "base/os.h"
#include "generate/script_header.h"

namespace boltgen {

bool IsForeignScript(const std::string& script_path) {
  std::error_code error;
  if (!std::filesystem::exists(os::PathFromUtf8(script_path), error)) return false;
  std::ifstream in(os::PathFromUtf8(script_path), std::ios::binary);
  std::string first_line;
  // A header line is short: a longer first line is not one, whatever follows.
  const std::size_t longest = kScriptFirstLine.size() + 2;
  for (char c; first_line.size() <= longest && in.get(c) && c != '\n';) first_line += c;
  if (!first_line.empty() && first_line.back() == '\r') first_line.pop_back();
  return first_line != kScriptFirstLine;
}

}  // namespace boltgen
