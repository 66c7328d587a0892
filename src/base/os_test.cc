#include "base/os.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

namespace fs = std::filesystem;

// The size table is looked for beside the program: its path must be the
// real file, not the name it was started by.
TEST(Os, ProgramPathIsTheRunningTestProgram) {
  const std::string path = os::ProgramPath("fallback");
  const fs::path file = os::PathFromUtf8(path);
  EXPECT_TRUE(file.is_absolute()) << path;
  EXPECT_TRUE(fs::is_regular_file(file)) << path;
  EXPECT_EQ(os::Utf8FromPath(file.filename()).rfind("boltgen_tests", 0), 0u) << path;
}

}  // namespace
}  // namespace boltgen
