#ifndef BOLTGEN_MESH_TRIANGLE_MESH_H_
#define BOLTGEN_MESH_TRIANGLE_MESH_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace boltgen {

struct Point3 {
  double x = 0;
  double y = 0;
  double z = 0;
};

inline Point3 operator-(const Point3& a, const Point3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Point3 operator+(const Point3& a, const Point3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Point3 operator*(double k, const Point3& a) { return {k * a.x, k * a.y, k * a.z}; }
inline double Dot(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Point3 Cross(const Point3& a, const Point3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(const Point3& a);

// A surface of shared vertices and triangles that index them; a triangle's
// corners run counter-clockwise seen from outside once the mesh is oriented.
struct TriangleMesh {
  std::vector<Point3> vertices;
  std::vector<std::array<int, 3>> triangles;
};

// The volume a closed surface encloses: positive when its triangles face
// outwards, negative when they all face inwards.
double SignedVolume(const TriangleMesh& mesh);

// Reverses every triangle, turning the surface inside out.
void FlipTriangles(TriangleMesh& mesh);

// The diagonal of the box around all vertices: the scale that tolerances are
// taken relative to.
double BoundingDiagonal(const std::vector<Point3>& points);

// One triangle's use of an edge, from its corner `from` to its next corner
// `to`; `edge` names the edge whichever way it is run.
struct EdgeUse {
  std::uint64_t edge;
  int triangle;
  int from;
  int to;
};

// Every edge use of every triangle with two distinct corners, sorted so that
// the uses of one edge stand together.
std::vector<EdgeUse> SortedEdgeUses(const TriangleMesh& mesh);

// How the triangles meet along their edges. A closed, consistently oriented,
// edge-manifold surface has every directed edge exactly once and its reverse
// exactly once: no open, no over-used and no same-direction edges.
struct EdgeReport {
  std::size_t open_edges = 0;            // an edge with one triangle only
  std::size_t non_manifold_edges = 0;    // an edge shared by three or more triangles
  std::size_t misoriented_edges = 0;     // two triangles running the edge the same way
  std::size_t degenerate_triangles = 0;  // two corners on one vertex
  bool IsClosedManifold() const {
    return open_edges == 0 && non_manifold_edges == 0 && misoriented_edges == 0 &&
           degenerate_triangles == 0;
  }
};
EdgeReport CheckEdges(const TriangleMesh& mesh);

// The number of pieces whose triangles are joined through shared edges.
std::size_t CountShells(const TriangleMesh& mesh);

}  // namespace boltgen

#endif  // BOLTGEN_MESH_TRIANGLE_MESH_H_
