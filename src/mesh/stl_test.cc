#include "mesh/stl.h"

#include <cstring>

#include <gtest/gtest.h>

namespace boltgen {
namespace {

TriangleMesh Tetrahedron(double z = 0) {
  TriangleMesh mesh;
  mesh.vertices = {{0, 0, z}, {1, 0, z}, {0, 1, z}, {0, 0, z + 1}};
  mesh.triangles = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
  return mesh;
}

float FloatAt(const std::string& bytes, std::size_t at) {
  float value;
  std::memcpy(&value, bytes.data() + at, 4);  // the build machines are little endian
  return value;
}

TEST(BinaryStl, LaysOutHeaderCountNormalsAndCornersLittleEndian) {
  const std::string bytes = EncodeBinaryStl(Tetrahedron(10), "part");
  ASSERT_EQ(bytes.size(), 80u + 4u + 4u * 50u);
  EXPECT_EQ(bytes.substr(0, 5), "part ");
  EXPECT_EQ(bytes.substr(79, 1), " ");
  EXPECT_EQ(bytes.substr(80, 4), std::string("\x04\0\0\0", 4));
  // First triangle (0, 2, 1) lies in z = 10 facing down.
  EXPECT_EQ(FloatAt(bytes, 84), 0.0f);
  EXPECT_EQ(FloatAt(bytes, 88), 0.0f);
  EXPECT_EQ(FloatAt(bytes, 92), -1.0f);
  EXPECT_EQ(FloatAt(bytes, 96 + 12 + 4), 1.0f);   // corner 2's y
  EXPECT_EQ(FloatAt(bytes, 96 + 12 + 8), 10.0f);  // corner 2's z
  EXPECT_EQ(bytes.substr(84 + 48, 2), std::string("\0\0", 2));
  // The slanted face's normal is a unit vector.
  const std::size_t last = 84 + 3 * 50;
  EXPECT_NEAR(FloatAt(bytes, last), 0.57735f, 1e-5);
  EXPECT_NEAR(FloatAt(bytes, last + 8), 0.57735f, 1e-5);
  // A header never passes for the text form, and a long name is cut.
  EXPECT_NE(EncodeBinaryStl(Tetrahedron(), "solid bolt").substr(0, 5), "solid");
  EXPECT_EQ(EncodeBinaryStl(Tetrahedron(), std::string(100, 'x')).size(), bytes.size());
}

TEST(BinaryStl, ReadsBackAsTheSameClosedSurface) {
  const auto mesh = DecodeBinaryStl(EncodeBinaryStl(Tetrahedron(3), "t"));
  ASSERT_TRUE(mesh.has_value());
  EXPECT_EQ(mesh->vertices.size(), 4u);
  EXPECT_TRUE(CheckEdges(*mesh).IsClosedManifold());
  EXPECT_NEAR(SignedVolume(*mesh), 1.0 / 6, 1e-6);
  std::string cut = EncodeBinaryStl(Tetrahedron(), "t");
  cut.pop_back();
  EXPECT_FALSE(DecodeBinaryStl(cut).has_value());
}

}  // namespace
}  // namespace boltgen
