#include "mesh/vertex_weld.h"

#include <cmath>

namespace boltgen {

VertexWelder::VertexWelder(double tolerance) : tolerance_(tolerance > 0 ? tolerance : 1e-300) {}

std::size_t VertexWelder::CellHash::operator()(const Cell& c) const {
  std::uint64_t h = static_cast<std::uint64_t>(c.x) * 0x9E3779B97F4A7C15ull;
  h ^= static_cast<std::uint64_t>(c.y) * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
  h ^= static_cast<std::uint64_t>(c.z) * 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
  return static_cast<std::size_t>(h);
}

VertexWelder::Cell VertexWelder::CellOf(const Point3& p) const {
  return {static_cast<std::int64_t>(std::floor(p.x / tolerance_)),
          static_cast<std::int64_t>(std::floor(p.y / tolerance_)),
          static_cast<std::int64_t>(std::floor(p.z / tolerance_))};
}

int VertexWelder::Add(const Point3& p) {
  // Cells are as wide as the tolerance, so any point within it lies in one
  // of the 27 cells around the point's own.
  const Cell home = CellOf(p);
  for (std::int64_t dx = -1; dx <= 1; ++dx) {
    for (std::int64_t dy = -1; dy <= 1; ++dy) {
      for (std::int64_t dz = -1; dz <= 1; ++dz) {
        const auto it = cells_.find({home.x + dx, home.y + dy, home.z + dz});
        if (it == cells_.end()) continue;
        for (int index : it->second) {
          if (Length(points_[index] - p) <= tolerance_) return index;
        }
      }
    }
  }
  points_.push_back(p);
  const int index = static_cast<int>(points_.size()) - 1;
  cells_[home].push_back(index);
  return index;
}

}  // namespace boltgen
