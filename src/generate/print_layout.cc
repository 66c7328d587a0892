#include "generate/print_layout.h"

#include <algorithm>
#include <cmath>

namespace boltgen {
namespace {

struct Footprint {
  double radius = 0;  // around the axis
  double low = 0;     // the lowest and highest Z where the script puts the part
  double high = 0;
};

Footprint FootprintOf(const Part& part) {
  Footprint f;
  f.low = f.high = part.grid.at(1, 1).z + part.z_offset;
  for (int col = 1; col <= part.grid.columns(); ++col) {
    for (int row = 1; row <= part.grid.rows(); ++row) {
      const GridPoint& v = part.grid.at(row, col);
      f.radius = std::max(f.radius, std::hypot(v.x, v.y));
      f.low = std::min(f.low, v.z + part.z_offset);
      f.high = std::max(f.high, v.z + part.z_offset);
    }
  }
  return f;
}

}  // namespace

Point3 Place(const Placement& placement, const Point3& p) {
  const auto& m = placement.rotation;
  const auto& t = placement.translation;
  return {m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + t[0],
          m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + t[1],
          m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + t[2]};
}

PrintLayout LayOutForPrinting(const std::vector<Part>& parts, LengthUnit unit) {
  const double mm = unit == LengthUnit::kInch ? 25.4 : 1;
  const double width = kPlateWidthMm / mm, depth = kPlateDepthMm / mm, gap = kPlateGapMm / mm;
  PrintLayout layout;
  double x = gap, y = gap, row_depth = 0;
  for (const Part& part : parts) {
    const Footprint f = FootprintOf(part);
    const double size = 2 * f.radius;
    // A new row when this one is full, unless the part is alone in it.
    if (x > gap && x + size + gap > width) {
      y += row_depth + gap;
      x = gap;
      row_depth = 0;
    }
    Placement p;
    // The bolt stands on its head: turned half a turn about X, its top on
    // the plate. A nut stands on its far face, as the script has it.
    const bool head_down = part.nut == nullptr;
    const double flip = head_down ? -1 : 1;
    p.rotation = {{{mm, 0, 0}, {0, flip * mm, 0}, {0, 0, flip * mm}}};
    p.translation = {(x + f.radius) * mm, (y + f.radius) * mm,
                     (head_down ? f.high : -f.low) * mm};
    layout.placements.push_back(p);
    if (x + size + gap > width || y + size + gap > depth) layout.fits = false;
    x += size + gap;
    row_depth = std::max(row_depth, size);
  }
  return layout;
}

}  // namespace boltgen
