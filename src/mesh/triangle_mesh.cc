#include "mesh/triangle_mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <unordered_map>
#include <utility>

namespace boltgen {
namespace {

std::uint64_t EdgeKey(int a, int b) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(std::min(a, b))) << 32) |
         static_cast<std::uint32_t>(std::max(a, b));
}

int FindRoot(std::vector<int>& parent, int i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

}  // namespace

double Length(const Point3& a) { return std::sqrt(Dot(a, a)); }

double SignedVolume(const TriangleMesh& mesh) {
  // The sum of the tetrahedra from the origin to each triangle.
  double six_times = 0;
  for (const auto& t : mesh.triangles) {
    six_times += Dot(mesh.vertices[t[0]], Cross(mesh.vertices[t[1]], mesh.vertices[t[2]]));
  }
  return six_times / 6;
}

void FlipTriangles(TriangleMesh& mesh) {
  for (auto& t : mesh.triangles) std::swap(t[1], t[2]);
}

Point3 TriangleNormal(const TriangleMesh& mesh, std::size_t t) {
  const auto& tri = mesh.triangles[t];
  const Point3& a = mesh.vertices[tri[0]];
  const Point3 n = Cross(mesh.vertices[tri[1]] - a, mesh.vertices[tri[2]] - a);
  const double length = Length(n);
  if (length == 0) return {};
  return (1 / length) * n;
}

double BoundingDiagonal(const std::vector<Point3>& points) {
  if (points.empty()) return 0;
  Point3 low = points.front();
  Point3 high = points.front();
  for (const Point3& p : points) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
  }
  return Length(high - low);
}

EdgeReport CheckEdges(const TriangleMesh& mesh) {
  EdgeReport report;
  // Per undirected edge: how often it runs from its lower to its higher
  // vertex, and how often the other way.
  std::unordered_map<std::uint64_t, std::pair<int, int>> uses;
  uses.reserve(mesh.triangles.size() * 2);
  for (const auto& t : mesh.triangles) {
    if (t[0] == t[1] || t[1] == t[2] || t[2] == t[0]) {
      ++report.degenerate_triangles;
      continue;
    }
    for (int k = 0; k < 3; ++k) {
      const int a = t[k];
      const int b = t[(k + 1) % 3];
      auto& use = uses[EdgeKey(a, b)];
      (a < b ? use.first : use.second)++;
    }
  }
  for (const auto& [key, use] : uses) {
    const int total = use.first + use.second;
    if (total == 1) {
      ++report.open_edges;
    } else if (total > 2) {
      ++report.non_manifold_edges;
    } else if (use.first != 1) {
      ++report.misoriented_edges;
    }
  }
  return report;
}

std::size_t CountShells(const TriangleMesh& mesh) {
  std::vector<int> parent(mesh.triangles.size());
  std::iota(parent.begin(), parent.end(), 0);
  std::unordered_map<std::uint64_t, int> first_user;
  for (int i = 0; i < static_cast<int>(mesh.triangles.size()); ++i) {
    const auto& t = mesh.triangles[i];
    for (int k = 0; k < 3; ++k) {
      auto [it, inserted] = first_user.emplace(EdgeKey(t[k], t[(k + 1) % 3]), i);
      if (!inserted) parent[FindRoot(parent, i)] = FindRoot(parent, it->second);
    }
  }
  std::size_t shells = 0;
  for (int i = 0; i < static_cast<int>(parent.size()); ++i) shells += FindRoot(parent, i) == i;
  return shells;
}

}  // namespace boltgen
