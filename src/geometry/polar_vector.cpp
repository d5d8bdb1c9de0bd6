// SPDX-License-Identifier: MIT
// Polar vector operations; sums and differences go through Cartesian form.
#include "geometry/polar_vector.h"

#include <cmath>

namespace idrova {

CartesianVector ToCartesian(PolarVector v) {
  return {v.Length * std::cos(v.Angle), v.Length * std::sin(v.Angle)};
}

PolarVector FromCartesian(double x, double y) {
  const double length = std::sqrt(x * x + y * y);
  if (x == 0.0 && y == 0.0) return {length, 0.0};
  return {length, std::atan2(y, x)};
}

PolarVector operator+(PolarVector a, PolarVector b) {
  const CartesianVector ca = ToCartesian(a);
  const CartesianVector cb = ToCartesian(b);
  return FromCartesian(ca.X + cb.X, ca.Y + cb.Y);
}

PolarVector operator-(PolarVector a, PolarVector b) {
  const CartesianVector ca = ToCartesian(a);
  const CartesianVector cb = ToCartesian(b);
  return FromCartesian(ca.X - cb.X, ca.Y - cb.Y);
}

}  // namespace idrova
