// SPDX-License-Identifier: MIT
// The belt path over random layouts, against figures worked out here in
// another way: the belt round three wheels is the perimeter of their convex
// hull, integrated numerically from its support function (Cauchy's formula),
// and the two-wheel belt is the belt makers' open-belt formula. Also the
// search's lengths against the path's, bit for bit, where the tensioner
// just touches the belt.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "calc/solver.h"
#include "geometry/belt_path.h"
#include "geometry/hull.h"
#include "model/drive_state.h"

namespace idrova {
namespace {

using Layout = std::array<WheelCircle, 3>;

// Perimeter of the convex hull of three circles: the integral over a full
// turn of the support function max_i (x_i cos t + y_i sin t + r_i), taken
// exactly between the directions where two circles' support values meet.
double HullPerimeter(const Layout& w) {
  std::vector<double> cuts = {0.0, kTwoPi};
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 3; ++j) {
      const double dx = w[i].X - w[j].X, dy = w[i].Y - w[j].Y, dr = w[i].Radius - w[j].Radius;
      const double d = std::hypot(dx, dy);
      if (!(std::fabs(dr) < d)) continue;
      for (const double sign : {1.0, -1.0}) {
        double t = std::atan2(dy, dx) + sign * std::acos(-dr / d);
        while (t < 0) t += kTwoPi;
        while (t >= kTwoPi) t -= kTwoPi;
        cuts.push_back(t);
      }
    }
  std::sort(cuts.begin(), cuts.end());
  double perimeter = 0.0;
  for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
    const double a = cuts[k], b = cuts[k + 1], mid = (a + b) / 2;
    const WheelCircle* top = &w[0];
    for (const WheelCircle& c : w)
      if (c.X * std::cos(mid) + c.Y * std::sin(mid) + c.Radius >
          top->X * std::cos(mid) + top->Y * std::sin(mid) + top->Radius)
        top = &c;
    perimeter += top->X * (std::sin(b) - std::sin(a)) - top->Y * (std::cos(b) - std::cos(a)) +
                 top->Radius * (b - a);
  }
  return perimeter;
}

// The open belt round two wheels: 2 C cos f + pi (R + r) + 2 f (R - r),
// sin f = (R - r) / C.
double OpenBelt(const WheelCircle& a, const WheelCircle& b) {
  const double centre = std::hypot(b.X - a.X, b.Y - a.Y);
  const double f = std::asin((b.Radius - a.Radius) / centre);
  return 2 * centre * std::cos(f) + kPi * (a.Radius + b.Radius) + 2 * f * (b.Radius - a.Radius);
}

// Whole teeth of one pitch, as the window gives them; wheel 2 anywhere round
// wheel 1 (left of it as often as right), the tensioner between the two and
// off their centre line, where the path is the tight belt round the three.
class LayoutDraw {
 public:
  explicit LayoutDraw(unsigned seed) : random_(seed) {}
  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
  }
  double Radius() { return std::uniform_int_distribution<int>(10, 60)(random_) * 8.0 / kTwoPi; }
  Layout Next() {
    Layout w;
    w[0] = {Uniform(-200, 200), Uniform(-200, 200), Radius()};
    const double angle = Uniform(-kPi, kPi);
    const double distance = Uniform(1.2, 3.0) * (w[0].Radius + 80);
    w[1] = {w[0].X + distance * std::cos(angle), w[0].Y + distance * std::sin(angle), Radius()};
    const double along = Uniform(0.25, 0.75);
    const double across = Uniform(-0.6, 0.6) * distance;
    w[2] = {w[0].X + along * (w[1].X - w[0].X) - across * std::sin(angle),
            w[0].Y + along * (w[1].Y - w[0].Y) + across * std::cos(angle), Radius()};
    return w;
  }
  // A layout whose belt is real: both working wheels on the hull (a big
  // tensioner may swallow one of them, and the belt does not reach it).
  Layout NextReal() {
    for (;;) {
      const Layout w = Next();
      const double hull = HullPerimeter(w);
      if (std::fabs(HullPerimeter({w[1], w[2], w[2]}) - hull) > 1e-6 &&
          std::fabs(HullPerimeter({w[0], w[2], w[2]}) - hull) > 1e-6)
        return w;
    }
  }

 private:
  std::mt19937_64 random_;
};

TEST(BeltPathPropertyTest, TheBeltIsTheHullRoundTheWheels) {
  LayoutDraw draw(20261207);
  int seen[4] = {0, 0, 0, 0};
  for (int n = 0; n < 2000; ++n) {
    const Layout w = draw.NextReal();
    SCOPED_TRACE(testing::Message() << "layout " << n);
    const WheelCircle wheel[3] = {w[0], w[1], w[2]};
    BeltPath path;
    ++seen[static_cast<int>(ComputeBeltPath(wheel, 0, PolarVector(), path))];
    EXPECT_NEAR(path.BeltLength, HullPerimeter(w), 1e-6);
    EXPECT_NEAR(TightBeltLength(wheel), HullPerimeter(w), 1e-6);
    EXPECT_NEAR(path.MinBeltLength, OpenBelt(w[0], w[1]), 1e-9);
    EXPECT_NEAR(path.WheelTurn[0] + path.WheelTurn[1] + path.WheelTurn[2], kTwoPi, 1e-9);
  }
  for (int c : {0, 1, 2, 3}) EXPECT_GE(seen[c], 20) << "too few layouts of case " << c;
}

// Where the tensioner just touches a two-wheel tangent (moved off it by
// `offset` mm), the quick test of the search's lengths must leave the
// decision to the full path: the same length, bit for bit.
TEST(BeltPathPropertyTest, SearchLengthsAreThePathsWhereTheTensionerTouches) {
  LayoutDraw draw(767832422);
  for (const double offset : {0.0, 1e-13, -1e-13, 1e-10, -1e-10, 1e-7, -1e-7, 1e-3, -1e-3}) {
    for (int n = 0; n < 200; ++n) {
      SCOPED_TRACE(testing::Message() << "offset " << offset << ", layout " << n);
      Layout w = draw.Next();
      // The left or right tangent of wheels 1 and 2, and a point on it.
      const double side = n % 2 ? 1.0 : -1.0;
      const double dx = w[1].X - w[0].X, dy = w[1].Y - w[0].Y;
      const double centre = std::hypot(dx, dy);
      const double f = std::asin((w[1].Radius - w[0].Radius) / centre);
      const double normal = std::atan2(dy, dx) + side * (kPi / 2 + f);
      const double t = draw.Uniform(0.2, 0.8);
      const double r3 = w[2].Radius;
      const double reach = w[0].Radius + t * (w[1].Radius - w[0].Radius) - r3 - offset;
      w[2] = {w[0].X + t * dx + reach * std::cos(normal),
              w[0].Y + t * dy + reach * std::sin(normal), r3};
      const WheelCircle wheel[3] = {w[0], w[1], w[2]};
      BeltPath path;
      ComputeBeltPath(wheel, 0, PolarVector(), path);
      const TensionerBeltLengths lengths(w[0], w[1], PolarVector());
      EXPECT_EQ(lengths.BeltLength(w[2]), path.BeltLength);
      EXPECT_EQ(lengths.MinBeltLength(), path.MinBeltLength);
    }
  }
}

// Working wheels so close that their squared centre distance is subnormal,
// and a tensioner far off with a negative radius: the quick test must not
// take its figures, which keep only a few bits, for a clear answer.
TEST(BeltPathPropertyTest, SearchLengthsAreThePathsForSubnormalDistances) {
  const WheelCircle wheel[3] = {{5.4376142143485103e-312, 9.1477073997716041e-162, 1.3e-163},
                                {1.3e-163, 1.3e-163, 1.3e-163},
                                {1.3e-163, -9.8683072333508006e+148, -3.8548085628372531e+146}};
  BeltPath path;
  ComputeBeltPath(wheel, 0, PolarVector(), path);
  const TensionerBeltLengths lengths(wheel[0], wheel[1], PolarVector());
  EXPECT_EQ(lengths.BeltLength(wheel[2]), path.BeltLength);
}

}  // namespace
}  // namespace idrova
