#include "generate/print_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "config/bolt_request_test.h"

namespace boltgen {
namespace {

struct Placed {
  double low_x = 1e300, low_y = 1e300, low_z = 1e300, high_x = -1e300, high_y = -1e300,
         high_z = -1e300;
  double cx = 0, cy = 0, radius = 0;
};

// Every vertex of every part as its placement puts it (in millimetres).
std::vector<Placed> PlaceAll(const std::vector<Part>& parts, const PrintLayout& layout) {
  std::vector<Placed> placed;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    Placed p;
    const TriangleMesh mesh = PartMesh(parts[i]);
    for (const Point3& v : mesh.vertices) {
      const Point3 q = Place(layout.placements[i], v);
      p.low_x = std::min(p.low_x, q.x), p.high_x = std::max(p.high_x, q.x);
      p.low_y = std::min(p.low_y, q.y), p.high_y = std::max(p.high_y, q.y);
      p.low_z = std::min(p.low_z, q.z), p.high_z = std::max(p.high_z, q.z);
    }
    p.cx = (p.low_x + p.high_x) / 2, p.cy = (p.low_y + p.high_y) / 2;
    for (const Point3& v : mesh.vertices) {
      const Point3 q = Place(layout.placements[i], v);
      p.radius = std::max(p.radius, std::hypot(q.x - p.cx, q.y - p.cy));
    }
    placed.push_back(p);
  }
  return placed;
}

// The bolt stands on the top of its head, each nut on its far face, all on
// the plate at Z = 0, their round footprints apart by the gap; within the
// plate when they fit, past its depth (still apart) when they do not.
TEST(LayOutForPrinting, HeadDownBesideEachOtherOnThePlate) {
  const struct {
    const char *size, *pitch, *length;
    LengthUnit unit;  // the section's, or inch for millimetre parts: too big for the plate
    bool fits;
  } cases[] = {{"[Inch 3/4]", "0.1 UNC", "3.0000", LengthUnit::kInch, true},
               {"[Metric M36]", "4 coarse", "150.0000", LengthUnit::kMillimetre, true},
               {"[Metric M36]", "4 coarse", "150.0000", LengthUnit::kInch, false}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.size);
    BoltRequest c = TextRequest(k.size, k.pitch, k.length, "36");
    c.file_name = "bolt.scr";
    c.washer_face = c.nuts = c.threaded_nuts = true;
    GenerationState state;
    const Result<BoltParts> built =
        BuildBoltParts(state, c, {BOLTGEN_SOURCE_DIR "/data/boltgen.ini", {}});
    ASSERT_TRUE(built) << built.error().message;
    const double mm = k.unit == LengthUnit::kInch ? 25.4 : 1;
    const PrintLayout layout = LayOutForPrinting(built->parts, k.unit);
    ASSERT_EQ(layout.placements.size(), 5u);
    EXPECT_EQ(layout.fits, k.fits);
    const std::vector<Placed> placed = PlaceAll(built->parts, layout);
    const BoltDimensions& d = built->dims;
    EXPECT_NEAR(placed[0].high_z, (d.nominal_length + d.HghtHex) * mm, 1e-9);
    for (std::size_t i = 0; i < placed.size(); ++i) {
      const Placed& p = placed[i];
      EXPECT_NEAR(p.low_z, 0, 1e-9) << i;
      if (k.fits) {
        EXPECT_GE(p.low_x, 0) << i;
        EXPECT_GE(p.low_y, 0) << i;
        EXPECT_LE(p.high_x, kPlateWidthMm) << i;
        EXPECT_LE(p.high_y, kPlateDepthMm) << i;
      }
      for (std::size_t j = 0; j < i; ++j) {
        const double apart = std::hypot(p.cx - placed[j].cx, p.cy - placed[j].cy);
        EXPECT_GE(apart, p.radius + placed[j].radius) << i << " and " << j;
      }
    }
    // The bolt's head on the plate: its point is what stands highest.
    const TriangleMesh bolt = PartMesh(built->parts[0]);
    for (const Point3& v : bolt.vertices) {
      if (v.z > d.HghtHex - 1e-12) {
        EXPECT_NEAR(Place(layout.placements[0], v).z, 0, 1e-9);
      }
    }
  }
}

}  // namespace
}  // namespace boltgen
