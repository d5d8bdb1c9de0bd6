// SPDX-License-Identifier: MIT
// The tight belt around all three pitch circles (the perimeter of their convex
// hull) and the check that a computed belt length matches it.
#pragma once

#include "geometry/tangents.h"

namespace idrova {

// Two belt lengths agree when they differ by at most this part of the tight
// length, and never by less than this many millimetres.
inline constexpr double kBeltLengthRelTolerance = 1e-6;

// Length of a belt pulled tight around the three pitch circles, mm: the
// perimeter of their convex hull, from Cauchy's formula
//   perimeter = integral over a full turn of max_i (X_i cos t + Y_i sin t + R_i) dt,
// integrated exactly piece by piece. A circle inside another never touches
// the belt; zero radii give the perimeter of the triangle of the centres.
// Negative radii give whatever the formula gives. Any NaN or infinite input
// gives NaN. No allocation.
double TightBeltLength(const WheelCircle (&wheel)[3]);

// True when both lengths are finite and agree to within rounding:
// |beltLength - tightLength| <= kBeltLengthRelTolerance * max(1 mm, |tightLength|).
bool BeltLengthFitsLayout(double beltLength, double tightLength);

}  // namespace idrova
