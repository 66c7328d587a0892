#include "generate/stl_export.h"

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "config/size_table.h"
#include "mesh/stl.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

constexpr char kSizeTable[] = BOLTGEN_SOURCE_DIR "/data/boltgen.ini";

class StlExportTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "/stl_export_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // The default bolt of the command line (3/4 inch UNC, threads, nuts).
  std::vector<Part> DefaultBoltWithNuts(int segments) {
    Controls controls;
    controls.Cmb_Size.text = "[Inch 3/4]";
    controls.Cmb_Pitch.text = "0.076923 UNC";
    controls.TXT_Nom_Length.text = "3.0000";
    controls.CMB_Segments.text = std::to_string(segments);
    controls.TXT_File.text = dir_ + "/IN_07500_HCSW-UNC_03000-3D(036)";
    controls.Chk_WF.checked = controls.Chk_Rad_HEAD.checked = controls.Chk_Nuts.checked = true;
    GenerationState state;
    std::vector<Part> parts;
    const GenerationResult result = BuildPartsInMemory(state, controls, {kSizeTable, {}}, parts);
    EXPECT_EQ(result.kind, GenerationResult::Kind::kWritten) << result.message;
    return parts;
  }

  std::string dir_;
};

TEST(StlPath, PutsThePartBesideTheScriptUnderItsDrawingName) {
  EXPECT_EQ(StlPath("BOLT.scr", "BOLTHNSWBOLT"), "BOLTHNSWBOLT.stl");
  EXPECT_EQ(StlPath("out/BOLT.scr", "BOLT"), "out/BOLT.stl");
  EXPECT_EQ(StlPath("C:\\cad\\BOLT.SCR", "BOLT"), "C:\\cad\\BOLT.stl");
}

TEST_F(StlExportTest, WritesOneReadableFilePerPartNamedLikeItsDrawing) {
  const std::vector<Part> parts = DefaultBoltWithNuts(36);
  const StlExport written = WriteStlFiles(parts, dir_ + "/IN_07500_HCSW-UNC_03000-3D(036).scr");
  ASSERT_TRUE(written.error.empty()) << written.error;
  const std::string names[] = {"IN_07500_HCSW-UNC_03000-3D(036)", "IN_07500_HNSW-3D(036)",
                               "IN_07500_HNJW-3D(036)", "IN_07500_HNJP-3D(036)",
                               "IN_07500_HNSP-3D(036)"};
  ASSERT_EQ(written.written.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(written.written[i], dir_ + "/" + names[i] + ".stl");
    std::ifstream in(written.written[i], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto mesh = DecodeBinaryStl(bytes);
    ASSERT_TRUE(mesh.has_value()) << names[i];
    EXPECT_EQ(mesh->triangles.size(), PartMesh(parts[i]).triangles.size()) << names[i];
  }
}

TEST_F(StlExportTest, WritesNothingWhereTheFolderIsMissing) {
  const StlExport written = WriteStlFiles(DefaultBoltWithNuts(24), dir_ + "/missing/BOLT.scr");
  EXPECT_FALSE(written.error.empty());
  EXPECT_TRUE(written.written.empty());
  EXPECT_TRUE(fs::is_empty(dir_));
}

// What admesh, an independent STL checker, says of a file; empty when it fails.
std::string AdmeshReport(const std::string& path) {
  std::string report;
  FILE* pipe = popen(("admesh '" + path + "' 2>&1").c_str(), "r");
  if (pipe == nullptr) return report;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) report += buffer;
  return pclose(pipe) == 0 ? report : std::string();
}

// The number after "name :" on a line that starts with the name, or -1.
long Finding(const std::string& report, const std::string& name) {
  std::size_t at = report.find("\n" + name + " ");
  if (at == std::string::npos) return -1;
  at = report.find(':', at);
  return std::strtol(report.c_str() + at + 1, nullptr, 10);
}

TEST_F(StlExportTest, AdmeshFindsNoDisconnectedFacetsNoHolesAndNoFlippedNormals) {
  ASSERT_EQ(system("command -v admesh >/dev/null 2>&1"), 0)
      << "admesh is not installed; scripts/install-deps.sh installs it";
  const StlExport written = WriteStlFiles(DefaultBoltWithNuts(240), dir_ + "/BOLT.scr");
  ASSERT_EQ(written.written.size(), 5u) << written.error;
  for (const std::string& path : written.written) {
    const std::string report = AdmeshReport(path);
    EXPECT_GT(Finding(report, "Number of facets"), 0) << report;
    for (const char* zero :
         {"Total disconnected facets", "Degenerate facets", "Edges fixed", "Facets removed",
          "Facets added", "Facets reversed", "Backwards edges", "Normals fixed"}) {
      EXPECT_EQ(Finding(report, zero), 0) << zero << " in " << path << "\n" << report;
    }
    EXPECT_EQ(Finding(report, "Number of parts"), 1) << report;
  }
}

}  // namespace
}  // namespace boltgen
