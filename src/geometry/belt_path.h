// SPDX-License-Identifier: MIT
// The belt path around wheels 1, 2 (working wheels) and 3 (tensioner):
// case decision, spans, contact points, belt length and two-wheel length.
#pragma once

#include "geometry/polar_vector.h"
#include "geometry/tangents.h"

namespace idrova {

// Which way the belt runs round the tensioner.
enum class PathCase {
  A,     // tensioner bulges the belt to the left only
  B,     // tensioner inside the two-wheel belt: it does not touch the belt
  C,     // bulges to the right only
  D,     // bulges on both sides
  None,  // outer winding (or an unknown mode): nothing computed
};

// Outputs of one path computation. DriveState derives from this record, so
// the fields are read as State().Span[0], State().BeltLength and so on.
struct BeltPath {
  PolarVector Wheel1Tangent[2];  // where Span[0] and Span[2] leave wheel 1
  PolarVector Wheel3Tangent[4];  // where Span[1] and Span[3] leave wheel 3; [2], [3] unused
  PolarVector Span[4];           // straight spans; EmptySpan where a case has none
  double BeltLength = 0.0;       // mm
  double MinBeltLength = 0.0;    // mm, belt around wheels 1 and 2 alone
  // Angle of belt wrapped on each wheel, rad in [0, 2 pi): the turns that the
  // belt length sums (wheel 3 with both its arcs where it is wrapped twice;
  // 0 where it does not touch the belt). Around a real belt they add up to 2 pi.
  double WheelTurn[3] = {0.0, 0.0, 0.0};
  PathCase Case = PathCase::None;  // the case of the last computation

  bool operator==(const BeltPath&) const = default;
};

// A straight span of the belt between two wheels (0, 1, 2 for NO 1, 2, 3),
// named in the belt's direction of travel.
struct FreeSpan {
  int From = 0;
  int To = 0;
  double Length = 0.0;  // mm
};

// The spans of the path, in the order the belt travels them (counterclockwise,
// starting from wheel 1): two, three or four of them. Returns their count;
// 0 before any computation.
int FreeSpans(const BeltPath& path, FreeSpan (&spans)[4]);

// The length of a chain laid along the path as chain makers count it, in
// pitches: on a sprocket the chain lies along the pitch polygon, one link
// per tooth, so the links wrapped on a wheel are its turn / 2 pi x its teeth;
// the spans add their length / pitch.
double ChainLinks(const BeltPath& path, const double (&teeth)[3], double pitch);

// Counterclockwise turn of the belt on a wheel from the arrival direction to
// the leave direction, rad in [0, 2 pi); only the angles are used.
double WrapTurn(PolarVector in, PolarVector out);

// Length of belt wrapped on a wheel of the given radius: WrapTurn x radius.
double WrapArc(PolarVector in, PolarVector out, double radius);

// Computes the path for inner winding (windingMode 0) and writes every field
// of `path` that the chosen case uses; fields a case does not use keep their
// values, and the matching Span slots get emptySpan. Any other winding mode
// writes nothing and returns PathCase::None.
PathCase ComputeBeltPath(const WheelCircle (&wheel)[3], int windingMode, PolarVector emptySpan,
                         BeltPath& path);

// The two lengths of the inner-winding path while wheels 1 and 2 stay where
// they are and only the tensioner moves, as in the tensioner search. What
// depends on wheels 1 and 2 alone (their tangents, the two-wheel belt and the
// belt that misses the tensioner) is worked out once, and no contact point
// is computed. The lengths are those of ComputeBeltPath bit for bit: the
// search's steps depend on every bit of them.
class TensionerBeltLengths {
 public:
  TensionerBeltLengths(const WheelCircle& wheel1, const WheelCircle& wheel2, PolarVector emptySpan);

  double MinBeltLength() const { return minBeltLength_; }
  // The belt length with the tensioner at `wheel3`.
  double BeltLength(const WheelCircle& wheel3) const;
  // The spans, turns, case and belt length with the tensioner at `wheel3`
  // (no contact points).
  BeltPath PathAt(const WheelCircle& wheel3) const;
  // The same of the belt around wheels 1 and 2 alone.
  BeltPath TwoWheelPath() const;

 private:
  friend PathCase ComputeBeltPath(const WheelCircle (&)[3], int, PolarVector, BeltPath&);

  // Without the quick test, for a single layout.
  TensionerBeltLengths(const WheelCircle& wheel1, const WheelCircle& wheel2, PolarVector emptySpan,
                       bool quickTest);
  // The case decision for the tensioner `wheel3`; writes the spans, the
  // turns and the belt length into `path` and leaves the tangents from wheel
  // 1 to 3 and from 3 to 2 (the latter in cases A, C and D) for the contacts.
  PathCase Solve(const WheelCircle& wheel3, BeltPath& path, OuterTangentPair& t13,
                 OuterTangentPair& t32) const;

  WheelCircle wheel1_;
  WheelCircle wheel2_;
  PolarVector emptySpan_;
  OuterTangentPair t12_;
  double minBeltLength_ = 0.0;
  double missingLength_ = 0.0;  // the belt when the tensioner does not touch it
  double turn1_ = 0.0;          // the turns on wheels 1 and 2 of the two-wheel belt
  double turn2_ = 0.0;
  // Unit vectors along the two-wheel tangents, and whether the quick test
  // for a tensioner clear of the belt may be used (see BeltLength).
  double left_[2] = {0.0, 0.0};
  double right_[2] = {0.0, 0.0};
  bool quickTest_ = false;
};

}  // namespace idrova
