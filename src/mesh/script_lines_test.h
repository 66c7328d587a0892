#ifndef BOLTGEN_MESH_SCRIPT_LINES_TEST_H_
#define BOLTGEN_MESH_SCRIPT_LINES_TEST_H_

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace boltgen {

// The lines of a script; a test fails when any line lacks its CR LF.
inline std::vector<std::string> ScriptLines(const std::string& script) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < script.size()) {
    const std::size_t end = script.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text after the last line end: " << script.substr(start);
      break;
    }
    lines.push_back(script.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace boltgen

#endif  // BOLTGEN_MESH_SCRIPT_LINES_TEST_H_
