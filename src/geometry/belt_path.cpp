// The belt path around the three wheels and its lengths, for inner winding.
#include "geometry/belt_path.h"

namespace idrova {

namespace {

// One pair of outer tangents from one wheel to another. Where the wheels have
// no outer tangent, the segments are (0, 0) and the contacts carry the radius
// with angle 0. Contact directions cost trigonometry, so they are worked out
// only for the tangents that the chosen case keeps.
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

PathCase ComputeBeltPath(const WheelCircle (&wheel)[3], int windingMode, PolarVector emptySpan,
                         BeltPath& path) {
  if (windingMode != 0) return PathCase::None;

  const WheelCircle w1 = wheel[0];
  const WheelCircle w2 = wheel[1];
  const WheelCircle w3 = wheel[2];
  const OuterTangentPair t12 = PairOf(w1, w2);
  const OuterTangentPair t13 = PairOf(w1, w3);

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

  const double r1 = w1.Radius;
  const double r2 = w2.Radius;
  const double r3 = w3.Radius;
  PolarVector(&span)[4] = path.Span;
  double turn1 = 0.0;
  double turn2 = 0.0;
  double turn3 = 0.0;
  double arc3 = 0.0;
  PathCase pathCase = PathCase::B;

  // The belt runs counterclockwise with every wheel on its left. Each span
  // points away from wheel 1 or wheel 3; where the belt runs the other way,
  // the arcs take the reversed span.
  if (bulgesLeft && !bulgesRight) {
    // Wheel 1 -> 2 on the right, 2 -> 3 -> 1 back along the left spans.
    pathCase = PathCase::A;
    const OuterTangentPair t32 = PairOf(w3, w2);
    path.Wheel1Tangent[0] = ContactOf(t13, 0);
    path.Wheel1Tangent[1] = ContactOf(t12, 1);
    path.Wheel3Tangent[0] = ContactOf(t32, 0);
    span[0] = t13.Segment[0];
    span[1] = t32.Segment[0];
    span[2] = t12.Segment[1];
    span[3] = emptySpan;
    turn1 = WrapTurn(Reversed(span[0]), span[2]);
    turn2 = WrapTurn(span[2], Reversed(span[1]));
    turn3 = WrapTurn(Reversed(span[1]), Reversed(span[0]));
    arc3 = turn3 * r3;
  } else if (!bulgesLeft && !bulgesRight) {
    // The two-wheel belt; wheel 3 does not touch it.
    path.Wheel1Tangent[0] = ContactOf(t12, 0);
    path.Wheel1Tangent[1] = ContactOf(t12, 1);
    span[0] = t12.Segment[0];
    span[1] = emptySpan;
    span[2] = t12.Segment[1];
    span[3] = emptySpan;
    turn1 = WrapTurn(Reversed(span[0]), span[2]);
    turn2 = WrapTurn(span[2], Reversed(span[0]));
  } else if (!bulgesLeft) {
    // Wheel 1 -> 3 -> 2 on the right, 2 -> 1 back along the left span.
    pathCase = PathCase::C;
    const OuterTangentPair t32 = PairOf(w3, w2);
    path.Wheel1Tangent[0] = ContactOf(t12, 0);
    path.Wheel1Tangent[1] = ContactOf(t13, 1);
    path.Wheel3Tangent[1] = ContactOf(t32, 1);
    span[0] = t12.Segment[0];
    span[1] = emptySpan;
    span[2] = t13.Segment[1];
    span[3] = t32.Segment[1];
    turn1 = WrapTurn(Reversed(span[0]), span[2]);
    turn2 = WrapTurn(span[3], Reversed(span[0]));
    turn3 = WrapTurn(span[2], span[3]);
    arc3 = turn3 * r3;
  } else {
    // Wheel 3 is wrapped twice, once on each side of the belt.
    pathCase = PathCase::D;
    const OuterTangentPair t32 = PairOf(w3, w2);
    path.Wheel1Tangent[0] = ContactOf(t13, 0);
    path.Wheel1Tangent[1] = ContactOf(t13, 1);
    path.Wheel3Tangent[0] = ContactOf(t32, 0);
    path.Wheel3Tangent[1] = ContactOf(t32, 1);
    span[0] = t13.Segment[0];
    span[1] = t32.Segment[0];
    span[2] = t13.Segment[1];
    span[3] = t32.Segment[1];
    turn1 = WrapTurn(Reversed(span[0]), span[2]);
    turn2 = WrapTurn(span[3], Reversed(span[1]));
    // Both arcs on wheel 3 are added as lengths, each turn times the radius.
    const double right3 = WrapTurn(span[2], span[3]);
    const double left3 = WrapTurn(Reversed(span[1]), Reversed(span[0]));
    arc3 = right3 * r3 + left3 * r3;
    turn3 = right3 + left3;
  }

  path.WheelTurn[0] = turn1;
  path.WheelTurn[1] = turn2;
  path.WheelTurn[2] = turn3;
  path.BeltLength = turn1 * r1 + turn2 * r2 + arc3 + span[0].Length + span[1].Length +
                    span[2].Length + span[3].Length;

  // The two-wheel belt, whatever the case; in case B the same sum.
  const PolarVector left = t12.Segment[0];
  const PolarVector right = t12.Segment[1];
  path.MinBeltLength = WrapArc(right, Reversed(left), r2) + WrapArc(Reversed(left), right, r1) +
                       left.Length + right.Length;
  return pathCase;
}

}  // namespace idrova
