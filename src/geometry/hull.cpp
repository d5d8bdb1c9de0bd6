// SPDX-License-Identifier: MIT
// Convex hull perimeter of three circles and the belt length check.
#include "geometry/hull.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "geometry/polar_vector.h"

namespace idrova {

namespace {

// A direction where two circles' support terms cross, with its cosine and
// sine kept so that the pieces need no further trigonometry.
struct Direction {
  double Angle = 0.0;  // rad, in [0, 2 pi]
  double Cos = 1.0;
  double Sin = 0.0;
};

// Brings an angle in (-2 pi, 2 pi] into [0, 2 pi].
double WithinOneTurn(double angle) {
  if (angle < 0.0) angle += kTwoPi;
  if (angle > kTwoPi) angle -= kTwoPi;
  return std::clamp(angle, 0.0, kTwoPi);
}

// Appends the directions t with (a - b) . (cos t, sin t) + ra - rb = 0 for
// circles a and b (centres relative to a common origin). There are two where
// neither circle holds the other; none otherwise, since then one support term
// stays the larger all round (a touching pair only meets, it does not cross).
int AppendCrossings(const WheelCircle& a, const WheelCircle& b, Direction* out) {
  const double dx = a.X - b.X;
  const double dy = a.Y - b.Y;
  const double dr = a.Radius - b.Radius;
  const double distance = std::hypot(dx, dy);
  if (!(std::fabs(dr) < distance)) return 0;  // also keeps distance 0 out of the division
  // The crossings lie symmetric about the direction u of (dx, dy), at the
  // spread s with cos s = -dr / distance; their cosines and sines come from
  // the angle sum, so they cost no trigonometry of their own.
  const double ux = dx / distance;
  const double uy = dy / distance;
  const double cosSpread = -dr / distance;
  const double sinSpread = std::sqrt((1.0 - cosSpread) * (1.0 + cosSpread));
  const double centre = std::atan2(dy, dx);
  const double spread = std::acos(cosSpread);
  out[0] = {WithinOneTurn(centre + spread), ux * cosSpread - uy * sinSpread,
            uy * cosSpread + ux * sinSpread};
  out[1] = {WithinOneTurn(centre - spread), ux * cosSpread + uy * sinSpread,
            uy * cosSpread - ux * sinSpread};
  return 2;
}

}  // namespace

double TightBeltLength(const WheelCircle (&wheel)[3]) {
  for (const WheelCircle& w : wheel) {
    if (!std::isfinite(w.X) || !std::isfinite(w.Y) || !std::isfinite(w.Radius)) {
      return std::numeric_limits<double>::quiet_NaN();
    }
  }
  // The perimeter does not depend on where the layout lies; working from
  // wheel 1's centre keeps the terms small, so a far-off layout loses no digits.
  WheelCircle local[3];
  for (int i = 0; i < 3; ++i) {
    local[i] = {wheel[i].X - wheel[0].X, wheel[i].Y - wheel[0].Y, wheel[i].Radius};
  }

  // Piece boundaries: 0, the crossings in ascending order, a full turn.
  Direction bound[8];
  int count = 1;
  count += AppendCrossings(local[0], local[1], bound + count);
  count += AppendCrossings(local[0], local[2], bound + count);
  count += AppendCrossings(local[1], local[2], bound + count);
  // Insertion sort: at most six entries, and no ordering demands on values
  // that overflowed to NaN.
  for (int i = 2; i < count; ++i) {
    for (int j = i; j > 1 && bound[j].Angle < bound[j - 1].Angle; --j) {
      std::swap(bound[j], bound[j - 1]);
    }
  }
  bound[count++] = {kTwoPi, 1.0, 0.0};

  // No two support terms cross inside a piece, so the one that is largest
  // there has the largest integral over it too: comparing the integrals picks
  // the same circle as comparing the terms at the midpoint, without the
  // midpoint's sine and cosine.
  double perimeter = 0.0;
  for (int p = 0; p + 1 < count; ++p) {
    const double dSin = bound[p + 1].Sin - bound[p].Sin;
    const double dCos = bound[p + 1].Cos - bound[p].Cos;
    const double dAngle = bound[p + 1].Angle - bound[p].Angle;
    double best = -std::numeric_limits<double>::infinity();
    for (const WheelCircle& w : local) {
      best = std::max(best, w.X * dSin - w.Y * dCos + w.Radius * dAngle);
    }
    perimeter += best;
  }
  return perimeter;
}

bool BeltLengthFitsLayout(double beltLength, double tightLength) {
  if (!std::isfinite(beltLength) || !std::isfinite(tightLength)) return false;
  return std::fabs(beltLength - tightLength) <=
         kBeltLengthRelTolerance * std::max(1.0, std::fabs(tightLength));
}

}  // namespace idrova
