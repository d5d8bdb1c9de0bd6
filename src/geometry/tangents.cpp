// SPDX-License-Identifier: MIT
// Outer and crossed common tangents of two pitch circles.
#include "geometry/tangents.h"

#include <cmath>
#include <limits>

namespace idrova {

namespace {

// Direction of the Cartesian vector (x, y), as FromCartesian gives it; the
// length is not needed, so the square root is left out.
double DirectionOf(double x, double y) {
  if (x == 0.0 && y == 0.0) return 0.0;
  return std::atan2(y, x);
}

}  // namespace

int OuterTangents(double x1, double y1, double r1, double x2, double y2, double r2,
                  PolarVector contact[4], PolarVector segment[2]) {
  const OuterTangentPair pair = OuterTangentSegments(x1, y1, r1, x2, y2, r2);
  // The contact lengths are the radii whether or not a tangent exists.
  contact[0].Length = r1;
  contact[1].Length = r2;
  contact[2].Length = r1;
  contact[3].Length = r2;
  if (pair.Relation <= kInsideTouching) return pair.Relation;

  for (int k = 0; k < 2; ++k) {
    segment[k] = pair.Segment[k];
    const double angle = OuterContactAngle(pair, k);
    contact[2 * k].Angle = angle;
    contact[2 * k + 1].Angle = angle;
  }
  return pair.Relation;
}

int CrossedTangents(double x1, double y1, double r1, double x2, double y2, double r2,
                    PolarVector contact[4], PolarVector segment[2]) {
  const PolarVector centreLine = Between(x1, y1, x2, y2);
  const double distance = centreLine.Length;
  const double theta = centreLine.Angle;

  const double radiusGap = std::fabs(r2 - r1);
  if (radiusGap > distance) return kInsideApart;
  if (radiusGap == distance) return kInsideTouching;
  const int relation = TangentSeparation(r1, r2, distance);
  if (relation != kApart) return relation;

  contact[0].Length = r1;
  contact[1].Length = r2;
  contact[2].Length = r1;
  contact[3].Length = r2;

  const double radiusSum = r1 + r2;
  // Only negative radii can put the sum below -distance; such circles have
  // no crossed tangent, and the result is left non-finite rather than taking
  // the arc sine and square root outside their domains.
  const bool real = radiusSum >= -distance;
  const double beta =
      real ? std::asin(radiusSum / distance) : std::numeric_limits<double>::quiet_NaN();
  const double tangentLength = real ? std::sqrt(distance * distance - radiusSum * radiusSum)
                                    : std::numeric_limits<double>::quiet_NaN();
  segment[0] = PolarVector(tangentLength, theta + beta);
  segment[1] = PolarVector(tangentLength, theta - beta);

  const CartesianVector centre = ToCartesian(centreLine);
  for (int k = 0; k < 2; ++k) {
    const CartesianVector tangent = ToCartesian(segment[k]);
    contact[2 * k].Angle = DirectionOf(centre.X - tangent.X, centre.Y - tangent.Y);
    // Our choice: a crossed tangent touches circle 2 on the opposite side from
    // circle 1, so its circle-2 contact gets the reversed direction.
    contact[2 * k + 1].Angle = Reversed(contact[2 * k]).Angle;
  }
  return kApart;
}

}  // namespace idrova
