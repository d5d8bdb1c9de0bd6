// SPDX-License-Identifier: MIT
// Tests of belt length in teeth, the proposed length and the tensioner search.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <optional>
#include <tuple>
#include <utility>

#include "calc/belt_teeth.h"
#include "calc/design_check.h"
#include "calc/layout_check.h"
#include "calc/modes.h"
#include "calc/solver.h"
#include "model/drive_state.h"

namespace idrova {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::optional<std::int32_t> kNone;

TEST(LengthInTeeth, RoundsUpIntoThirtyTwoBits) {
  const std::tuple<const char*, double, double, std::optional<std::int32_t>> rows[] = {
      {"exact_multiple", 520.0, 8.0, 65},
      {"above_a_multiple", 520.01, 8.0, 66},
      {"negative_length", -2.032, 2.032, -1},
      {"small_negative", -0.5, 8.0, 0},
      {"largest", 2147483647.0, 1.0, kMax},
      {"smallest", -2147483648.0, 1.0, kMin},
      {"past_largest", 2147483647.5, 1.0, kNone},
      {"below_smallest", -2147483649.0, 1.0, kNone},
      {"zero_pitch", 520.0, 0.0, kNone},
      {"not_a_number_length", kNaN, 8.0, kNone},
      {"infinite_length", kInf, 8.0, kNone},
      {"minus_infinite_length", -kInf, 8.0, kNone},
      // A quotient within 1e-9 of a whole number is that number.
      {"one_ulp_above_100_pitches", 500.00000000000006, 5.0, 100},
      {"0.9e-9_pitch_above", (100 + 0.9e-9) * 5.0, 5.0, 100},
      {"2e-9_pitch_above", (100 + 2e-9) * 5.0, 5.0, 101},
      {"three_XH_pitches", 3 * 22.225, 22.225, 3}};
  for (const auto& [name, length, pitch, teeth] : rows)
    EXPECT_EQ(LengthInTeeth(length, pitch), teeth) << name;
}

// The links of chain to order: the even whole number at or above the count.
TEST(LinksToOrder, EvenAtOrAboveWithinOneBillionth) {
  const std::tuple<const char*, double, std::optional<std::int32_t>, bool> rows[] = {
      {"even", 80.0, 80, false},
      {"a_billionth_below_even", 80 - 1e-9, 80, false},
      {"0.9e-9_above_even", 80 + 0.9e-9, 80, false},
      {"2e-9_above_even", 80 + 2e-9, 82, false},
      {"a_hundredth_above", 80.01, 82, false},
      {"odd", 81.0, 82, true},
      {"0.9e-9_above_odd", 81 + 0.9e-9, 82, true},
      {"half", 81.5, 82, false},
      {"negative_odd", -3.0, -2, true},
      {"not_a_number", kNaN, kNone, false},
      {"beyond_32_bits", 3e9, kNone, false}};
  for (const auto& [name, links, order, odd] : rows) {
    EXPECT_EQ(LinksToOrder(links), order) << name;
    EXPECT_EQ(IsOddWholeCount(links), odd) << name;
  }
}

// Wheels 1 and 2 of 20 teeth and the tensioner of 10 teeth of the S8M belt, wheel 1 at the
// origin; the design layout has wheel 2 at (150, 100) and the tensioner at (70, 10).
DriveState Drive(double x2, double y2, double x3, double y3) {
  DriveState state;
  state.Wheel[0] = {0.0, 0.0, 25.464790894703256};
  state.Wheel[1] = {x2, y2, 25.464790894703256};
  state.Wheel[2] = {x3, y3, 12.732395447351628};
  return state;
}

TEST(ProposeRequestedLength, ATwoWheelBeltOfWholePitchesIsProposedAsItIs) {
  DriveState state;
  state.Pitch = 8.0;
  state.MinBeltLength = 520.0;
  EXPECT_TRUE(ProposeRequestedLength(state));
  EXPECT_EQ(std::pair(state.BeltTeeth, state.SpecifiedLength), std::pair(65, 520.0));
}

// Searches and checks what holds at any end: a found coordinate gives a belt within the
// tolerance of the request; any other end leaves the drive, its path included, as it was.
SearchResult SearchAndCheck(DriveState state, std::int32_t kind, double request, int direction) {
  std::tie(state.UnknownKind, state.SpecifiedLength, state.Direction) =
      std::tuple(kind, request, direction);
  DriveState start = state;
  ComputeBeltPath(start);
  const SearchResult result = SearchUnknownCoordinate(state);
  if (result.Warning == kNoWarning) {
    EXPECT_LT(std::fabs(state.BeltLength - request), kSearchToleranceMm);
  } else {
    EXPECT_EQ(state.Wheel[2].X, start.Wheel[2].X);
    EXPECT_EQ(state.Wheel[2].Y, start.Wheel[2].Y);
    EXPECT_TRUE(state.BeltLength == start.BeltLength || std::isnan(start.BeltLength));
  }
  return result;
}

TEST(Search, EndsFoundOrWarned) {
  // Wheel 2 and the tensioner, the request, mode, direction, warning, iterations (-1: any).
  using Row = std::tuple<const char*, double, double, double, double, double, std::int32_t,
                         std::int32_t, std::int32_t, std::int64_t>;
  const Row rows[] = {
      {"design_x3_528_plus", 150, 100, 70, 10, 528.0, 1, +1, kNoWarning, 44},
      {"design_x3_524_plus_runs_away", 150, 100, 70, 10, 524.0, 1, +1, kWrongDirection, 44},
      {"y3_through_the_loop", 150, 100, 70, 10, 528.0, 2, +1, kNoWarning, -1},
      {"metres_of_travel", 5000, 20, 100, 0, 10160.088, 1, +1, kNoWarning, -1},
      {"on_the_centre_line", 150, 0, 75, 0, 470.0, 1, +1, kWrongDirection, kMaxSearchIterations},
      {"step_lost_at_1e17", 150, 0, 1e17, 0, 460.006, 1, +1, kWrongDirection, 0},
      {"infinite_request", 150, 100, 70, 10, kInf, 1, +1, kWrongDirection, 0},
  };
  for (const auto& [name, x2, y2, x3, y3, request, kind, direction, warning, steps] : rows) {
    SCOPED_TRACE(name);
    const SearchResult result = SearchAndCheck(Drive(x2, y2, x3, y3), kind, request, direction);
    EXPECT_EQ(result.Warning, warning);
    EXPECT_TRUE(steps < 0 || result.Iterations == steps) << result.Iterations;
  }
  DriveState state = Drive(150, 100, 70, 10);
  state.Wheel[2].Radius = kInf;  // a belt length that is not a number is no solution
  EXPECT_EQ(SearchAndCheck(state, 1, 528.0, +1).Warning, kWrongDirection);
}

// The stepping search on a made-up length, from 0 toward a request of 100:
// the first step (to 50) meets `first`, the next (to 500) the request. Up to
// ten times the request the length has not run away; beyond it, it has.
TEST(StepToLength, RunsAwayOnlyBeyondTenTimesTheRequest) {
  for (const auto& [name, first, warning, steps] :
       {std::tuple("ten times the request", 1000.0, kNoWarning, 2),
        {"an ulp beyond", std::nextafter(1000.0, 2000.0), kWrongDirection, 1}}) {
    double coordinate = 0.0;
    const StepOutcome outcome = StepToLength(
        coordinate, 0.0, 100.0, 1.0, [first](double at) { return at < 60.0 ? first : 100.0; });
    EXPECT_EQ(outcome.Warning, warning) << name;
    EXPECT_EQ(outcome.Iterations, steps) << name;
  }
}

// The two-wheel belt itself is the shortest request; one unit in the last
// place less is too short.
TEST(Search, ARequestAsLongAsTheTwoWheelBeltIsNotTooShort) {
  DriveState state = Drive(150, 100, 75, 50);
  ComputeBeltPath(state);
  const double least = state.MinBeltLength;
  for (const auto& [name, request, tooShort] :
       {std::tuple("equal", least, false),
        {"an ulp below", std::nextafter(least, 0.0), true},
        {"an ulp above", std::nextafter(least, 1e9), false}})
    EXPECT_EQ(SearchAndCheck(state, 1, request, -1).Warning == kLengthTooShort, tooShort) << name;
}

}  // namespace
}  // namespace idrova

// Teeth in mesh: the whole part of the wrap's share of the tooth count; the
// rounding of the turn never costs a tooth that is really in mesh.
TEST(TeethInMesh, WholePartWithSharesWithinOneBillionthCountedWhole) {
  constexpr double kTurn = 2.0 * std::numbers::pi;
  const std::tuple<const char*, double, double, int> rows[] = {
      // turn, teeth, in mesh
      {"nine of twenty, from a rounded turn", kTurn * 0.45, 20, 9},
      {"just below nine by 1e-10", kTurn * (9.0 - 1e-10) / 20, 20, 9},
      {"below nine by 1e-8", kTurn * (9.0 - 1e-8) / 20, 20, 8},
      {"a share's whole part", kTurn * 164.8 / 360, 10, 4},
      {"no wrap", 0.0, 20, 0},
      {"a whole turn: every tooth", kTurn, 20, 20},
      {"never above the tooth count", kTurn * 1.5, 20, 20},
      {"not a number", std::nan(""), 20, 0},
      {"negative teeth", kTurn / 2, -20, 0},
  };
  for (const auto& [name, turn, teeth, inMesh] : rows)
    EXPECT_EQ(idrova::TeethInMesh(turn, teeth), inMesh) << name;
}

// A wheel far beyond any drive blinds the length check (a relative
// tolerance of a 1e117 mm belt) while the path's turns make two loops: the
// design check gives no figures for it.
TEST(CheckDesign, APathWhoseTurnsMakeNoSingleLoopHasNoFigures) {
  idrova::DriveState state;
  state.Wheel[0] = {-20.1, 3914.6, 66.929071596239879};
  state.Wheel[1] = {-29.8, 1e117, 85.071625675374335};
  state.Wheel[2] = {-20.1, -9.1, 45.812719633687848};
  state.BeltType = 60;
  idrova::ComputeBeltPath(state);
  ASSERT_TRUE(idrova::BeltPathFitsLayout(state));
  EXPECT_FALSE(idrova::CheckDesign(state).Valid);
}
