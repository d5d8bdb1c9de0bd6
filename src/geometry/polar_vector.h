// Plane vectors in polar form, the value type of all belt geometry.
// Units: millimetres and radians; angles counterclockwise from +X, Y up.
#pragma once

namespace idrova {

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTwoPi = 6.283185307179586;

struct PolarVector {
  double Length = 0.0;  // mm
  double Angle = 0.0;   // rad, counterclockwise from +X

  constexpr PolarVector() = default;
  constexpr PolarVector(double length, double angle) : Length(length), Angle(angle) {}
};

// Cartesian form, used only inside the conversions.
struct CartesianVector {
  double X = 0.0;
  double Y = 0.0;
};

CartesianVector ToCartesian(PolarVector v);
// Angle in (-pi, pi]; the exact zero vector gets angle 0 without atan2.
PolarVector FromCartesian(double x, double y);
// Vector from the tail (x1, y1) to the head (x2, y2).
PolarVector Between(double x1, double y1, double x2, double y2);
PolarVector operator+(PolarVector a, PolarVector b);
PolarVector operator-(PolarVector a, PolarVector b);
// Same length, opposite direction: angle - pi when positive, else angle + pi.
PolarVector Reversed(PolarVector v);

}  // namespace idrova
