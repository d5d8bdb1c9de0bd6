// Tests of the tight belt round three pitch circles and of the belt path checked against it.
#include "geometry/hull.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "model/drive_state.h"

namespace idrova {
namespace {

constexpr double kR20 = 25.464790894703256;  // 20 teeth at 8 mm pitch
constexpr double kR10 = 12.732395447351628;  // 10 teeth
constexpr double kFigureMm = 5e-7;           // figures given to six decimals

DriveState Drive(WheelCircle w1, WheelCircle w2, WheelCircle w3) {
  DriveState state;
  state.Wheel[0] = w1, state.Wheel[1] = w2, state.Wheel[2] = w3;
  return state;
}
DriveState Design(WheelCircle w, double r = kR20) { return Drive({0, 0, kR20}, {150, 100, r}, w); }
DriveState OnAxis(WheelCircle w3) { return Drive({0, 0, kR20}, {150, 0, kR20}, w3); }

enum PathCheck { kFits, kCaught, kHullOnly };

TEST(TightBeltTest, HullLengthAndPathCheck) {
  const std::tuple<const char*, DriveState, double, PathCheck> rows[] = {
      {"design layout", Design({70, 10, kR10}), 524.285991, kFits},
      {"tensioner left", Design({60, 90, kR10}), 529.540415, kFits},
      {"inside the loop", Design({75, 50, kR10}), 520.555128, kFits},
      {"bulges both sides", Design({75, 50, 40}), 525.253077, kFits},
      {"overlapping wheel 1", Design({30, -20, kR10}), 531.302283, kFits},
      {"large wheel 2", Design({70, 10, kR10}, 2 * kR20), 605.001558, kFits},
      {"wheel 2 left", Drive({200, 0, kR20}, {0, 0, kR20}, {100, -40, kR10}), 567.224027, kFits},
      // Regressions: both once showed a belt longer by a whole turn of wheel 3.
      {"wheel 2 left, large tensioner", Drive({0, 0, kR20}, {-180, 0, kR20}, {-90, -10, 60}),
       548.891513, kFits},
      {"tensioner on the centre line",
       Drive({3, -7, kR10}, {102.52733458703285, 2.7113165946133488, kR10},
             {37.336930432526337, -3.6495957748583945, kR10}),
       280.0, kFits},
      {"beyond wheel 2 (path 460)", OnAxis({250, 0, 20}), 643.130567, kCaught},
      {"on wheel 1's centre (path 513.518256)", Design({0, 0, kR10}), 520.555128, kCaught},
      {"far behind wheel 1 (path 1740.900738)", OnAxis({-300, 0, kR10}), 1020.540461, kCaught},
      {"one circle thrice", Drive({1, 2, 5}, {1, 2, 5}, {1, 2, 5}), 10 * kPi, kHullOnly},
      {"inside one another", Drive({0, 0, 10}, {1, 1, 3}, {-5, 0, 5}), 20 * kPi, kHullOnly},
      {"points: triangle", Drive({0, 0, 0}, {3, 0, 0}, {0, 4, 0}), 12, kHullOnly},
  };
  for (auto [name, state, tightLength, check] : rows) {
    const double tight = TightBeltLength(state.Wheel);
    EXPECT_NEAR(tight, tightLength, kFigureMm) << name;
    if (check == kHullOnly) continue;
    ComputeBeltPath(state);
    EXPECT_EQ(BeltLengthFitsLayout(state.BeltLength, tight), check == kFits) << name;
  }
}

// Tensioners between the centres' perpendiculars, smaller than the equal wheels and inside neither.
TEST(TightBeltTest, TensionerBetweenTheWheelsFitsInEveryPosition) {
  for (double turn = 0.1; turn < kTwoPi; turn += kTwoPi / 24)
    for (const double r : {0.0, 5.0, kR10, 20.0})
      for (double along = r + 5; along + r < 180; along += 10)
        for (double across = -150; across <= 150; across += 10) {
          if (std::hypot(std::fmin(along, 180 - along), across) + r <= kR20) continue;
          DriveState state = Drive({0, 0, kR20}, {180, 0, kR20}, {along, across, r});
          const double tight = TightBeltLength(state.Wheel);
          const double c = std::cos(turn), s = std::sin(turn);
          for (auto& w : state.Wheel) w = {w.X * c - w.Y * s + 9, w.X * s + w.Y * c - 7, w.Radius};
          ComputeBeltPath(state);
          ASSERT_NEAR(TightBeltLength(state.Wheel), tight, 1e-9) << turn << ' ' << along;
          ASSERT_TRUE(BeltLengthFitsLayout(state.BeltLength, tight)) << along << ' ' << across;
        }
}

TEST(TightBeltTest, NonFiniteInputAndTolerance) {
  EXPECT_TRUE(std::isnan(TightBeltLength({{0, 0, 1}, {NAN, 0, 1}, {5, 5, 1}})));
  EXPECT_TRUE(std::isnan(TightBeltLength({{0, 0, 1}, {9, 0, INFINITY}, {5, 5, 1}})));
  EXPECT_TRUE(BeltLengthFitsLayout(500.0 + 4.9e-4, 500.0));  // 1e-6 of the length
  EXPECT_FALSE(BeltLengthFitsLayout(500.0 - 5.1e-4, 500.0));
  EXPECT_TRUE(BeltLengthFitsLayout(0.1 + 0.9e-6, 0.1));  // but never less than 1e-6 mm
  EXPECT_FALSE(BeltLengthFitsLayout(0.1 + 1.1e-6, 0.1));
  EXPECT_FALSE(BeltLengthFitsLayout(500.0, INFINITY));
}

}  // namespace
}  // namespace idrova
