// SPDX-License-Identifier: MIT
// Tests of the tight belt round three pitch circles and of the belt path checked against it.
#include "geometry/hull.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "geometry/belt_path.h"

namespace idrova {
namespace {

constexpr double kR20 = 25.464790894703256;  // 20 teeth at 8 mm pitch
constexpr double kR10 = 12.732395447351628;  // 10 teeth
constexpr WheelCircle kWheel1 = {0, 0, kR20};

// Whether the belt path's length agrees with the tight length.
bool PathFits(const WheelCircle (&w)[3]) {
  BeltPath path;
  ComputeBeltPath(w, 0, PolarVector(), path);
  return BeltLengthFitsLayout(path.BeltLength, TightBeltLength(w));
}

TEST(TightBeltTest, LengthsAndAgreement) {
  const std::tuple<const char*, WheelCircle, WheelCircle, WheelCircle, double, bool> rows[] = {
      // Regressions: both once showed a belt longer by a whole turn of wheel 3.
      {"wheel 2 left, large tensioner", kWheel1, {-180, 0, kR20}, {-90, -10, 60}, 548.891513, true},
      {"tensioner on the centre line", WheelCircle{3, -7, kR10},
       WheelCircle{102.52733458703285, 2.7113165946133488, kR10},
       WheelCircle{37.336930432526337, -3.6495957748583945, kR10}, 280.0, true},
      {"one circle thrice", {1, 2, 5}, {1, 2, 5}, {1, 2, 5}, 10 * kPi, true},
      {"points: triangle", {0, 0, 0}, {3, 0, 0}, {0, 4, 0}, 12, true},
      {"wheel 2 inside wheel 1", {0, 0, 10}, {1, 1, 3}, {-5, 0, 5}, 20 * kPi, false},
      {"far behind wheel 1", kWheel1, {150, 0, kR20}, {-300, 0, kR10}, 1020.540461, false},
  };
  for (const auto& [name, w1, w2, w3, tight, fits] : rows) {
    EXPECT_NEAR(TightBeltLength({w1, w2, w3}), tight, 5e-7) << name;  // figures to six decimals
    EXPECT_EQ(PathFits({w1, w2, w3}), fits) << name;
  }
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
