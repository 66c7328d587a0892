#include "app/file_system.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "base/os.h"
#include "base/test_folder.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

// On the machine's own file system: the lookup order, and the working
// folder's name matched in any letter case.
TEST(LocateDataFile, WorkingFolderThenBesideTheProgramThenShared) {
  // Folder names beyond ASCII, in UTF-8 like every path the program handles.
  const fs::path root = os::PathFromUtf8(MakeTestFolder("locate_\xC3\x98"));
  const fs::path work = root / os::PathFromUtf8("w\xC3\xB6rk");
  // Each file is written before the lookup that must find it: the two calls
  // are never arguments of one expectation, whose order is the compiler's.
  const auto write = [&](const char* relative, const std::string& content) {
    const fs::path path = (root / os::PathFromUtf8(relative)).lexically_normal();
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return os::Utf8FromPath(path);
  };
  const auto locate = [&](WorkingFolderEntry entry = WorkingFolderEntry::kRegularFile) {
    const std::string found =
        LocateDataFile(RealFileSystem(), "boltgen.ini", os::Utf8FromPath(work),
                       os::Utf8FromPath(root / "prefix" / "bin"), entry);
    return found.empty() ? found : os::Utf8FromPath(os::PathFromUtf8(found).lexically_normal());
  };
  // A folder of that name in the working folder is not the file, unless
  // any kind counts (then it is what the reader reports).
  fs::create_directories(work / "boltgen.ini");
  fs::create_directories(root / "prefix" / "bin");
  EXPECT_EQ(locate(), "");
  EXPECT_EQ(locate(WorkingFolderEntry::kAnyKind), os::Utf8FromPath(work / "boltgen.ini"));
  const std::string shared = write("prefix/share/boltgen/boltgen.ini", "s");
  EXPECT_EQ(locate(), shared);
  const std::string beside = write("prefix/bin/boltgen.ini", "b");
  EXPECT_EQ(locate(), beside);
  fs::remove(work / "boltgen.ini");
  // The working folder's file matches in any case; an exact match goes first.
  const std::string any_case = write("w\xC3\xB6rk/BoltGen.INI", "w");
  EXPECT_EQ(locate(), any_case);
#ifndef _WIN32  // Windows' names ignore case: the two spellings are one file
  const std::string exact = write("w\xC3\xB6rk/boltgen.ini", "exact");
  EXPECT_EQ(locate(), exact);
#endif
  fs::remove_all(root);
}

}  // namespace
}  // namespace boltgen
