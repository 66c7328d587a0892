#include "generate/stl_check.h"

#include <gtest/gtest.h>

#include "mesh/stl.h"
#include "mesh/triangle_mesh.h"

namespace boltgen {
namespace {

// A cube of side `size` with its low corner at `low`, facing outwards.
TriangleMesh Cube(double size, double low) {
  TriangleMesh mesh;
  for (int i = 0; i < 8; ++i)
    mesh.vertices.push_back({low + size * (i & 1), low + size * ((i >> 1) & 1),
                             low + size * ((i >> 2) & 1)});
  const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                           {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  for (const auto& q : quads)
    mesh.triangles.insert(mesh.triangles.end(), {{q[0], q[1], q[2]}, {q[0], q[2], q[3]}});
  return mesh;
}

OutputFile Stl(const std::string& path, const TriangleMesh& mesh) {
  return {path, EncodeBinaryStl(mesh, "test")};
}

TEST(CheckStlFile, RefusesWhatAReaderWouldNotSeeAsAClosedPart) {
  EXPECT_TRUE(CheckStlFile(Stl("a.stl", Cube(1, 0))));
  EXPECT_TRUE(CheckStlFile(Stl("far.stl", Cube(1, 1e6))));
  TriangleMesh open = Cube(1, 0);
  open.triangles.resize(10);
  const struct {
    OutputFile file;
    const char* why;
  } cases[] = {
      {Stl("open.stl", open), "(4 open, 0 over-used"},
      // Closed in doubles; at 1e5 a 32-bit number steps by 1/128, so the
      // cube's corners fall onto one another.
      {Stl("long.stl", Cube(1e-3, 1e5)), "collapsed triangles"},
      {Stl("huge.stl", Cube(1e39, 0)), "32-bit numbers"},
      {Stl("empty.stl", TriangleMesh()), "no surface"},
  };
  for (const auto& c : cases) {
    const Result<> sound = CheckStlFile(c.file);
    ASSERT_FALSE(sound);
    const std::string& problem = sound.error().message;
    EXPECT_NE(problem.find("\"" + c.file.path + "\""), std::string::npos) << problem;
    EXPECT_NE(problem.find(c.why), std::string::npos) << problem;
  }
  // The first bad file of a run is named.
  const Result<> refused =
      CheckStlFiles({Stl("a.stl", Cube(1, 0)), Stl("open.stl", open), cases[1].file});
  EXPECT_NE(refused.error().message.find("open.stl"), std::string::npos);
}

}  // namespace
}  // namespace boltgen
