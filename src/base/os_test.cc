#include "base/os.h"

#include <filesystem>
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

// Temporaries lie beside their target, so that the rename into place stays
// within one file system: unique files go into the prefix's own folder, even
// one named beyond ASCII, each under a name of its own.
TEST(Os, UniqueFilesLieInThePrefixsFolder) {
  const std::string dir = MakeTestFolder("os_\xE6\x97\xA5");
  const std::string prefix = dir + "/.t\xC3\xA9mp-";
  std::string first, second;
  os::NativeFile a{}, b{};
  ASSERT_EQ(os::CreateUniqueFile(prefix, first, a), 0);
  ASSERT_EQ(os::CreateUniqueFile(prefix, second, b), 0);
  EXPECT_EQ(os::CloseFile(a), 0);
  EXPECT_EQ(os::CloseFile(b), 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(first.rfind(prefix, 0), 0u) << first;
  EXPECT_TRUE(fs::exists(os::PathFromUtf8(first))) << first;
  fs::remove_all(os::PathFromUtf8(dir));
}

}  // namespace
}  // namespace boltgen
