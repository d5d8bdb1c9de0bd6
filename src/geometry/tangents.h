// Common tangents of two wheel pitch circles: the outer pair (open belt)
// and the crossed pair.
#pragma once

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

// Step 1: centre line, relation and the two segments.
OuterTangentPair OuterTangentSegments(double x1, double y1, double r1, double x2, double y2,
                                      double r2);

// Step 2: the contact direction of tangent 0 or 1, the same on both circles;
// 0 when no tangent exists.
double OuterContactAngle(const OuterTangentPair& pair, int tangent);

// Crossed tangents; writes nothing unless the circles lie apart (relation 3).
// Tangent 0 touches circle 1 on the right and circle 2 on the left. The
// circle-2 contacts are filled with the opposite direction of the circle-1
// contacts.
int CrossedTangents(double x1, double y1, double r1, double x2, double y2, double r2,
                    PolarVector contact[4], PolarVector segment[2]);

}  // namespace idrova
