#include "mesh/mesh_stitch.h"

#include <gtest/gtest.h>

namespace boltgen {
namespace {

// A unit cube whose faces are two triangles each, corners 0..7 as the bits
// of (x, y, z); facing outwards. Triangles 0 and 1 are the bottom face,
// 2 and 3 the top.
TriangleMesh Cube() {
  TriangleMesh mesh;
  for (int i = 0; i < 8; ++i)
    mesh.vertices.push_back({double(i & 1), double((i >> 1) & 1), double((i >> 2) & 1)});
  const int quads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                           {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  for (const auto& q : quads) {
    mesh.triangles.push_back({q[0], q[1], q[2]});
    mesh.triangles.push_back({q[0], q[2], q[3]});
  }
  return mesh;
}

TEST(StitchOpenEdges, SplitsAnEdgeThatTheOtherSideMeetsWithAnExtraVertex) {
  TriangleMesh mesh = Cube();
  ASSERT_TRUE(CheckEdges(mesh).IsClosedManifold());
  ASSERT_NEAR(SignedVolume(mesh), 1, 1e-12);
  // The bottom face gets a vertex in the middle of its edge 0-1: the front
  // face still runs straight from 0 to 1, a T-junction.
  mesh.vertices.push_back({0.5, 0, 0});
  mesh.triangles[0] = {0, 2, 8};
  mesh.triangles[1] = {8, 2, 3};
  mesh.triangles.push_back({8, 3, 1});
  EXPECT_EQ(CheckEdges(mesh).open_edges, 3u);
  StitchOpenEdges(mesh, 1e-9);
  EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold());
  EXPECT_NEAR(SignedVolume(mesh), 1, 1e-12);
}

TEST(StitchOpenEdges, ClosesAThinCrackAndLeavesAWideHoleOpen) {
  // Corner 5 of the top face is a vertex of its own, a hair away from the
  // corner 5 that the side faces use; on the side faces' edge 7-5, splitting
  // that edge leaves a sliver of three vertices, two of them a hair apart.
  for (Point3 apart : {Point3{1.001, -0.001, 1.001}, {1, 0.001, 1}}) {
    TriangleMesh mesh = Cube();
    mesh.vertices.push_back(apart);
    for (int t : {2, 3}) {
      for (int& v : mesh.triangles[t]) v = v == 5 ? 8 : v;
    }
    EXPECT_GT(CheckEdges(mesh).open_edges, 0u);
    StitchOpenEdges(mesh, 1e-9);
    EXPECT_TRUE(CheckEdges(mesh).IsClosedManifold()) << apart.y;
    EXPECT_NEAR(SignedVolume(mesh), 1, 1e-3);
  }
  TriangleMesh mesh = Cube();
  mesh.triangles.resize(10);  // no right face
  StitchOpenEdges(mesh, 1e-9);
  EXPECT_EQ(CheckEdges(mesh).open_edges, 4u);
}

TEST(DropDegenerateTriangles, KeepsThinButRealTrianglesAndDropsFlatOnes) {
  TriangleMesh mesh;
  mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0.5, 1e-3, 0}, {0.5, 1e-12, 0}};
  mesh.triangles = {{0, 1, 2}, {0, 1, 3}, {0, 0, 1}};
  DropDegenerateTriangles(mesh, 1e-9);
  ASSERT_EQ(mesh.triangles.size(), 1u);
  EXPECT_EQ(mesh.triangles[0][2], 2);
}

}  // namespace
}  // namespace boltgen
