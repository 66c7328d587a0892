#ifndef BOLTGEN_BASE_TEST_FOLDER_H_
#define BOLTGEN_BASE_TEST_FOLDER_H_

// For tests only: a fresh folder under the system's temporary folder, on
// every system (mkdtemp is POSIX only), and the files written into it.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "base/os.h"

namespace boltgen {

// Creates and returns a new, empty folder whose name starts with `stem`
// (UTF-8); its path is UTF-8 text with the system's separators.
inline std::string MakeTestFolder(std::string_view stem) {
  static std::mt19937_64 random{std::random_device{}()};
  const std::string base = testing::TempDir();
  for (;;) {
    const std::string path = base + std::string(stem) + "_" + std::to_string(random() % 1000000007);
    std::error_code ec;
    if (std::filesystem::create_directory(os::PathFromUtf8(path), ec)) return path;
    if (ec) throw std::filesystem::filesystem_error("test folder", os::PathFromUtf8(path), ec);
  }
}

// The bytes of the file at `path` (UTF-8), as they are; empty when it
// cannot be read.
inline std::string ReadTestFile(const std::string& path) {
  std::ifstream in(os::PathFromUtf8(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace boltgen

#endif  // BOLTGEN_BASE_TEST_FOLDER_H_
