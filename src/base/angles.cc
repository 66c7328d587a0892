#include "base/angles.h"

namespace boltgen {

double DegToRad(double degrees) { return degrees * kPi / 180; }
double RadToDeg(double radians) { return radians / kPi * 180; }

}  // namespace boltgen
