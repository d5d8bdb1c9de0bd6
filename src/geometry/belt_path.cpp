// SPDX-License-Identifier: MIT
// The belt path around the three wheels and its lengths, for inner winding.
#include "geometry/belt_path.h"

#include <cmath>

namespace idrova {

namespace {

// One pair of outer tangents from one wheel to another. Where the wheels have
// no outer tangent, the segments are (0, 0) and the contacts carry the radius
// with angle 0.
OuterTangentPair PairOf(const WheelCircle& from, const WheelCircle& to) {
  return OuterTangentSegments(from.X, from.Y, from.Radius, to.X, to.Y, to.Radius);
}

// Contact point of a tangent on the pair's first wheel, from its centre.
PolarVector ContactOf(const OuterTangentPair& pair, int tangent) {
  return PolarVector(pair.Radius1, OuterContactAngle(pair, tangent));
}

// Shifts a direction by a whole turn where it lies more than half a turn from
// `reference`, so that it ends up in (reference - pi, reference + pi].
double NearDirection(double angle, double reference) {
  const double offset = angle - reference;
  if (offset > kPi) return angle - kTwoPi;
  if (offset <= -kPi) return angle + kTwoPi;
  return angle;
}

// The quick test in TensionerBeltLengths::BeltLength takes a tangent
// direction for certain only when it lies further than this from the
// two-wheel tangent (as the sine of the angle between them). The angles that
// ComputeBeltPath compares are within a few 1e-15 rad of the true ones
// wherever the test is used, so beyond this margin both give the same answer.
constexpr double kClearSine = 1e-9;
// Tangents shorter than this part of their centre distance make the arc sine
// ill-conditioned; there the test is not used.
constexpr double kShortestTangent = 1e-3;
// The test is used only where the squared centre distances lie between
// these. Below, the squares fall among the subnormal numbers and keep few of
// their digits (as do the path's own centre distances, which are square
// roots of the same sums); above, the sums of products the test forms could
// overflow. Drawn layouts lie far inside.
constexpr double kLeastSquare = 1e-290;
constexpr double kGreatestSquare = 1e300;

bool WithinTestScale(double squared) {
  return squared >= kLeastSquare && squared <= kGreatestSquare;
}

}  // namespace

// The turn always lies in [0, 2*pi). Span directions are sums of angles and
// may lie beyond (-pi, pi] (wheel 2 to the left of wheel 1), where a single
// correction by a full turn is not enough; and two directions that differ
// only by rounding (parallel spans on either side of a wheel) wrap no belt
// rather than a whole extra turn. Both would show a belt longer by a full
// circumference of the wheel.
double WrapTurn(PolarVector in, PolarVector out) {
  constexpr double kRoundingRad = 1e-12;
  double angle = out.Angle;
  if (angle < in.Angle) angle += kTwoPi;
  if (angle < in.Angle) angle += kTwoPi;
  if (angle - in.Angle >= kTwoPi) angle -= kTwoPi;
  double turn = angle - in.Angle;
  if (kTwoPi - turn <= kRoundingRad) turn = 0.0;
  return turn;
}

double WrapArc(PolarVector in, PolarVector out, double radius) {
  return WrapTurn(in, out) * radius;
}

TensionerBeltLengths::TensionerBeltLengths(const WheelCircle& wheel1, const WheelCircle& wheel2,
                                           PolarVector emptySpan)
    : TensionerBeltLengths(wheel1, wheel2, emptySpan, true) {}

TensionerBeltLengths::TensionerBeltLengths(const WheelCircle& wheel1, const WheelCircle& wheel2,
                                           PolarVector emptySpan, bool quickTest)
    : wheel1_(wheel1), wheel2_(wheel2), emptySpan_(emptySpan), t12_(PairOf(wheel1, wheel2)) {
  const double r1 = wheel1.Radius;
  const double r2 = wheel2.Radius;

  // The two-wheel belt, whatever the case; and the same belt as the
  // three-wheel path gives it where the tensioner does not touch the belt,
  // summed in the path's own order, so that its bits are the path's.
  const PolarVector left = t12_.Segment[0];
  const PolarVector right = t12_.Segment[1];
  turn1_ = WrapTurn(Reversed(left), right);
  turn2_ = WrapTurn(right, Reversed(left));
  minBeltLength_ = turn2_ * r2 + turn1_ * r1 + left.Length + right.Length;
  const double arc3 = 0.0;
  missingLength_ = turn1_ * r1 + turn2_ * r2 + arc3 + left.Length + emptySpan.Length +
                   right.Length + emptySpan.Length;

  // The directions of the two tangents as vectors, from the same figures the
  // angles come from: the centre line turned by the angle whose sine is the
  // radius difference over the centre distance.
  const double dx = wheel2.X - wheel1.X;
  const double dy = wheel2.Y - wheel1.Y;
  const double distance = t12_.CentreLine.Length;
  const double delta = r2 - r1;
  const double along = left.Length;
  const double squared = distance * distance;
  quickTest_ = quickTest && t12_.Relation > kInsideTouching &&
               along > kShortestTangent * distance && WithinTestScale(squared);
  if (quickTest_) {
    left_[0] = (dx * along - dy * delta) / squared;
    left_[1] = (dy * along + dx * delta) / squared;
    right_[0] = (dx * along + dy * delta) / squared;
    right_[1] = (dy * along - dx * delta) / squared;
  }
}

double TensionerBeltLengths::BeltLength(const WheelCircle& wheel3) const {
  // The quick test: the search mostly moves the tensioner where it does not
  // touch the belt, and there the belt is the two-wheel belt whatever the
  // tensioner's place. The tensioner misses the belt when its tangents from
  // wheel 1 lie clockwise of the left two-wheel tangent and counterclockwise
  // of the right one. Taken as vectors (cross products against the two-wheel
  // tangents, each within 60 degrees of it) that costs one square root
  // instead of an arc tangent, an arc sine and the rest; only a clear answer
  // is taken, anything near a boundary (and any figure not finite) goes the
  // full way.
  if (quickTest_) {
    const double dx = wheel3.X - wheel1_.X;
    const double dy = wheel3.Y - wheel1_.Y;
    const double squared = dx * dx + dy * dy;
    const double delta = wheel3.Radius - wheel1_.Radius;
    const double along2 = squared - delta * delta;
    if (WithinTestScale(squared) && along2 > kShortestTangent * kShortestTangent * squared) {
      const double along = std::sqrt(along2);
      const double left[2] = {dx * along - dy * delta, dy * along + dx * delta};
      const double right[2] = {dx * along + dy * delta, dy * along - dx * delta};
      // Both vectors are `squared` long.
      const double margin = kClearSine * squared;
      const double nearby = 0.5 * squared;  // cosine above 0.5: within 60 degrees
      const double leftCross = left_[0] * left[1] - left_[1] * left[0];
      const double rightCross = right_[0] * right[1] - right_[1] * right[0];
      const double leftDot = left_[0] * left[0] + left_[1] * left[1];
      const double rightDot = right_[0] * right[0] + right_[1] * right[1];
      if (leftDot > nearby && rightDot > nearby && leftCross < -margin && rightCross > margin)
        return missingLength_;
    }
  }
  return PathAt(wheel3).BeltLength;
}

BeltPath TensionerBeltLengths::PathAt(const WheelCircle& wheel3) const {
  BeltPath path;
  OuterTangentPair t13;
  OuterTangentPair t32;
  Solve(wheel3, path, t13, t32);
  return path;
}

BeltPath TensionerBeltLengths::TwoWheelPath() const {
  BeltPath path;
  path.Span[0] = t12_.Segment[0];
  path.Span[1] = emptySpan_;
  path.Span[2] = t12_.Segment[1];
  path.Span[3] = emptySpan_;
  path.WheelTurn[0] = turn1_;
  path.WheelTurn[1] = turn2_;
  path.BeltLength = missingLength_;
  path.MinBeltLength = minBeltLength_;
  path.Case = PathCase::B;
  return path;
}

PathCase TensionerBeltLengths::Solve(const WheelCircle& wheel3, BeltPath& path,
                                     OuterTangentPair& t13, OuterTangentPair& t32) const {
  const OuterTangentPair& t12 = t12_;
  t13 = PairOf(wheel1_, wheel3);

  // Where the tensioner lies, seen from wheel 1: it bulges the belt to the
  // left when its left tangent turns further counterclockwise than the
  // two-wheel tangent, to the right likewise clockwise. Strict: a tangent
  // that coincides does not bulge.
  //
  // Our choice: the tangent directions are compared relative to the direction
  // from wheel 1 to wheel 2, each taken within half a turn of it, not as the
  // bare angle values. The bare values jump by 2 pi across -X and would pick
  // the wrong side when wheel 2 lies left of wheel 1. Where no direction has
  // to be shifted, this is exactly the bare comparison.
  const double towardWheel2 = t12.CentreLine.Angle;
  const bool bulgesLeft = NearDirection(t12.Segment[0].Angle, towardWheel2) <
                          NearDirection(t13.Segment[0].Angle, towardWheel2);
  const bool bulgesRight = NearDirection(t12.Segment[1].Angle, towardWheel2) >
                           NearDirection(t13.Segment[1].Angle, towardWheel2);

  const double r1 = wheel1_.Radius;
  const double r2 = wheel2_.Radius;
  const double r3 = wheel3.Radius;
  PolarVector(&span)[4] = path.Span;
  double(&turn)[3] = path.WheelTurn;
  double arc3 = 0.0;
  PathCase pathCase = PathCase::B;

  // The belt runs counterclockwise with every wheel on its left. Each span
  // points away from wheel 1 or wheel 3; where the belt runs the other way,
  // the arcs take the reversed span.
  if (bulgesLeft && !bulgesRight) {
    // Wheel 1 -> 2 on the right, 2 -> 3 -> 1 back along the left spans.
    pathCase = PathCase::A;
    t32 = PairOf(wheel3, wheel2_);
    span[0] = t13.Segment[0];
    span[1] = t32.Segment[0];
    span[2] = t12.Segment[1];
    span[3] = emptySpan_;
    turn[0] = WrapTurn(Reversed(span[0]), span[2]);
    turn[1] = WrapTurn(span[2], Reversed(span[1]));
    turn[2] = WrapTurn(Reversed(span[1]), Reversed(span[0]));
    arc3 = turn[2] * r3;
  } else if (!bulgesLeft && !bulgesRight) {
    // The two-wheel belt; wheel 3 does not touch it.
    span[0] = t12.Segment[0];
    span[1] = emptySpan_;
    span[2] = t12.Segment[1];
    span[3] = emptySpan_;
    turn[0] = turn1_;
    turn[1] = turn2_;
    turn[2] = 0.0;
  } else if (!bulgesLeft) {
    // Wheel 1 -> 3 -> 2 on the right, 2 -> 1 back along the left span.
    pathCase = PathCase::C;
    t32 = PairOf(wheel3, wheel2_);
    span[0] = t12.Segment[0];
    span[1] = emptySpan_;
    span[2] = t13.Segment[1];
    span[3] = t32.Segment[1];
    turn[0] = WrapTurn(Reversed(span[0]), span[2]);
    turn[1] = WrapTurn(span[3], Reversed(span[0]));
    turn[2] = WrapTurn(span[2], span[3]);
    arc3 = turn[2] * r3;
  } else {
    // Wheel 3 is wrapped twice, once on each side of the belt.
    pathCase = PathCase::D;
    t32 = PairOf(wheel3, wheel2_);
    span[0] = t13.Segment[0];
    span[1] = t32.Segment[0];
    span[2] = t13.Segment[1];
    span[3] = t32.Segment[1];
    turn[0] = WrapTurn(Reversed(span[0]), span[2]);
    turn[1] = WrapTurn(span[3], Reversed(span[1]));
    // Both arcs on wheel 3 are added as lengths, each turn times the radius.
    const double right3 = WrapTurn(span[2], span[3]);
    const double left3 = WrapTurn(Reversed(span[1]), Reversed(span[0]));
    arc3 = right3 * r3 + left3 * r3;
    turn[2] = right3 + left3;
  }

  path.Case = pathCase;
  if (pathCase == PathCase::B) {
    path.BeltLength = missingLength_;
  } else {
    path.BeltLength = turn[0] * r1 + turn[1] * r2 + arc3 + span[0].Length + span[1].Length +
                      span[2].Length + span[3].Length;
  }
  return pathCase;
}

PathCase ComputeBeltPath(const WheelCircle (&wheel)[3], int windingMode, PolarVector emptySpan,
                         BeltPath& path) {
  if (windingMode != 0) return PathCase::None;

  const TensionerBeltLengths lengths(wheel[0], wheel[1], emptySpan, false);
  OuterTangentPair t13;
  OuterTangentPair t32;
  const PathCase pathCase = lengths.Solve(wheel[2], path, t13, t32);

  // The contact points of the spans that the case keeps; the slots of the
  // others keep their values.
  const OuterTangentPair& t12 = lengths.t12_;
  switch (pathCase) {
    case PathCase::A:
      path.Wheel1Tangent[0] = ContactOf(t13, 0);
      path.Wheel1Tangent[1] = ContactOf(t12, 1);
      path.Wheel3Tangent[0] = ContactOf(t32, 0);
      break;
    case PathCase::B:
      path.Wheel1Tangent[0] = ContactOf(t12, 0);
      path.Wheel1Tangent[1] = ContactOf(t12, 1);
      break;
    case PathCase::C:
      path.Wheel1Tangent[0] = ContactOf(t12, 0);
      path.Wheel1Tangent[1] = ContactOf(t13, 1);
      path.Wheel3Tangent[1] = ContactOf(t32, 1);
      break;
    case PathCase::None:  // Solve decides one of the four cases
      break;
    case PathCase::D:
      path.Wheel1Tangent[0] = ContactOf(t13, 0);
      path.Wheel1Tangent[1] = ContactOf(t13, 1);
      path.Wheel3Tangent[0] = ContactOf(t32, 0);
      path.Wheel3Tangent[1] = ContactOf(t32, 1);
      break;
  }
  path.MinBeltLength = lengths.MinBeltLength();
  return pathCase;
}

int FreeSpans(const BeltPath& path, FreeSpan (&spans)[4]) {
  // Counterclockwise from wheel 1: out along Span[2], on along Span[3] where
  // the tensioner bulges the belt to the right, back along Span[1] and
  // Span[0] (both pointing away from the wheel the belt travels to).
  constexpr int kWheel1 = 0, kWheel2 = 1, kWheel3 = 2;
  int count = 0;
  auto add = [&](int from, int to, const PolarVector& span) {
    spans[count++] = FreeSpan{from, to, span.Length};
  };
  switch (path.Case) {
    case PathCase::A:
      add(kWheel1, kWheel2, path.Span[2]);
      add(kWheel2, kWheel3, path.Span[1]);
      add(kWheel3, kWheel1, path.Span[0]);
      break;
    case PathCase::B:
      add(kWheel1, kWheel2, path.Span[2]);
      add(kWheel2, kWheel1, path.Span[0]);
      break;
    case PathCase::C:
      add(kWheel1, kWheel3, path.Span[2]);
      add(kWheel3, kWheel2, path.Span[3]);
      add(kWheel2, kWheel1, path.Span[0]);
      break;
    case PathCase::D:
      add(kWheel1, kWheel3, path.Span[2]);
      add(kWheel3, kWheel2, path.Span[3]);
      add(kWheel2, kWheel3, path.Span[1]);
      add(kWheel3, kWheel1, path.Span[0]);
      break;
    case PathCase::None:
      break;
  }
  return count;
}

double ChainLinks(const BeltPath& path, const double (&teeth)[3], double pitch) {
  double spans = 0.0;
  for (const PolarVector& span : path.Span) spans += span.Length;
  double wrapped = 0.0;
  for (int i = 0; i < 3; ++i) wrapped += path.WheelTurn[i] / kTwoPi * teeth[i];
  return spans / pitch + wrapped;
}

}  // namespace idrova
