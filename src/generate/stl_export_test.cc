#include "generate/stl_export.h"

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "mesh/stl.h"

namespace boltgen {
namespace {

namespace fs = std::filesystem;

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
    const GenerationInput input{BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {}};
    EXPECT_EQ(BuildPartsInMemory(state, controls, input, parts).kind,
              GenerationResult::Kind::kWritten);
    return parts;
  }

  std::string dir_;
};

TEST_F(StlExportTest, WritesOneReadableFilePerPartNamedLikeItsDrawing) {
  EXPECT_EQ(StlPath("C:\\cad\\BOLT.SCR", "BOLT"), "C:\\cad\\BOLT.stl");
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
    const auto mesh = DecodeBinaryStl(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_TRUE(mesh.has_value()) << names[i];
    EXPECT_EQ(mesh->triangles.size(), PartMesh(parts[i]).triangles.size()) << names[i];
  }
  // A folder that is missing: nothing written.
  const StlExport failed = WriteStlFiles(parts, dir_ + "/missing/BOLT.scr");
  EXPECT_FALSE(failed.error.empty());
  EXPECT_TRUE(failed.written.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 5);
}

// The number after "name :" on the line of admesh's report that starts with
// the name, or -1.
long Finding(const std::string& report, const std::string& name) {
  std::size_t at = report.find("\n" + name + " ");
  return at == std::string::npos ? -1 : std::strtol(&report[report.find(':', at) + 1], nullptr, 10);
}

// admesh, an independent STL checker, on the finest grid.
TEST_F(StlExportTest, AdmeshFindsNoDisconnectedFacetsNoHolesAndNoFlippedNormals) {
  ASSERT_EQ(system("command -v admesh >/dev/null 2>&1"), 0)
      << "admesh is not installed; scripts/install-deps.sh installs it";
  const StlExport written = WriteStlFiles(DefaultBoltWithNuts(240), dir_ + "/BOLT.scr");
  ASSERT_EQ(written.written.size(), 5u) << written.error;
  for (const std::string& path : written.written) {
    std::string report;
    FILE* pipe = popen(("admesh '" + path + "' 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    for (char buffer[512]; fgets(buffer, sizeof buffer, pipe) != nullptr;) report += buffer;
    ASSERT_EQ(pclose(pipe), 0) << report;
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
