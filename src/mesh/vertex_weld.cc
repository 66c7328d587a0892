#include "mesh/vertex_weld.h"

#include <algorithm>
#include <cmath>

namespace boltgen {

VertexWelder::VertexWelder(double tolerance)
    : tolerance_(tolerance > 0 ? tolerance : 1e-300), cell_size_(2 * tolerance_) {}

std::size_t VertexWelder::CellHash::operator()(const Cell& c) const {
  std::uint64_t h = static_cast<std::uint64_t>(c.x) * 0x9E3779B97F4A7C15ull;
  h ^= static_cast<std::uint64_t>(c.y) * 0xC2B2AE3D27D4EB4Full + (h << 6) + (h >> 2);
  h ^= static_cast<std::uint64_t>(c.z) * 0x165667B19E3779F9ull + (h << 6) + (h >> 2);
  return static_cast<std::size_t>(h);
}

VertexWelder::Cell VertexWelder::CellOf(const Point3& p) const {
  // Clamped, so that no coordinate, however far out, overflows its cell number.
  const auto cell = [this](double coordinate) {
    const double index = std::floor(coordinate / cell_size_);
    return static_cast<std::int64_t>(std::clamp(index, -4.0e18, 4.0e18));
  };
  return {cell(p.x), cell(p.y), cell(p.z)};
}

int VertexWelder::Add(const Point3& p) {
  // Cells are twice as wide as the tolerance, so a point within it lies in
  // the point's own cell or, along each axis, in the neighbour on the side of
  // the nearer cell wall: eight cells to look at.
  const Cell home = CellOf(p);
  const auto toward = [&](double coordinate, std::int64_t cell) -> std::int64_t {
    return coordinate / cell_size_ - static_cast<double>(cell) < 0.5 ? -1 : 1;
  };
  const std::int64_t sx = toward(p.x, home.x);
  const std::int64_t sy = toward(p.y, home.y);
  const std::int64_t sz = toward(p.z, home.z);
  for (int corner = 0; corner < 8; ++corner) {
    const Cell cell{home.x + ((corner & 1) ? sx : 0), home.y + ((corner & 2) ? sy : 0),
                    home.z + ((corner & 4) ? sz : 0)};
    const auto it = first_in_cell_.find(cell);
    if (it == first_in_cell_.end()) continue;
    for (int index = it->second; index >= 0; index = next_in_cell_[index]) {
      if (Length(points_[index] - p) <= tolerance_) return index;
    }
  }
  const int index = static_cast<int>(points_.size());
  points_.push_back(p);
  auto [it, inserted] = first_in_cell_.try_emplace(home, index);
  next_in_cell_.push_back(inserted ? -1 : it->second);
  it->second = index;
  return index;
}

}  // namespace boltgen
