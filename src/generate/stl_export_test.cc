#include "generate/stl_export.h"

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <utility>

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

// Checked apart from running it: a missing checker is a machine without
// scripts/install-deps.sh, not a fault of the files.
bool AdmeshInstalled() {
  static const bool installed = std::system("command -v admesh >/dev/null 2>&1") == 0;
  return installed;
}

// admesh, an independent STL checker, reads the file as a slicer would.
void CheckWithAdmesh(const std::string& path) {
  std::string report;
  FILE* pipe = popen(("admesh '" + path + "' 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  for (char buffer[512]; fgets(buffer, sizeof buffer, pipe) != nullptr;) report += buffer;
  ASSERT_EQ(pclose(pipe), 0) << "admesh (scripts/install-deps.sh) on " << path << ": " << report;
  for (const char* zero :
       {"Total disconnected facets", "Degenerate facets", "Edges fixed", "Facets removed",
        "Facets added", "Facets reversed", "Backwards edges", "Normals fixed"}) {
    EXPECT_EQ(Finding(report, zero), 0) << zero << " in " << path << "\n" << report;
  }
  EXPECT_EQ(Finding(report, "Number of parts"), 1) << report;
}
#endif

// A bolt with nuts of each unit, the inch one on the finest grid. Slicers
// read STL in millimetres: every corner of an inch part is written 25.4
// times its script coordinate, a metric part's exactly as it stands.
TEST(StlFiles, OneClosedFilePerPartInMillimetresNamedLikeItsDrawing) {
  const std::string dir = MakeTestFolder("stl_export");
  const struct {
    const char *size, *pitch, *length, *segments, *name;
    LengthUnit unit;
    double scale;
  } cases[] = {{"[Inch 3/4]", "0.076923 UNC", "3.0000", "240", "IN_07500_HCSW-UNC_03000-3D(240)",
                LengthUnit::kInch, 25.4},
               {"[Metric M12]", "1.75 coarse", "40.0000", "36", "MM_01200_HCSW-017_0040.0-3D(036)",
                LengthUnit::kMillimetre, 1}};
  for (const auto& [k, threaded] : {std::pair{cases[0], false}, {cases[1], false},
                                     {cases[0], true}, {cases[1], true}}) {
    SCOPED_TRACE(std::string(k.size) + (threaded ? " threaded nuts" : ""));
    BoltRequest c = TextRequest(k.size, k.pitch, k.length, k.segments);
    c.file_name = dir + "/" + k.name;
    c.washer_face = c.head_radius = c.nuts = true;
    c.threaded_nuts = threaded;
    c.part_file_unit = k.unit;
    GenerationState state;
    Result<BoltParts> built = BuildBoltParts(state, c, {BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {}});
    ASSERT_TRUE(built);
    const std::vector<Part>& parts = built->parts;
    const std::vector<OutputFile> files = StlFiles(parts, c.file_name + ".scr", k.unit);
    ASSERT_EQ(files.size(), 5u);
    ASSERT_TRUE(WriteFilesAtomically(files));
    for (std::size_t i = 0; i < files.size(); ++i) {
      EXPECT_EQ(files[i].path, dir + "/" + parts[i].drawing_name + ".stl");
      EXPECT_NE(files[i].bytes.substr(0, 80).find("mm"), std::string::npos) << i;
      const TriangleMesh want = PartMesh(parts[i]);
      const auto read = DecodeBinaryStl(ReadTestFile(files[i].path));
      ASSERT_TRUE(read && read->triangles.size() == want.triangles.size()) << i;
      int moved = 0;  // corners not at the script's place, scaled and as 32-bit numbers
      for (std::size_t t = 0; t < want.triangles.size(); ++t) {
        for (int corner = 0; corner < 3; ++corner) {
          const Point3 p = k.scale * want.vertices[want.triangles[t][corner]];
          const Point3 q = read->vertices[read->triangles[t][corner]];
          moved += q.x != static_cast<float>(p.x) || q.y != static_cast<float>(p.y) ||
                   q.z != static_cast<float>(p.z);
        }
      }
      EXPECT_EQ(moved, 0) << i;
#ifndef _WIN32
      if (AdmeshInstalled()) CheckWithAdmesh(files[i].path);
#endif
    }
  }
  std::filesystem::remove_all(dir);
#ifdef _WIN32
  GTEST_SKIP() << "admesh did not check the files: it runs on POSIX systems only";
#else
  if (!AdmeshInstalled()) {
    GTEST_SKIP() << "admesh did not check the files: it is not installed (scripts/install-deps.sh)";
  }
#endif
}

}  // namespace
}  // namespace boltgen
