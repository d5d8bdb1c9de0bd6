// SPDX-License-Identifier: MIT
// Plane vectors in polar form, the value type of all belt geometry.
// Units: millimetres and radians; angles counterclockwise from +X, Y up.
#pragma once

#include <cmath>

namespace idrova {

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTwoPi = 6.283185307179586;

struct PolarVector {
  double Length = 0.0;  // mm
  double Angle = 0.0;   // rad, counterclockwise from +X

  constexpr PolarVector() = default;
  constexpr PolarVector(double length, double angle) : Length(length), Angle(angle) {}
  bool operator==(const PolarVector&) const = default;
};

// Cartesian form, used only inside the conversions.
struct CartesianVector {
  double X = 0.0;
  double Y = 0.0;
};

CartesianVector ToCartesian(PolarVector v);
// Angle in (-pi, pi]; the exact zero vector gets angle 0 without atan2.
PolarVector FromCartesian(double x, double y);
// Vector from the tail (x1, y1) to the head (x2, y2). Inline, as Reversed
// below: the belt path uses both many times in every step of the search.
inline PolarVector Between(double x1, double y1, double x2, double y2) {
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (x1 == x2 && y1 == y2) return {length, 0.0};
  return {length, std::atan2(y2 - y1, x2 - x1)};
}
PolarVector operator+(PolarVector a, PolarVector b);
PolarVector operator-(PolarVector a, PolarVector b);
// Same length, opposite direction: angle - pi when positive, else angle + pi.
inline PolarVector Reversed(PolarVector v) {
  return {v.Length, v.Angle > 0.0 ? v.Angle - kPi : v.Angle + kPi};
}

}  // namespace idrova
