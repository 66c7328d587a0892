#ifndef BOLTGEN_BASE_ANGLES_H_
#define BOLTGEN_BASE_ANGLES_H_

namespace boltgen {

// The constant the whole program uses for pi, on purpose with 15 significant
// digits: scripts are compared byte for byte with others built on it.
inline constexpr double kPi = 3.14159265358979;

// Degrees to radians: multiplied first, then divided.
double DegToRad(double degrees);
// Radians to degrees: divided first, then multiplied.
double RadToDeg(double radians);

}  // namespace boltgen

#endif  // BOLTGEN_BASE_ANGLES_H_
