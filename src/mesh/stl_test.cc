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

TEST(BinaryStl, LaysOutHeaderCountNormalsAndCorners) {
  const std::string bytes = EncodeBinaryStl(Tetrahedron(10), "part");
  ASSERT_EQ(bytes.size(), 80u + 4u + 4u * 50u);
  EXPECT_EQ(bytes.substr(0, 5) + bytes[79], "part  ");
  EXPECT_EQ(bytes.substr(80, 4), std::string("\x04\0\0\0", 4));
  // First triangle (0, 2, 1) lies in z = 10 facing down; its corner 2 is (0, 1, 10).
  for (auto [at, value] : {std::pair{84, 0.0f}, {88, 0.0f}, {92, -1.0f}, {112, 1.0f}, {116, 10.0f}})
    EXPECT_EQ(FloatAt(bytes, at), value) << at;
  EXPECT_EQ(bytes.substr(84 + 48, 2), std::string("\0\0", 2));
  EXPECT_NEAR(FloatAt(bytes, 84 + 3 * 50 + 8), 0.57735f, 1e-5);  // the slanted face's normal
  EXPECT_NE(EncodeBinaryStl(Tetrahedron(), "solid bolt").substr(0, 5), "solid");  // not text
  EXPECT_EQ(EncodeBinaryStl(Tetrahedron(), std::string(100, 'x')).size(), bytes.size());
  // The check before writing reads the file back whole, and only whole.
  EXPECT_EQ(DecodeBinaryStl(bytes).value().triangles.size(), 4u);
  EXPECT_FALSE(DecodeBinaryStl(bytes.substr(0, bytes.size() - 1)).has_value());
  EXPECT_FALSE(DecodeBinaryStl(bytes + '\0').has_value());
}

}  // namespace
}  // namespace boltgen
