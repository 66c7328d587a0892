#include "app/written_status.h"

#include <filesystem>

#include "base/number_format.h"
#include "base/os.h"

namespace boltgen {

std::string WrittenStatus(const std::string& script_path, std::size_t other_files) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path script = fs::absolute(os::PathFromUtf8(script_path), error).lexically_normal();
  if (error) script = os::PathFromUtf8(script_path);
  std::string status = "(Script File Written) " + os::Utf8FromPath(script.filename());
  if (other_files > 0) {
    status += " and " + FormatNumber(static_cast<double>(other_files), "0") + " other file";
    if (other_files > 1) status += 's';
  }
  return status + " in " + os::Utf8FromPath(script.parent_path()) + ". Ready ....";
}

}  // namespace boltgen
