// SPDX-License-Identifier: MIT
// The belt path and the tensioner search computed the straightforward way,
// for the before figures of the benchmarks: every contact direction from the
// Cartesian difference of a tangent segment and its centre line, every step
// of the search through the whole path. The benchmarks time the program's
// faster computation beside these in one run.
#pragma once

#include <cmath>
#include <cstdint>

#include "calc/solver.h"
#include "geometry/belt_path.h"
#include "model/drive_state.h"

namespace idrova::straightforward {

struct Pair {
  PolarVector CentreLine;
  double Radius1 = 0.0;
  double Radius2 = 0.0;
  PolarVector Segment[2];
  int Relation = kInsideApart;
};

inline Pair PairOf(const WheelCircle& from, const WheelCircle& to) {
  Pair pair;
  pair.CentreLine = Between(from.X, from.Y, to.X, to.Y);
  pair.Radius1 = from.Radius;
  pair.Radius2 = to.Radius;
  const double distance = pair.CentreLine.Length;
  const double theta = pair.CentreLine.Angle;
  const double r1 = from.Radius;
  const double r2 = to.Radius;
  const double radiusGap = std::fabs(r2 - r1);
  if (radiusGap > distance) return pair;
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
  const double radiusSum = r1 + r2;
  pair.Relation = radiusSum > distance    ? kOverlapping
                  : radiusSum == distance ? kTouchingOutside
                                          : kApart;
  return pair;
}

inline PolarVector ContactOf(const Pair& pair, int tangent) {
  if (pair.Relation <= kInsideTouching) return PolarVector(pair.Radius1, 0.0);
  const double theta = pair.CentreLine.Angle;
  if (pair.Radius1 == pair.Radius2)
    return PolarVector(pair.Radius1, tangent == 0 ? theta + kPi / 2 : theta - kPi / 2);
  const CartesianVector centre = ToCartesian(pair.CentreLine);
  const CartesianVector segment = ToCartesian(pair.Segment[tangent]);
  const double x = pair.Radius2 > pair.Radius1 ? segment.X - centre.X : centre.X - segment.X;
  const double y = pair.Radius2 > pair.Radius1 ? segment.Y - centre.Y : centre.Y - segment.Y;
  return PolarVector(pair.Radius1, x == 0.0 && y == 0.0 ? 0.0 : std::atan2(y, x));
}

inline double NearDirection(double angle, double reference) {
  const double offset = angle - reference;
  if (offset > kPi) return angle - kTwoPi;
  if (offset <= -kPi) return angle + kTwoPi;
  return angle;
}

inline PathCase ComputePath(const WheelCircle (&wheel)[3], int windingMode, PolarVector emptySpan,
                            BeltPath& path) {
  if (windingMode != 0) return PathCase::None;
  const WheelCircle w1 = wheel[0];
  const WheelCircle w2 = wheel[1];
  const WheelCircle w3 = wheel[2];
  const Pair t12 = PairOf(w1, w2);
  const Pair t13 = PairOf(w1, w3);
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
  if (bulgesLeft && !bulgesRight) {
    pathCase = PathCase::A;
    const Pair t32 = PairOf(w3, w2);
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
    path.Wheel1Tangent[0] = ContactOf(t12, 0);
    path.Wheel1Tangent[1] = ContactOf(t12, 1);
    span[0] = t12.Segment[0];
    span[1] = emptySpan;
    span[2] = t12.Segment[1];
    span[3] = emptySpan;
    turn1 = WrapTurn(Reversed(span[0]), span[2]);
    turn2 = WrapTurn(span[2], Reversed(span[0]));
  } else if (!bulgesLeft) {
    pathCase = PathCase::C;
    const Pair t32 = PairOf(w3, w2);
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
    pathCase = PathCase::D;
    const Pair t32 = PairOf(w3, w2);
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
  const PolarVector left = t12.Segment[0];
  const PolarVector right = t12.Segment[1];
  path.MinBeltLength = WrapArc(right, Reversed(left), r2) + WrapArc(Reversed(left), right, r1) +
                       left.Length + right.Length;
  return pathCase;
}

inline PathCase ComputePath(DriveState& state) {
  return ComputePath(state.Wheel, state.WindingMode, state.EmptySpan, state);
}

// The search with the whole path computed in every step.
inline SearchResult Search(DriveState& state) {
  SearchResult result;
  if (state.UnknownKind != 1 && state.UnknownKind != 2) return result;
  ComputePath(state);
  if (!(state.SpecifiedLength >= state.MinBeltLength)) {
    result.Warning = kLengthTooShort;
    return result;
  }
  double& coordinate = state.UnknownKind == 1 ? state.Wheel[2].X : state.Wheel[2].Y;
  const double startCoordinate = coordinate;
  bool gaveUp = false;
  while (std::fabs(state.BeltLength - state.SpecifiedLength) >= kSearchToleranceMm) {
    if (result.Iterations >= kMaxSearchIterations) {
      gaveUp = true;
      break;
    }
    const double half = std::fabs(state.SpecifiedLength - state.BeltLength) * kStepFactor;
    const double next = coordinate + state.Direction * (half > kLeastStepMm ? half : kLeastStepMm);
    if (next == coordinate || !std::isfinite(next)) {
      gaveUp = true;
      break;
    }
    coordinate = next;
    ++result.Iterations;
    ComputePath(state);
    if (!std::isfinite(state.BeltLength) ||
        !(kRunAwayFactor * state.SpecifiedLength >= state.BeltLength)) {
      gaveUp = true;
      break;
    }
  }
  if (!gaveUp && !std::isfinite(state.BeltLength)) gaveUp = true;
  if (gaveUp) {
    coordinate = startCoordinate;
    ComputePath(state);
    result.Warning = kWrongDirection;
  }
  return result;
}

}  // namespace idrova::straightforward
