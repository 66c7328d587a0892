#include "mesh/mesh_stitch.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// A unit cube, two triangles per face, facing outwards; corners 0..7 are the
// bits of (x, y, z). Triangles 0 and 1 are the bottom face, 2 and 3 the top.
TriangleMesh Cube() {
  TriangleMesh mesh;
  for (int i = 0; i < 8; ++i)
    mesh.vertices.push_back({double(i & 1), double((i >> 1) & 1), double((i >> 2) & 1)});
  const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                           {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  for (const auto& q : quads)
    mesh.triangles.insert(mesh.triangles.end(), {{q[0], q[1], q[2]}, {q[0], q[2], q[3]}});
  return mesh;
}

TEST(StitchOpenEdges, ClosesATJunctionButNotAWideHole) {
  // The bottom face gets a vertex mid-edge 0-1 which the front face runs past.
  TriangleMesh mesh = Cube();
  mesh.vertices.push_back({0.5, 0, 0});
  mesh.triangles[0] = {0, 2, 8}, mesh.triangles[1] = {8, 2, 3};
  mesh.triangles.push_back({8, 3, 1});
  StitchOpenEdges(mesh, 1e-9);
  EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold());
  EXPECT_NEAR(SignedVolume(mesh), 1, 1e-12);
  mesh = Cube();
  mesh.triangles.resize(10);  // no right face
  StitchOpenEdges(mesh, 1e-9);
  EXPECT_EQ(CheckEdges(mesh).open_edges, 4u);
}

TEST(DropDegenerateTriangles, KeepsThinButRealTrianglesAndDropsFlatOnes) {
  TriangleMesh mesh;
  mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0.5, 1e-3, 0}, {0.5, 1e-12, 0}};
  mesh.triangles = {{0, 1, 2}, {0, 1, 3}, {0, 0, 1}};
  DropDegenerateTriangles(mesh, 1e-9);
  EXPECT_EQ(mesh.triangles, (std::vector<std::array<int, 3>>{{0, 1, 2}}));
}

}  // namespace
}  // namespace boltgen
