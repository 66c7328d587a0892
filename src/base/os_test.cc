#include "base/os.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "base/test_folder.h"

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

// A hand-over that cannot start comes back with the reason and takes back
// the variable it meant to pass. A missing program (a build without the
// window) is told apart from one that is there but cannot run, which the
// caller reports.
TEST(Os, RunInsteadReturnsWhenTheProgramCannotStart) {
  const std::string folder = MakeTestFolder("run_instead");
  const std::string missing = folder + "/missing" + os::kProgramSuffix;
  const std::string no_program = folder + "/text" + os::kProgramSuffix;
  std::ofstream(os::PathFromUtf8(no_program)) << "not a program\n";
  std::string words[] = {"boltgen", "/D:7"};
  char* argv[] = {words[0].data(), words[1].data(), nullptr};
  const char* variable = "BOLTGEN_RUN_INSTEAD_TEST";

  const os::ErrorCode gone = os::RunInstead(missing, argv, variable, "given");
  EXPECT_NE(gone, 0);
  EXPECT_TRUE(os::IsNotFound(gone)) << os::ErrorText(gone);
  const os::ErrorCode refused = os::RunInstead(no_program, argv, variable, "given");
  EXPECT_NE(refused, 0);
  EXPECT_FALSE(os::IsNotFound(refused)) << os::ErrorText(refused);
  EXPECT_FALSE(os::ErrorText(refused).empty());
#ifndef _WIN32  // Windows' C runtime keeps a copy of the environment of its own
  EXPECT_EQ(std::getenv(variable), nullptr);
#endif
  fs::remove_all(os::PathFromUtf8(folder));
}

}  // namespace
}  // namespace boltgen
