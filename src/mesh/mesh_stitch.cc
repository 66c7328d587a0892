#include "mesh/mesh_stitch.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace boltgen {
namespace {

// Passes over the open edges; each closes at least one junction or crack, and
// a part has a handful of them.
constexpr int kMaxPasses = 64;
// A part has a handful of open edges where it meets itself out of step. Far
// more means a surface torn beyond what stitching mends: splitting them all
// would only tear it further, each pass multiplying the triangles.
constexpr std::size_t kMaxOpenEdges = 256;
// A crack is a loop whose two sides come this much closer to each other than
// its edges are long on average.
constexpr double kCrackWidthRatio = 0.1;

struct OpenEdge {
  int from;
  int to;
  int triangle;
};

// A closed edge is a pair of uses running opposite ways; every other use is
// open.
std::vector<OpenEdge> FindOpenEdges(const TriangleMesh& mesh) {
  const std::vector<EdgeUse> uses = SortedEdgeUses(mesh);
  std::vector<OpenEdge> open;
  for (std::size_t i = 0; i < uses.size();) {
    std::size_t end = i + 1;
    while (end < uses.size() && uses[end].edge == uses[i].edge) ++end;
    const bool paired = end - i == 2 && uses[i].from == uses[i + 1].to;
    if (!paired) {
      for (std::size_t k = i; k < end; ++k)
        open.push_back({uses[k].from, uses[k].to, uses[k].triangle});
    }
    i = end;
  }
  return open;
}

// Where `p` projects onto the line through a and b, as a fraction of a..b,
// and how far it lies from that line.
std::pair<double, double> ProjectOntoSegment(const Point3& p, const Point3& a, const Point3& b) {
  const Point3 ab = b - a;
  const double length_squared = Dot(ab, ab);
  if (length_squared == 0) return {0, Length(p - a)};
  const double t = Dot(p - a, ab) / length_squared;
  return {t, Length(p - (a + t * ab))};
}

// Replaces the triangle on open edge a -> b by a fan through the points on it.
void SplitTriangle(TriangleMesh& mesh, const OpenEdge& edge,
                   std::vector<std::pair<double, int>>& on_edge) {
  std::sort(on_edge.begin(), on_edge.end());
  const auto& t = mesh.triangles[edge.triangle];
  int apex = t[0];
  for (int k = 0; k < 3; ++k) {
    if (t[k] != edge.from && t[k] != edge.to) apex = t[k];
  }
  int previous = edge.from;
  mesh.triangles[edge.triangle] = {previous, on_edge.front().second, apex};
  previous = on_edge.front().second;
  for (std::size_t i = 1; i <= on_edge.size(); ++i) {
    const int next = i < on_edge.size() ? on_edge[i].second : edge.to;
    mesh.triangles.push_back({previous, next, apex});
    previous = next;
  }
}

bool SplitTJunctions(TriangleMesh& mesh, const std::vector<OpenEdge>& open, double tolerance) {
  std::unordered_set<int> open_vertices;
  for (const OpenEdge& e : open) open_vertices.insert(e.from);
  std::unordered_set<int> split;
  for (const OpenEdge& edge : open) {
    if (split.contains(edge.triangle)) continue;  // its other edges wait for the next pass
    const Point3& a = mesh.vertices[edge.from];
    const Point3& b = mesh.vertices[edge.to];
    std::vector<std::pair<double, int>> on_edge;
    for (int v : open_vertices) {
      if (v == edge.from || v == edge.to) continue;
      const Point3& p = mesh.vertices[v];
      const auto [t, distance] = ProjectOntoSegment(p, a, b);
      if (t > 0 && t < 1 && distance <= tolerance && Length(p - a) > tolerance &&
          Length(p - b) > tolerance) {
        on_edge.emplace_back(t, v);
      }
    }
    if (on_edge.empty()) continue;
    split.insert(edge.triangle);
    SplitTriangle(mesh, edge, on_edge);
  }
  return !split.empty();
}

std::vector<std::vector<int>> OpenLoops(const std::vector<OpenEdge>& open) {
  std::unordered_map<int, int> next;
  for (const OpenEdge& e : open) next.emplace(e.from, e.to);
  std::vector<std::vector<int>> loops;
  std::unordered_set<int> visited;
  for (const OpenEdge& e : open) {
    if (visited.contains(e.from)) continue;
    std::vector<int> loop;
    int v = e.from;
    while (!visited.contains(v)) {
      visited.insert(v);
      loop.push_back(v);
      const auto it = next.find(v);
      if (it == next.end()) break;
      v = it->second;
    }
    if (v == e.from && loop.size() >= 3) loops.push_back(std::move(loop));
  }
  return loops;
}

void MergeVertices(TriangleMesh& mesh, int keep, int gone) {
  mesh.vertices[keep] = 0.5 * (mesh.vertices[keep] + mesh.vertices[gone]);
  for (auto& t : mesh.triangles) {
    for (int& v : t) v = v == gone ? keep : v;
  }
  std::erase_if(mesh.triangles, [](const std::array<int, 3>& t) {
    return t[0] == t[1] || t[1] == t[2] || t[2] == t[0];
  });
}

bool CloseCrack(TriangleMesh& mesh, const std::vector<OpenEdge>& open) {
  for (const std::vector<int>& loop : OpenLoops(open)) {
    const std::size_t n = loop.size();
    double perimeter = 0;
    for (std::size_t i = 0; i < n; ++i) {
      perimeter += Length(mesh.vertices[loop[i]] - mesh.vertices[loop[(i + 1) % n]]);
    }
    double narrowest = std::numeric_limits<double>::infinity();
    std::pair<int, int> pair{-1, -1};
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = i + 1; j < n; ++j) {
        const double d = Length(mesh.vertices[loop[i]] - mesh.vertices[loop[j]]);
        if (d < narrowest) {
          narrowest = d;
          pair = {loop[i], loop[j]};
        }
      }
    }
    if (narrowest < kCrackWidthRatio * perimeter / static_cast<double>(n)) {
      MergeVertices(mesh, pair.first, pair.second);
      return true;
    }
  }
  return false;
}

}  // namespace

void DropDegenerateTriangles(TriangleMesh& mesh, double tolerance) {
  std::erase_if(mesh.triangles, [&](const std::array<int, 3>& t) {
    if (t[0] == t[1] || t[1] == t[2] || t[2] == t[0]) return true;
    const Point3& a = mesh.vertices[t[0]];
    const Point3& b = mesh.vertices[t[1]];
    const Point3& c = mesh.vertices[t[2]];
    const double longest = std::max({Length(b - a), Length(c - b), Length(a - c)});
    // Twice the area over the longest side is the triangle's smallest height.
    return Length(Cross(b - a, c - a)) <= tolerance * longest;
  });
}

void StitchOpenEdges(TriangleMesh& mesh, double tolerance) {
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    const std::vector<OpenEdge> open = FindOpenEdges(mesh);
    if (open.empty() || open.size() > kMaxOpenEdges) return;
    if (SplitTJunctions(mesh, open, tolerance)) continue;
    if (!CloseCrack(mesh, open)) return;
  }
}

}  // namespace boltgen
