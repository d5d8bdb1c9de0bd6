// SPDX-License-Identifier: MIT
// The belt path and the search against the straightforward computation kept
// in reference_belt_path.h, over a few thousand random layouts: the lengths,
// turns, spans and search results bit for bit, the contact directions within
// 1e-12 rad.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "reference_belt_path.h"

namespace idrova {
namespace {

using Layout = std::array<WheelCircle, 3>;

// Pitch radii as the window gives them: whole teeth of one catalogue pitch
// for all three wheels, so that two radii differ by at least a third of a
// millimetre or not at all. (Radii closer than that, against a long centre
// distance, are where the old contact directions lost digits; the last test
// covers them.)
class LayoutDraw {
 public:
  explicit LayoutDraw(unsigned seed) : random_(seed) {}

  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
  }
  double Radius() { return std::uniform_int_distribution<int>(10, 60)(random_) * pitch_ / kTwoPi; }
  // Wheel 2 anywhere round wheel 1 (left of it as often as right), the
  // tensioner anywhere near the two, often overlapping one of them.
  Layout Next() {
    constexpr double kPitches[] = {2.032, 5.0, 8.0, 12.7, 14.0};
    pitch_ = kPitches[std::uniform_int_distribution<int>(0, 4)(random_)];
    Layout w;
    w[0] = {Uniform(-200, 200), Uniform(-200, 200), Radius()};
    const double angle = Uniform(-kPi, kPi);
    const double distance = Uniform(0.5, 2.5) * (w[0].Radius + 40);
    w[1] = {w[0].X + distance * std::cos(angle), w[0].Y + distance * std::sin(angle),
            Uniform(0, 1) < 0.3 ? w[0].Radius : Radius()};
    const double along = Uniform(-0.5, 1.5);
    const double across = Uniform(-1, 1) * distance;
    w[2] = {w[0].X + along * (w[1].X - w[0].X) - across * std::sin(angle),
            w[0].Y + along * (w[1].Y - w[0].Y) + across * std::cos(angle), Radius()};
    return w;
  }
  // The tensioner touching one two-wheel tangent from inside the loop, then
  // moved off it by `offset` mm: where the case decision turns. It is kept
  // clear of wheels 1 and 2: a tensioner all but touching a wheel from
  // inside has tangents too short for any contact direction to hold its
  // digits.
  Layout OnTangent(double offset) {
    Layout w;
    do w = TryOnTangent(offset);
    while (Apart(w[2], w[0]) < 1.0 || Apart(w[2], w[1]) < 1.0);
    return w;
  }

 private:
  static double Apart(const WheelCircle& a, const WheelCircle& b) {
    return std::hypot(a.X - b.X, a.Y - b.Y) - a.Radius - b.Radius;
  }
  Layout TryOnTangent(double offset) {
    Layout w = Next();
    BeltPath path;
    const WheelCircle two[3] = {w[0], w[1], {w[0].X, w[0].Y, 0.0}};
    reference::ComputePath(two, 0, PolarVector(), path);
    const int side = Uniform(0, 1) < 0.5 ? 0 : 1;  // left or right span
    const PolarVector contact = path.Wheel1Tangent[side];
    const PolarVector span = path.Span[side == 0 ? 0 : 2];
    const double t = Uniform(0.2, 0.8);
    const double r3 = Radius();
    // Inwards is towards the wheels' side of the span, the opposite of the contact direction.
    const double inward = contact.Angle + kPi;
    w[2] = {w[0].X + contact.Length * std::cos(contact.Angle) +
                t * span.Length * std::cos(span.Angle) + (r3 + offset) * std::cos(inward),
            w[0].Y + contact.Length * std::sin(contact.Angle) +
                t * span.Length * std::sin(span.Angle) + (r3 + offset) * std::sin(inward),
            r3};
    return w;
  }

  std::mt19937_64 random_;
  double pitch_ = 8.0;
};

double AngleApart(double a, double b) { return std::fabs(std::remainder(a - b, kTwoPi)); }

void ExpectSamePath(const Layout& w) {
  const WheelCircle wheel[3] = {w[0], w[1], w[2]};
  BeltPath expected;
  BeltPath actual;
  const PathCase pathCase = reference::ComputePath(wheel, 0, PolarVector(), expected);
  ASSERT_EQ(ComputeBeltPath(wheel, 0, PolarVector(), actual), pathCase);
  EXPECT_EQ(actual.BeltLength, expected.BeltLength);
  EXPECT_EQ(actual.MinBeltLength, expected.MinBeltLength);
  const TensionerBeltLengths lengths(w[0], w[1], PolarVector());
  EXPECT_EQ(lengths.BeltLength(w[2]), expected.BeltLength) << "search lengths";
  EXPECT_EQ(lengths.MinBeltLength(), expected.MinBeltLength);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(actual.WheelTurn[i], expected.WheelTurn[i]) << i;
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(actual.Span[k].Length, expected.Span[k].Length) << k;
    EXPECT_EQ(actual.Span[k].Angle, expected.Span[k].Angle) << k;
  }
  const bool left = pathCase == PathCase::A || pathCase == PathCase::D;
  const bool right = pathCase == PathCase::C || pathCase == PathCase::D;
  const PolarVector contacts[][2] = {{actual.Wheel1Tangent[0], expected.Wheel1Tangent[0]},
                                     {actual.Wheel1Tangent[1], expected.Wheel1Tangent[1]},
                                     {left ? actual.Wheel3Tangent[0] : PolarVector(),
                                      left ? expected.Wheel3Tangent[0] : PolarVector()},
                                     {right ? actual.Wheel3Tangent[1] : PolarVector(),
                                      right ? expected.Wheel3Tangent[1] : PolarVector()}};
  for (const auto& [mine, theirs] : contacts) {
    EXPECT_EQ(mine.Length, theirs.Length);
    EXPECT_LE(AngleApart(mine.Angle, theirs.Angle), 1e-12);
  }
}

TEST(BeltPathPropertyTest, SameAsStraightforwardComputation) {
  LayoutDraw draw(20261207);
  int seen[4] = {0, 0, 0, 0};
  for (int n = 0; n < 3000; ++n) {
    const Layout w = draw.Next();
    SCOPED_TRACE(testing::Message() << "layout " << n);
    ExpectSamePath(w);
    BeltPath path;
    const WheelCircle wheel[3] = {w[0], w[1], w[2]};
    ++seen[static_cast<int>(ComputeBeltPath(wheel, 0, PolarVector(), path))];
  }
  for (int c = 0; c < 4; ++c) EXPECT_GE(seen[c], 100) << "too few layouts of case " << c;
}

// Where the tensioner just touches the belt the quick test of the search's
// lengths must leave the decision to the full computation.
TEST(BeltPathPropertyTest, TensionerOnTheTwoWheelTangent) {
  LayoutDraw draw(767832422);
  for (const double offset : {0.0, 1e-13, -1e-13, 1e-10, -1e-10, 1e-7, -1e-7, 1e-3, -1e-3}) {
    for (int n = 0; n < 200; ++n) {
      SCOPED_TRACE(testing::Message() << "offset " << offset << ", layout " << n);
      ExpectSamePath(draw.OnTangent(offset));
    }
  }
}

// The same steps, the same end: coordinate, warning and belt bit for bit.
TEST(BeltPathPropertyTest, SearchSameAsStepByStepPath) {
  LayoutDraw draw(5);
  for (int n = 0; n < 300; ++n) {
    const Layout w = draw.Next();
    DriveState mine;
    ApplyStartValues(mine);
    for (int i = 0; i < 3; ++i) mine.Wheel[i] = w[i];
    ComputeBeltPath(mine);
    mine.UnknownKind = 1 + n % 2;
    mine.Direction = n % 4 < 2 ? 1 : -1;
    mine.SpecifiedLength = mine.BeltLength + draw.Uniform(-30, 60);
    DriveState theirs = mine;
    SCOPED_TRACE(testing::Message() << "search " << n);
    const SearchResult expected = reference::Search(theirs);
    const SearchResult actual = SearchUnknownCoordinate(mine);
    EXPECT_EQ(actual.Warning, expected.Warning);
    EXPECT_EQ(actual.Iterations, expected.Iterations);
    EXPECT_EQ(mine.Wheel[2].X, theirs.Wheel[2].X);
    EXPECT_EQ(mine.Wheel[2].Y, theirs.Wheel[2].Y);
    EXPECT_EQ(mine.BeltLength, theirs.BeltLength);
  }
}

// Radii that differ by a hair against the centre distance: the contact
// direction from the quarter turn stays exact, where the difference of two
// nearly equal vectors loses digits.
TEST(BeltPathPropertyTest, ContactExactForNearlyEqualRadii) {
  const double r1 = 25.0;
  const double r2 = 25.0 + 1e-6;
  const WheelCircle wheel[3] = {{0, 0, r1}, {800, 300, r2}, {400, 150, 5}};
  BeltPath path;
  ASSERT_EQ(ComputeBeltPath(wheel, 0, PolarVector(), path), PathCase::B);
  const long double exact =
      std::atan2(300.0L, 800.0L) + std::asin(1e-6L / std::hypot(800.0L, 300.0L)) + kPi / 2;
  EXPECT_LE(AngleApart(path.Wheel1Tangent[0].Angle, static_cast<double>(exact)), 1e-15);
}

}  // namespace
}  // namespace idrova
