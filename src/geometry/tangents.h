// SPDX-License-Identifier: MIT
// Common tangents of two wheel pitch circles: the outer pair (open belt)
// and the crossed pair.
#pragma once

#include <cmath>

#include "geometry/polar_vector.h"

namespace idrova {

// Centre and pitch radius of one wheel, mm.
struct WheelCircle {
  double X = 0.0;
  double Y = 0.0;
  double Radius = 0.0;
};

// How two circles lie relative to each other (d = centre distance).
enum TangentRelation : int {
  kInsideApart = -1,     // |R2 - R1| > d
  kInsideTouching = 0,   // |R2 - R1| = d (also equal circles on one centre)
  kOverlapping = 1,      // R1 + R2 > d
  kTouchingOutside = 2,  // R1 + R2 = d
  kApart = 3,            // R1 + R2 < d
};

// Outer tangents of circle 1 -> circle 2. contact[0], contact[1]: tangent 0
// (left of the directed centre line) on circles 1 and 2, relative to their
// centres; contact[2], contact[3]: tangent 1 (right side). segment[k]:
// tangent k from its circle-1 contact point to its circle-2 contact point.
// The contact lengths are set even when no tangent exists; otherwise the
// outputs are left as they were when the relation is -1 or 0.
int OuterTangents(double x1, double y1, double r1, double x2, double y2, double r2,
                  PolarVector contact[4], PolarVector segment[2]);

// The outer construction in two steps, for a caller that needs the contact
// directions of only some tangents; OuterTangents is the two steps together
// and gives the same values bit for bit.
struct OuterTangentPair {
  PolarVector CentreLine;  // from circle 1's centre to circle 2's
  double Radius1 = 0.0;
  double Radius2 = 0.0;
  PolarVector Segment[2];  // (0, 0) each when no tangent exists
  int Relation = kInsideApart;
};

// How two circles with a tangent pair lie: overlapping, touching or apart.
inline int TangentSeparation(double r1, double r2, double distance) {
  const double radiusSum = r1 + r2;
  if (radiusSum > distance) return kOverlapping;
  if (radiusSum == distance) return kTouchingOutside;
  return kApart;
}

// Step 1: centre line, relation and the two segments. Inline: the belt path
// runs it three times per layout, and every step of the search runs it.
inline OuterTangentPair OuterTangentSegments(double x1, double y1, double r1, double x2, double y2,
                                             double r2) {
  OuterTangentPair pair;
  pair.CentreLine = Between(x1, y1, x2, y2);
  pair.Radius1 = r1;
  pair.Radius2 = r2;
  const double distance = pair.CentreLine.Length;
  const double theta = pair.CentreLine.Angle;

  // Exact tests: they also keep the arc sine below inside [-1, 1] and a zero
  // centre distance out of the division.
  const double radiusGap = std::fabs(r2 - r1);
  if (radiusGap > distance) return pair;  // Relation starts as kInsideApart
  if (radiusGap == distance) {
    pair.Relation = kInsideTouching;
    return pair;
  }

  if (r1 == r2) {
    pair.Segment[0] = pair.CentreLine;
    pair.Segment[1] = pair.CentreLine;
  } else {
    const double delta = r2 - r1;
    const double alpha = std::asin(delta / distance);
    const double tangentLength = std::sqrt(distance * distance - delta * delta);
    pair.Segment[0] = PolarVector(tangentLength, theta + alpha);
    pair.Segment[1] = PolarVector(tangentLength, theta - alpha);
  }
  pair.Relation = TangentSeparation(r1, r2, distance);
  return pair;
}

// Step 2: the contact direction of tangent 0 or 1, the same on both circles;
// 0 when no tangent exists. The radius to the contact stands at right angles
// to the tangent: a quarter turn left of segment 0, right of segment 1. That
// costs no trigonometry, and it stays exact where the radii differ by little
// against the centre distance (the segment and the centre line then nearly
// coincide, and their difference would lose most of its digits). Equal radii
// give the centre line's direction turned by a quarter; otherwise the angle
// is put into (-pi, pi], as atan2 gives angles.
inline double OuterContactAngle(const OuterTangentPair& pair, int tangent) {
  if (pair.Relation <= kInsideTouching) return 0.0;
  constexpr double kHalfPi = kPi / 2.0;
  const double segment = pair.Segment[tangent].Angle;
  const double angle = tangent == 0 ? segment + kHalfPi : segment - kHalfPi;
  if (pair.Radius1 == pair.Radius2) return angle;
  if (angle > kPi) return angle - kTwoPi;
  if (angle <= -kPi) return angle + kTwoPi;
  return angle;
}

// Crossed tangents; writes nothing unless the circles lie apart (relation 3).
// Tangent 0 touches circle 1 on the right and circle 2 on the left. The
// circle-2 contacts are filled with the opposite direction of the circle-1
// contacts.
int CrossedTangents(double x1, double y1, double r1, double x2, double y2, double r2,
                    PolarVector contact[4], PolarVector segment[2]);

}  // namespace idrova
