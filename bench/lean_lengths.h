// SPDX-License-Identifier: MIT
// The belt length and the two-wheel length of an inner-winding layout with
// as little work as the arithmetic allows, as the yardstick for
// ComputeBeltPath: per pair of wheels one square root for the centre
// distance, one two-argument arc tangent for its direction, one arc sine for
// the tangents' tilt and one square root for their length; the case from the
// tilted directions, every arc from a difference of directions. It assumes
// that every pair of wheels has outer tangents, as the benchmarked layouts do.
#pragma once

#include <cmath>

#include "geometry/tangents.h"

namespace idrova::bench {

struct LeanLengths {
  double BeltLength = 0.0;
  double MinBeltLength = 0.0;
};

namespace lean {

// Directions and length of the two outer tangents from wheel a to wheel b.
struct Tangents {
  double Left;   // direction of the tangent left of the centre line
  double Right;  // and of the right one
  double Length;
};

inline Tangents Between(const WheelCircle& a, const WheelCircle& b, double& direction) {
  const double dx = b.X - a.X;
  const double dy = b.Y - a.Y;
  const double delta = b.Radius - a.Radius;
  const double distanceSquared = dx * dx + dy * dy;
  direction = std::atan2(dy, dx);
  const double tilt = std::asin(delta / std::sqrt(distanceSquared));
  return {direction + tilt, direction - tilt, std::sqrt(distanceSquared - delta * delta)};
}

// An angle taken into [0, 2 pi).
inline double Turn(double angle) {
  constexpr double kTwoPi = 6.283185307179586;
  return angle - kTwoPi * std::floor(angle / kTwoPi);
}

// An angle relative to `reference`, taken into [-pi, pi).
inline double Relative(double angle, double reference) {
  constexpr double kPi = 3.141592653589793;
  return Turn(angle - reference + kPi) - kPi;
}

}  // namespace lean

inline LeanLengths ComputeLeanLengths(const WheelCircle (&wheel)[3]) {
  constexpr double kPi = 3.141592653589793;
  using lean::Turn;
  const double r1 = wheel[0].Radius;
  const double r2 = wheel[1].Radius;
  const double r3 = wheel[2].Radius;
  double toward2 = 0.0;
  double toward3 = 0.0;
  double from3 = 0.0;
  const lean::Tangents t12 = lean::Between(wheel[0], wheel[1], toward2);
  const lean::Tangents t13 = lean::Between(wheel[0], wheel[2], toward3);

  // Two tangents of one pair are tilted by the same angle either way.
  LeanLengths lengths;
  const double tilt12 = t12.Left - toward2;
  lengths.MinBeltLength = r1 * (kPi - 2 * tilt12) + r2 * (kPi + 2 * tilt12) + 2 * t12.Length;

  const bool left = lean::Relative(t13.Left, toward2) > tilt12;
  const bool right = lean::Relative(t13.Right, toward2) < -tilt12;
  if (!left && !right) {
    lengths.BeltLength = lengths.MinBeltLength;
    return lengths;
  }
  const lean::Tangents t32 = lean::Between(wheel[2], wheel[1], from3);
  if (left && !right) {
    lengths.BeltLength = r1 * Turn(t12.Right - t13.Left - kPi) +
                         r2 * Turn(t32.Left + kPi - t12.Right) + r3 * Turn(t13.Left - t32.Left) +
                         t13.Length + t32.Length + t12.Length;
  } else if (!left) {
    lengths.BeltLength = r1 * Turn(t13.Right - t12.Left - kPi) +
                         r2 * Turn(t12.Left + kPi - t32.Right) + r3 * Turn(t32.Right - t13.Right) +
                         t12.Length + t13.Length + t32.Length;
  } else {
    lengths.BeltLength = r1 * Turn(t13.Right - t13.Left - kPi) +
                         r2 * Turn(t32.Left + kPi - t32.Right) +
                         r3 * (Turn(t32.Right - t13.Right) + Turn(t13.Left - t32.Left)) +
                         2 * t13.Length + 2 * t32.Length;
  }
  return lengths;
}

}  // namespace idrova::bench
