#ifndef BOLTGEN_GENERATE_DXF_READ_TEST_H_
#define BOLTGEN_GENERATE_DXF_READ_TEST_H_

// Reading DXF drawings back in tests: a small group-code reader for checks
// of the encoded text, and ezdxf (scripts/check_dxf.py), a real reader, for
// the files a test writes to disk.

#include <stdio.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace boltgen {

struct DxfGroup {
  int code = 0;
  std::string value;
};

// The (code, value) pairs of an ASCII DXF text, lines ending in CR LF or LF.
inline std::vector<DxfGroup> DxfGroups(std::string_view text) {
  std::istringstream lines{std::string(text)};
  std::vector<DxfGroup> groups;
  for (std::string code, value; std::getline(lines, code) && std::getline(lines, value);) {
    if (!value.empty() && value.back() == '\r') value.pop_back();
    groups.push_back({std::atoi(code.c_str()), value});  // skips the code's leading blanks
  }
  return groups;
}

#ifndef _WIN32  // ezdxf runs where Debian has it
// Runs scripts/check_dxf.py (ezdxf) on `args`; returns its exit status and
// leaves its report in `report`.
inline int RunDxfChecker(const std::string& args, std::string& report) {
  const std::string command = std::string(BOLTGEN_PYTHON " " BOLTGEN_SOURCE_DIR) +
                              "/scripts/check_dxf.py " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  for (char buffer[512]; fgets(buffer, sizeof buffer, pipe) != nullptr;) report += buffer;
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A path as one word of a shell command.
inline std::string ShellWord(const std::string& path) {
  std::string word = "'";
  for (char c : path) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}
#endif

}  // namespace boltgen

#endif  // BOLTGEN_GENERATE_DXF_READ_TEST_H_
