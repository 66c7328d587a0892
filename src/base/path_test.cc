#include "base/path.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

struct Split {
  std::string_view path, folder_prefix, file_name, folder;
};

void ExpectSplits(std::initializer_list<Split> cases) {
  for (const Split& c : cases) {
    EXPECT_EQ(FolderPrefixOf(c.path), c.folder_prefix) << c.path;
    EXPECT_EQ(FileNameOf(c.path), c.file_name) << c.path;
    EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
  }
}

// '/' separates everywhere, the root keeping its separator; '\' is a
// separator on Windows only.
TEST(Path, SlashSeparatesEverywhereBackslashOnWindowsOnly) {
  ExpectSplits({{"bolt.scr", "", "bolt.scr", ""},
                {"out/bolt.scr", "out/", "bolt.scr", "out"},
                {"/usr/bin/boltgen", "/usr/bin/", "boltgen", "/usr/bin"},
                {"/boltgen", "/", "boltgen", "/"},
                {"out/", "out/", "", "out"}});
#ifdef _WIN32
  ExpectSplits({{"C:\\cad\\bolt.scr", "C:\\cad\\", "bolt.scr", "C:\\cad"},
                {"C:\\boltgen.exe", "C:\\", "boltgen.exe", "C:\\"},
                {"C:/cad\\parts/bolt.scr", "C:/cad\\parts/", "bolt.scr", "C:/cad\\parts"}});
#else
  ExpectSplits({{"C:\\cad\\bolt.scr", "", "C:\\cad\\bolt.scr", ""},
                {"out/a\\b.scr", "out/", "a\\b.scr", "out"}});
#endif
}

}  // namespace
}  // namespace boltgen
