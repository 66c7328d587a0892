#include "generate/stl_export.h"

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "base/test_folder.h"
#include "config/bolt_request_test.h"
#include "mesh/stl.h"

namespace boltgen {
namespace {

#ifndef _WIN32
// The number after "name :" on the line of admesh's report naming it, or -1.
long Finding(const std::string& report, const std::string& name) {
  std::size_t at = report.find("\n" + name + " ");
  return at == std::string::npos ? -1 : std::strtol(&report[report.find(':', at) + 1], nullptr, 10);
}

constexpr char kAdmesh[] = "admesh";

// Checked apart from running it: a missing checker is a machine without
// scripts/install-deps.sh, not a fault of the files.
bool AdmeshInstalled() {
  static const bool installed =
      std::system(("command -v " + std::string(kAdmesh) + " >/dev/null 2>&1").c_str()) == 0;
  return installed;
}

// admesh, an independent STL checker, reads the file as a slicer would.
void CheckWithAdmesh(const std::string& path) {
  std::string report;
  FILE* pipe = popen((kAdmesh + std::string(" '") + path + "' 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  for (char buffer[512]; fgets(buffer, sizeof buffer, pipe) != nullptr;) report += buffer;
  ASSERT_EQ(pclose(pipe), 0) << "admesh (scripts/install-deps.sh) on " << path << ": " << report;
  EXPECT_GT(Finding(report, "Number of facets"), 0) << report;
  for (const char* zero :
       {"Total disconnected facets", "Degenerate facets", "Edges fixed", "Facets removed",
        "Facets added", "Facets reversed", "Backwards edges", "Normals fixed"}) {
    EXPECT_EQ(Finding(report, zero), 0) << zero << " in " << path << "\n" << report;
  }
  EXPECT_EQ(Finding(report, "Number of parts"), 1) << report;
}
#endif

// The default bolt of the command line with nuts on the finest grid, each
// file read back and checked by admesh, an independent STL checker.
TEST(StlFiles, OneSoundFilePerPartNamedLikeItsDrawingOrNoneAtAll) {
  EXPECT_EQ(StlPath("cad/BOLT.SCR", "BOLT"), "cad/BOLT.stl");
  const std::string dir = MakeTestFolder("stl_export");
  BoltRequest c = TextRequest("[Inch 3/4]", "0.076923 UNC", "3.0000", "240");
  c.file_name = dir + "/IN_07500_HCSW-UNC_03000-3D(240)";
  c.washer_face = c.head_radius = c.nuts = true;
  GenerationState state;
  const Result<BoltParts> built =
      BuildBoltParts(state, c, {BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {}});
  ASSERT_TRUE(built);
  const std::vector<Part>& parts = built->parts;
  const std::vector<OutputFile> files = StlFiles(parts, c.file_name + ".scr", LengthUnit::kInch);
  ASSERT_EQ(WriteFilesAtomically(files), "");
  const std::string names[] = {"IN_07500_HCSW-UNC_03000-3D(240)", "IN_07500_HNSW-3D(240)",
                               "IN_07500_HNJW-3D(240)", "IN_07500_HNJP-3D(240)",
                               "IN_07500_HNSP-3D(240)"};
  ASSERT_EQ(files.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    const std::string& path = files[i].path;
    EXPECT_EQ(path, dir + "/" + names[i] + ".stl");
    std::ifstream in(path, std::ios::binary);
    const auto mesh = DecodeBinaryStl(std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_TRUE(mesh.has_value()) << names[i];
    EXPECT_EQ(mesh->triangles.size(), PartMesh(parts[i]).triangles.size()) << names[i];
    EXPECT_NE(files[i].bytes.substr(0, 80).find("mm"), std::string::npos) << names[i];
#ifndef _WIN32
    if (AdmeshInstalled()) CheckWithAdmesh(path);
#endif
  }
  // One file of the set cannot be written: none of the set is, and no
  // temporary is left behind.
  std::vector<OutputFile> blocked = StlFiles(parts, dir + "/NEW.scr", LengthUnit::kInch);
  blocked.back().path = dir + "/missing/BOLT.stl";
  EXPECT_NE(WriteFilesAtomically(blocked).find("missing/BOLT.stl"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 5);
  std::filesystem::remove_all(dir);
#ifdef _WIN32
  GTEST_SKIP() << "admesh did not check the files: it runs on POSIX systems only";
#else
  if (!AdmeshInstalled()) {
    GTEST_SKIP() << "admesh did not check the files: it is not installed (scripts/install-deps.sh)";
  }
#endif
}

// Slicers read STL in millimetres: every corner of an inch part is written
// 25.4 times its script coordinate, a metric part's exactly as it stands.
TEST(StlFiles, InMillimetresWhateverTheSectionsUnit) {
  const struct {
    const char *size, *pitch;
    LengthUnit unit;
    double scale;
  } cases[] = {{"[Inch 3/4]", "0.076923 UNC", LengthUnit::kInch, 25.4},
               {"[Metric M12]", "1.75 coarse", LengthUnit::kMillimetre, 1}};
  for (const auto& k : cases) {
    BoltRequest c = TextRequest(k.size, k.pitch, "40.0000", "36");
    c.file_name = "BOLT";
    c.washer_face = c.nuts = true;
    GenerationState state;
    const Result<BoltParts> built =
        BuildBoltParts(state, c, {BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {}});
    ASSERT_TRUE(built) << k.size;
    const std::vector<Part>& parts = built->parts;
    const std::vector<OutputFile> files = StlFiles(parts, "BOLT.scr", k.unit);
    ASSERT_EQ(files.size(), 5u) << k.size;
    for (std::size_t i = 0; i < files.size(); ++i) {
      const TriangleMesh want = PartMesh(parts[i]);
      const auto read = DecodeBinaryStl(files[i].bytes);
      ASSERT_TRUE(read && read->triangles.size() == want.triangles.size()) << k.size << i;
      // The first triangle's corners, as 32-bit floats.
      const std::vector<Point3> bytes_corners = {read->vertices[read->triangles[0][0]],
                                                 read->vertices[read->triangles[0][1]],
                                                 read->vertices[read->triangles[0][2]]};
      for (int corner = 0; corner < 3; ++corner) {
        const Point3 p = k.scale * want.vertices[want.triangles[0][corner]];
        EXPECT_EQ(bytes_corners[corner].x, static_cast<float>(p.x)) << k.size << i;
        EXPECT_EQ(bytes_corners[corner].y, static_cast<float>(p.y)) << k.size << i;
        EXPECT_EQ(bytes_corners[corner].z, static_cast<float>(p.z)) << k.size << i;
      }
      EXPECT_NEAR(BoundingDiagonal(read->vertices), k.scale * BoundingDiagonal(want.vertices),
                  1e-5 * k.scale * BoundingDiagonal(want.vertices)) << k.size << i;
      EXPECT_TRUE(CheckEdges(*read).IsClosedManifold()) << k.size << i;
    }
  }
}

}  // namespace
}  // namespace boltgen
