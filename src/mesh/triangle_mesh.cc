#include "mesh/triangle_mesh.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
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

std::vector<EdgeUse> SortedEdgeUses(const TriangleMesh& mesh) {
  // Placed by the edge's lower vertex first (a counting sort), then each
  // vertex's few edges sorted by the higher one: far quicker than one sort of
  // them all, and the order is the same.
  const auto lower = [](const std::array<int, 3>& t, int k) {
    return std::min(t[k], t[(k + 1) % 3]);
  };
  std::vector<std::size_t> start(mesh.vertices.size() + 1, 0);
  for (const auto& t : mesh.triangles) {
    if (t[0] == t[1] || t[1] == t[2] || t[2] == t[0]) continue;
    for (int k = 0; k < 3; ++k) ++start[static_cast<std::size_t>(lower(t, k)) + 1];
  }
  std::partial_sum(start.begin(), start.end(), start.begin());
  std::vector<EdgeUse> uses(start.back());
  std::vector<std::size_t> next(start.begin(), start.end() - 1);
  for (int i = 0; i < static_cast<int>(mesh.triangles.size()); ++i) {
    const auto& t = mesh.triangles[i];
    if (t[0] == t[1] || t[1] == t[2] || t[2] == t[0]) continue;
    for (int k = 0; k < 3; ++k) {
      uses[next[static_cast<std::size_t>(lower(t, k))]++] = {EdgeKey(t[k], t[(k + 1) % 3]), i, t[k],
                                                             t[(k + 1) % 3]};
    }
  }
  for (std::size_t v = 0; v + 1 < start.size(); ++v) {
    std::sort(uses.begin() + static_cast<std::ptrdiff_t>(start[v]),
              uses.begin() + static_cast<std::ptrdiff_t>(start[v + 1]),
              [](const EdgeUse& a, const EdgeUse& b) { return a.edge < b.edge; });
  }
  return uses;
}

EdgeReport CheckEdges(const TriangleMesh& mesh) {
  EdgeReport report;
  for (const auto& t : mesh.triangles) {
    report.degenerate_triangles += t[0] == t[1] || t[1] == t[2] || t[2] == t[0];
  }
  const std::vector<EdgeUse> uses = SortedEdgeUses(mesh);
  for (std::size_t i = 0; i < uses.size();) {
    std::size_t end = i + 1;
    while (end < uses.size() && uses[end].edge == uses[i].edge) ++end;
    if (end - i == 1) {
      ++report.open_edges;
    } else if (end - i > 2) {
      ++report.non_manifold_edges;
    } else if (uses[i].from != uses[i + 1].to) {
      ++report.misoriented_edges;
    }
    i = end;
  }
  return report;
}

std::size_t CountShells(const TriangleMesh& mesh) {
  std::vector<int> parent(mesh.triangles.size());
  std::iota(parent.begin(), parent.end(), 0);
  const std::vector<EdgeUse> uses = SortedEdgeUses(mesh);
  for (std::size_t i = 1; i < uses.size(); ++i) {
    if (uses[i].edge == uses[i - 1].edge) {
      parent[FindRoot(parent, uses[i].triangle)] = FindRoot(parent, uses[i - 1].triangle);
    }
  }
  std::size_t shells = 0;
  for (int i = 0; i < static_cast<int>(parent.size()); ++i) shells += FindRoot(parent, i) == i;
  return shells;
}

}  // namespace boltgen
