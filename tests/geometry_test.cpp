// SPDX-License-Identifier: MIT
// Tests of polar vectors, common tangents and the belt path with its lengths.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

#include "geometry/belt_path.h"
#include "model/drive_state.h"

namespace idrova {
namespace {

using enum PathCase;

constexpr double kR20 = 25.464790894703256;  // 20 teeth at 8 mm pitch
constexpr double kR10 = 12.732395447351628;  // 10 teeth
constexpr double kFigureMm = 5e-7;           // figures given to six decimals
constexpr double kUnset = -99.0;             // no computation writes this
const PolarVector kSentinel(kUnset, kUnset);
constexpr double kMin = 520.555128;  // belt around wheels 1 and 2 of the design layout
const WheelCircle kDesign[3] = {{0, 0, kR20}, {150, 100, kR20}, {70, 10, kR10}};
const WheelCircle kWheel1 = kDesign[0], kWheel2 = kDesign[1], kBigWheel2 = {150, 100, 2 * kR20};

TEST(PolarVectorTest, EdgeCases) {
  const std::tuple<const char*, PolarVector, PolarVector> rows[] = {
      {"zero vector has angle 0", FromCartesian(-0.0, -0.0), {0, 0}},
      {"straight down", FromCartesian(0, -5), {5, -kPi / 2}},
      {"reversed zero angle adds pi", Reversed({0, 0}), {0, kPi}},
      {"reversed positive angle takes pi", Reversed({1, 4}), {1, 4 - kPi}},
  };
  for (const auto& [name, actual, expected] : rows)
    EXPECT_EQ(std::pair(actual.Length, actual.Angle), std::pair(expected.Length, expected.Angle))
        << name;
}

// Rows give segment 0 and its contact directions on circles 1 and 2; tangent 1 mirrors them.
// Without a segment nothing is written but the outer contact lengths.
TEST(TangentTest, RelationsAndFigures) {
  using Row =
      std::tuple<const char*, bool, WheelCircle, WheelCircle, int, PolarVector, double, double>;
  const Row rows[] = {
      {"outer apart", false, {0, 0, 1}, {10, 0, 3}, 3, {9.797959, 0.201358}, 1.772154, 1.772154},
      {"outer touching", false, {0, 0, 2}, {10, 0, 8}, 2, {8, 0.643501}, 2.214297, 2.214297},
      {"outer overlapping", false, {0, 0, 10}, {15, 0, 10}, 1, {15, 0}, kPi / 2, kPi / 2},
      {"outer inside touching", false, {0, 0, 10}, {7, 0, 3}, 0, {}, 0, 0},
      {"outer inside apart", false, {0, 0, 10}, {2, 0, 3}, -1, {}, 0, 0},
      {"crossed apart", true, {0, 0, 1}, {10, 0, 2}, 3, {9.539392, 0.304693}, -1.266104, 1.875489},
      {"crossed touching", true, {0, 0, 2}, {10, 0, 8}, 2, {}, 0, 0},
      {"crossed overlapping", true, {0, 0, 10}, {15, 0, 10}, 1, {}, 0, 0},
      {"crossed inside apart", true, {0, 0, 10}, {2, 0, 3}, -1, {}, 0, 0},
  };
  for (const auto& [name, crossed, c1, c2, relation, segment0, angle1, angle2] : rows) {
    SCOPED_TRACE(name);
    PolarVector contact[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
    PolarVector segment[2] = {kSentinel, kSentinel};
    const auto tangents = crossed ? CrossedTangents : OuterTangents;
    EXPECT_EQ(tangents(c1.X, c1.Y, c1.Radius, c2.X, c2.Y, c2.Radius, contact, segment), relation);
    const bool written = segment0.Length > 0;
    for (int i = 0; i < 4; ++i) {
      const double angle = (i < 2 ? 1 : -1) * (i % 2 ? angle2 : angle1);
      EXPECT_EQ(contact[i].Length, crossed && !written ? kUnset : i % 2 ? c2.Radius : c1.Radius);
      EXPECT_NEAR(contact[i].Angle, written ? angle : kUnset, kFigureMm);
    }
    for (int k = 0; k < 2; ++k) {
      EXPECT_NEAR(segment[k].Length, written ? segment0.Length : kUnset, kFigureMm);
      EXPECT_NEAR(segment[k].Angle, written ? (k ? -1 : 1) * segment0.Angle : kUnset, kFigureMm);
    }
  }
}

// Span directions are sums of angles and may lie a turn or more outside
// (-pi, pi]: the turn from one to the next still lies in [0, 2 pi), and
// directions that differ by rounding alone wrap nothing, not a whole turn.
TEST(WrapTurnTest, TheTurnLiesInOneTurnWhereverTheDirectionsLie) {
  const std::tuple<const char*, double, double, double> rows[] = {
      {"a quarter turn left", 0.0, kPi / 2, kPi / 2},
      {"across the cut at pi", 3.0, -3.0, kTwoPi - 6.0},
      {"out more than a turn below in", 4.0, -2.5, 2 * kTwoPi - 6.5},
      {"out more than a turn above in", -1.0, 6.0, 7.0 - kTwoPi},
      {"the same direction", 1.0, 1.0, 0.0},
      {"a whole turn apart", 1.0, 1.0 + kTwoPi, 0.0},
      {"half a billionth of a milliradian short of a turn", 0.0, -0.5e-12, 0.0},
      {"two billionths of a milliradian short of a turn", 0.0, -2e-12, kTwoPi - 2e-12},
  };
  for (const auto& [name, in, out, turn] : rows)
    EXPECT_NEAR(WrapTurn({1.0, in}, {1.0, out}), turn, 1e-13) << name;
}

struct NamedLayout {
  const char* name;
  WheelCircle wheels[3];
  PathCase pathCase;
  double beltLength, minBeltLength;
  bool turned = true;  // false: only moved, since turning would break an exact tie
};

const NamedLayout kLayouts[] = {
    {"design layout", {kWheel1, kWheel2, {70, 10, kR10}}, C, 524.285991, kMin},
    {"tensioner left", {kWheel1, kWheel2, {60, 90, kR10}}, A, 529.540415, kMin},
    {"tensioner inside", {kWheel1, kWheel2, {75, 50, kR10}}, B, kMin, kMin},
    // Strict comparisons: tangents that coincide with the two-wheel belt do not bulge it.
    {"tensioner on the tangents", {kWheel1, kWheel2, {75, 50, kR20}}, B, kMin, kMin, false},
    {"inside, 40-tooth wheel 2", {kWheel1, kBigWheel2, {75, 50, kR10}}, B, 604.158129, 604.158129},
    {"big tensioner", {kWheel1, kWheel2, {75, 50, 40}}, D, 525.253077, kMin},
    {"overlaps wheel 1", {kWheel1, kWheel2, {30, -20, kR10}}, C, 531.302283, kMin},
    // Regression: comparing the bare tangent angles gives case C and two turns here.
    {"wheel 2 left of 1", {{200, 0, kR20}, {0, 0, kR20}, {100, -40, kR10}}, A, 567.224027, 560},
};

// The state's own winding mode and empty span are used; outer winding writes nothing.
TEST(BeltPathTest, DriveStateOverloadAndOuterWinding) {
  DriveState state;
  for (int i = 0; i < 3; ++i) state.Wheel[i] = kDesign[i];
  state.EmptySpan = {1, 2};
  ASSERT_EQ(ComputeBeltPath(state), C);
  EXPECT_EQ(std::pair(state.Span[1].Length, state.Span[1].Angle), std::pair(1.0, 2.0));
  const double designTurns[3] = {2.876538, 2.991376, 0.415271};
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(state.WheelTurn[i], designTurns[i], kFigureMm) << i;
  const BeltPath before = state;
  state.WindingMode = 1;
  state.Wheel[2] = {60, 90, kR10};
  EXPECT_EQ(ComputeBeltPath(state), None);
  EXPECT_TRUE(static_cast<const BeltPath&>(state) == before);
}

// The span leaves `contact` at a right angle, its wheel on side +1 (left) or -1, and ends on `to`.
void ExpectTangent(const WheelCircle& from, const WheelCircle& to, PolarVector contact,
                   PolarVector span, double side) {
  const CartesianVector c = ToCartesian(contact), s = ToCartesian(span);
  EXPECT_NEAR(c.X * s.X + c.Y * s.Y, 0.0, 1e-9 * span.Length);
  EXPECT_GT(side * (s.X * c.Y - s.Y * c.X), 0.0) << "contact on the wrong side";
  EXPECT_NEAR(std::hypot(from.X + c.X + s.X - to.X, from.Y + c.Y + s.Y - to.Y), to.Radius, 1e-9);
}

// Moves each layout and turns it through a full turn: the case and the lengths are the named
// ones, the belt goes round once, and every span is a tangent with its wheels on the belt's left.
TEST(BeltPathTest, NamedLayoutsMovedAndTurned) {
  for (const auto& [name, wheels, pathCase, beltLength, minBeltLength, turned] : kLayouts) {
    BeltPath p;
    for (int step = 0; step < (turned ? 72 : 1); ++step) {
      SCOPED_TRACE(testing::Message() << name << ", step " << step);
      const double c = std::cos(kTwoPi * step / 72), s = std::sin(kTwoPi * step / 72);
      WheelCircle w[3];
      for (int i = 0; i < 3; ++i)
        w[i] = {-317.25 + wheels[i].X * c - wheels[i].Y * s,
                1043.5 + wheels[i].X * s + wheels[i].Y * c, wheels[i].Radius};
      p.Span[1] = p.Span[3] = kSentinel;
      ASSERT_EQ(ComputeBeltPath(w, 0, PolarVector(), p), pathCase);
      EXPECT_NEAR(p.BeltLength, beltLength, kFigureMm);
      EXPECT_NEAR(p.MinBeltLength, minBeltLength, kFigureMm);
      EXPECT_EQ(p.BeltLength, pathCase == B ? p.MinBeltLength : p.BeltLength);

      const bool left = pathCase == A || pathCase == D, right = pathCase == C || pathCase == D;
      EXPECT_TRUE((left || p.Span[1].Length == 0) && (right || p.Span[3].Length == 0))
          << "an empty slot keeps an old span";
      // The belt's directions round from wheel 1; a repeated one adds no turn.
      const PolarVector way[4] = {p.Span[2], right ? p.Span[3] : p.Span[2],
                                  Reversed(left ? p.Span[1] : p.Span[0]), Reversed(p.Span[0])};
      double turns = 0.0;
      for (int i = 0; i < 4; ++i) turns += WrapArc(way[i], way[(i + 1) % 4], 1.0);
      EXPECT_NEAR(turns, kTwoPi, 1e-9) << "the belt does not go round once";
      // The stored wheel turns are the arcs the length sums, and go round once too.
      EXPECT_NEAR(p.WheelTurn[0] + p.WheelTurn[1] + p.WheelTurn[2], kTwoPi, 1e-9);
      double spans = 0.0;
      for (const PolarVector& span : p.Span) spans += span.Length;
      EXPECT_NEAR(p.WheelTurn[0] * w[0].Radius + p.WheelTurn[1] * w[1].Radius +
                      p.WheelTurn[2] * w[2].Radius + spans,
                  p.BeltLength, 1e-9);
      if (pathCase == B) {
        EXPECT_EQ(p.WheelTurn[2], 0.0) << "wheel 3 does not touch the belt";
      }

      ExpectTangent(w[0], left ? w[2] : w[1], p.Wheel1Tangent[0], p.Span[0], 1.0);
      ExpectTangent(w[0], right ? w[2] : w[1], p.Wheel1Tangent[1], p.Span[2], -1.0);
      if (left) ExpectTangent(w[2], w[1], p.Wheel3Tangent[0], p.Span[1], 1.0);
      if (right) ExpectTangent(w[2], w[1], p.Wheel3Tangent[1], p.Span[3], -1.0);
    }
  }
}

}  // namespace
}  // namespace idrova
