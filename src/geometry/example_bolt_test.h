#ifndef BOLTGEN_GEOMETRY_EXAMPLE_BOLT_TEST_H_
#define BOLTGEN_GEOMETRY_EXAMPLE_BOLT_TEST_H_

#include <cmath>
#include <cstdint>

#include "config/bolt_dimensions.h"
#include "mesh/mesh_grid.h"

namespace boltgen {

// A 3/4 inch bolt 3 long at pitch 0.1 with a thread of 1.75, and its nuts.
inline BoltDimensions ExampleBolt(std::int16_t segments) {
  BoltDimensions d;
  d.DiaNom = d.major_dia = 0.75;
  d.pitch = 0.1;
  d.half_pitch = d.pitch / 2;
  d.minor_dia = d.major_dia - (2 * d.pitch) * std::cos(kPi / 6);
  d.Flats = 1.125;
  d.washer_face_dia = d.Flats * 0.9;
  d.across_corners = std::fabs(d.Flats / std::cos(kPi / 6));
  d.HghtHex = 0.484;
  d.HghtWshFace = 0.02;
  d.RadWshFace = 0.03;
  d.HghtNut = 0.64;
  d.HghtNutJam = 0.42;
  d.nominal_length = 3;
  d.thread_length = 1.75;
  d.segments = segments;
  return d;
}

}  // namespace boltgen

#endif  // BOLTGEN_GEOMETRY_EXAMPLE_BOLT_TEST_H_
