#include "geometry/hex_row.h"

#include <cmath>

#include <gtest/gtest.h>

#include "geometry/example_bolt_test.h"

namespace boltgen {
namespace {

// Values worked out by hand for Flats 1.125 (F = 0.5625, washer face circle
// 0.50625) and a top face at 0.5: radius F / cos(angle from the flat's
// normal), drop (radius - 0.50625) / sin 60 / 2.
TEST(SetHexRow, TwentyFourSegmentsByHandAndEveryCountOnTheHexagon) {
  MeshGrid grid;
  SetHexRow(grid, ExampleBolt(24), 3, 0.5);
  const double radii[] = {0.5625, 0.5823428514806717, 0.6495190528383289, 0.5823428514806717};
  const double z[] = {0.4675240473580835, 0.45606777171422797, 0.41728357377724806,
                      0.45606777171422797};
  for (int n = 1; n <= 25; ++n) {
    const MeshVertex& v = grid.at(3, n);
    EXPECT_NEAR(v.radius, radii[(n - 1) % 4], 1e-12) << n;
    EXPECT_NEAR(v.z, z[(n - 1) % 4], 1e-12) << n;
  }
  // At each count offered every column lies on the hexagon: its radius is
  // F over the cosine of its angle from the nearest flat's normal.
  for (int segments : {24, 36, 48, 72, 144, 240}) {
    SetHexRow(grid, ExampleBolt(static_cast<std::int16_t>(segments)), 3, 0.5);
    for (int n = 1; n <= segments + 1; ++n) {
      const double off_normal = std::remainder((n - 1) * 360.0 / segments, 60.0);
      EXPECT_NEAR(grid.at(3, n).radius, 0.5625 / std::cos(DegToRad(off_normal)), 1e-12)
          << segments << ", " << n;
    }
  }
}

}  // namespace
}  // namespace boltgen
