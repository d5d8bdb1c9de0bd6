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

PolarVector Between(double x1, double y1, double x2, double y2) {
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (x1 == x2 && y1 == y2) return {length, 0.0};
  return {length, std::atan2(y2 - y1, x2 - x1)};
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

PolarVector Reversed(PolarVector v) {
  return {v.Length, v.Angle > 0.0 ? v.Angle - kPi : v.Angle + kPi};
}

}  // namespace idrova
