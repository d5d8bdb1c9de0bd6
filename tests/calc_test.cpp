// Tests of belt length in teeth, the proposed length and the tensioner search.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "calc/belt_teeth.h"
#include "calc/modes.h"
#include "calc/solver.h"
#include "model/drive_state.h"

namespace idrova {
namespace {

constexpr double kExactMm = 1e-6;
constexpr double kRadius20 = 25.464790894703256;  // 20 teeth at 8 mm
constexpr double kRadius10 = 12.732395447351628;  // 10 teeth at 8 mm
constexpr double kDesignBeltMm = 524.285991;
constexpr double kDesignMinBeltMm = 520.555128;

// Wheels (0, 0), (150, 100), (70, 10) with 20, 20 and 10 teeth of the S8M
// belt, inner winding.
DriveState DesignLayout() {
  DriveState state;
  ApplyStartValues(state);
  state.Pitch = 8.0;
  state.BeltType = 8;
  state.Teeth[0] = 20.0;
  state.Teeth[1] = 20.0;
  state.Teeth[2] = 10.0;
  state.Wheel[0] = {0.0, 0.0, kRadius20};
  state.Wheel[1] = {150.0, 100.0, kRadius20};
  state.Wheel[2] = {70.0, 10.0, kRadius10};
  return state;
}

DriveState SearchSetup(DriveState state, std::int32_t unknownKind, double requestedMm,
                       std::int32_t direction) {
  state.UnknownKind = unknownKind;
  state.SpecifiedLength = requestedMm;
  state.Direction = direction;
  return state;
}

// A number as the window shows it with two decimals, half away from zero.
double Shown(double value) { return std::round(value * 100.0) / 100.0; }

double& Unknown(DriveState& state) {
  return state.UnknownKind == 1 ? state.Wheel[2].X : state.Wheel[2].Y;
}

// Signed distance of the tensioner centre from the line through the centres
// of wheels 1 and 2; positive on the left of the direction 1 -> 2.
double TensionerSide(const DriveState& state) {
  const double dx = state.Wheel[1].X - state.Wheel[0].X;
  const double dy = state.Wheel[1].Y - state.Wheel[0].Y;
  const double px = state.Wheel[2].X - state.Wheel[0].X;
  const double py = state.Wheel[2].Y - state.Wheel[0].Y;
  return (dx * py - dy * px) / std::hypot(dx, dy);
}

// The path the state's own wheels give, computed afresh.
double FreshBeltLength(DriveState state) {
  ComputeBeltPath(state);
  return state.BeltLength;
}

// ------------------------------------------------------------ belt in teeth

struct TeethCase {
  const char* Name;
  double Length;
  double Pitch;
  std::optional<std::int32_t> Teeth;
};

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

const TeethCase kTeethCases[] = {
    {"exact_multiple_is_not_raised", 520.0, 8.0, 65},
    {"just_above_a_multiple_is_raised", 520.01, 8.0, 66},
    {"design_belt", 524.285991442, 8.0, 66},
    {"design_two_wheel_belt", 520.555127546, 8.0, 66},
    {"product_stored_above_the_multiple", 3 * 22.225, 22.225, 4},
    {"zero_length", 0.0, 8.0, 0},
    {"negative_length_rounds_toward_zero", -2.032, 2.032, -1},
    {"small_negative_quotient_gives_zero", -0.5, 8.0, 0},
    {"negative_pitch", 520.0, -8.0, -65},
    {"largest_count", 2147483647.0, 1.0, kInt32Max},
    {"smallest_count", -2147483648.0, 1.0, kInt32Min},
    {"one_above_the_largest_count", 2147483648.0, 1.0, std::nullopt},
    {"rounds_up_past_the_largest_count", 2147483647.5, 1.0, std::nullopt},
    {"one_below_the_smallest_count", -2147483649.0, 1.0, std::nullopt},
    {"zero_pitch", 520.0, 0.0, std::nullopt},
    {"negative_zero_pitch", 520.0, -0.0, std::nullopt},
    {"zero_over_zero", 0.0, 0.0, std::nullopt},
    {"tiny_pitch", 480.0, 1e-7, std::nullopt},
    {"overflowing_quotient", 1e308, 1e-10, std::nullopt},
    {"infinite_length", kInf, 8.0, std::nullopt},
    {"not_a_number_length", kNaN, 8.0, std::nullopt},
    {"not_a_number_pitch", 520.0, kNaN, std::nullopt},
    {"infinite_pitch", 520.0, kInf, 0},
};

class LengthInTeethTest : public testing::TestWithParam<TeethCase> {};

TEST_P(LengthInTeethTest, RoundsUpIntoThirtyTwoBits) {
  const TeethCase& c = GetParam();
  EXPECT_EQ(LengthInTeeth(c.Length, c.Pitch), c.Teeth);
}

INSTANTIATE_TEST_SUITE_P(Cases, LengthInTeethTest, testing::ValuesIn(kTeethCases),
                         [](const testing::TestParamInfo<TeethCase>& info) {
                           return std::string(info.param.Name);
                         });

// --------------------------------------------------------- proposed length

TEST(ProposeRequestedLength, DesignLayoutProposesSixtySixTeeth) {
  DriveState state = DesignLayout();
  ComputeBeltPath(state);
  ASSERT_NEAR(state.MinBeltLength, kDesignMinBeltMm, kExactMm);
  EXPECT_TRUE(ProposeRequestedLength(state));
  EXPECT_EQ(state.BeltTeeth, 66);
  EXPECT_EQ(state.SpecifiedLength, 528.0);
}

TEST(ProposeRequestedLength, ExactMultipleIsProposedUnchanged) {
  DriveState state = DesignLayout();
  state.MinBeltLength = 520.0;
  EXPECT_TRUE(ProposeRequestedLength(state));
  EXPECT_EQ(state.BeltTeeth, 65);
  EXPECT_EQ(state.SpecifiedLength, 520.0);
}

TEST(ProposeRequestedLength, UsesTheLastComputedLengthWithoutComputing) {
  DriveState state = DesignLayout();
  state.MinBeltLength = 600.5;  // not what the wheels give
  state.BeltLength = 601.0;
  EXPECT_TRUE(ProposeRequestedLength(state));
  EXPECT_EQ(state.BeltTeeth, 76);
  EXPECT_EQ(state.SpecifiedLength, 608.0);
  EXPECT_EQ(state.MinBeltLength, 600.5);
  EXPECT_EQ(state.BeltLength, 601.0);
}

TEST(ProposeRequestedLength, InchPitchProposesWholePitches) {
  DriveState state = DesignLayout();
  state.Pitch = 12.7;
  state.MinBeltLength = kDesignMinBeltMm;
  EXPECT_TRUE(ProposeRequestedLength(state));
  EXPECT_EQ(state.BeltTeeth, 41);
  EXPECT_EQ(state.SpecifiedLength, 41 * 12.7);
  EXPECT_GE(state.SpecifiedLength, state.MinBeltLength);
}

TEST(ProposeRequestedLength, ZeroPitchProposesTheTwoWheelLengthItself) {
  DriveState state = DesignLayout();
  state.Pitch = 0.0;
  state.MinBeltLength = kDesignMinBeltMm;
  state.BeltTeeth = 12;
  EXPECT_FALSE(ProposeRequestedLength(state));
  EXPECT_EQ(state.SpecifiedLength, kDesignMinBeltMm);
  EXPECT_EQ(state.BeltTeeth, 12);
}

TEST(ProposeRequestedLength, CountBeyondThirtyTwoBitsProposesTheTwoWheelLength) {
  DriveState state = DesignLayout();
  state.Pitch = 1e-9;
  state.MinBeltLength = kDesignMinBeltMm;
  state.BeltTeeth = 12;
  EXPECT_FALSE(ProposeRequestedLength(state));
  EXPECT_EQ(state.SpecifiedLength, kDesignMinBeltMm);
  EXPECT_EQ(state.BeltTeeth, 12);
}

// ----------------------------------------------------------------- warnings

TEST(WarningText, TextsOfTheWarningLine) {
  EXPECT_STREQ(WarningText(kNoWarning), "");
  // "警告! 指定長さが短かすぎます" and "警告! 方向指定が間違っています" in
  // UTF-8, with an ASCII exclamation mark and one blank.
  EXPECT_STREQ(WarningText(kLengthTooShort),
               "\xE8\xAD\xA6\xE5\x91\x8A! \xE6\x8C\x87\xE5\xAE\x9A\xE9\x95\xB7\xE3\x81\x95"
               "\xE3\x81\x8C\xE7\x9F\xAD\xE3\x81\x8B\xE3\x81\x99\xE3\x81\x8E\xE3\x81\xBE"
               "\xE3\x81\x99");
  EXPECT_STREQ(WarningText(kWrongDirection),
               "\xE8\xAD\xA6\xE5\x91\x8A! \xE6\x96\xB9\xE5\x90\x91\xE6\x8C\x87\xE5\xAE\x9A"
               "\xE3\x81\x8C\xE9\x96\x93\xE9\x81\x95\xE3\x81\xA3\xE3\x81\xA6\xE3\x81\x84"
               "\xE3\x81\xBE\xE3\x81\x99");
}

TEST(WarningText, OtherCodesLeaveTheLineAlone) {
  EXPECT_EQ(WarningText(3), nullptr);
  EXPECT_EQ(WarningText(-1), nullptr);
}

// ------------------------------------------------------------------ search

struct SearchCase {
  const char* Name;
  std::int32_t UnknownKind;
  double RequestedMm;
  std::int32_t Direction;
  std::int32_t Warning;
  std::int64_t Iterations;  // -1: not pinned
  double ShownCoordinate;   // the coordinate after the search, to two decimals
};

const SearchCase kDesignSearchCases[] = {
    {"x3_528_plus", 1, 528.0, 1, kNoWarning, 44, 84.93},
    {"x3_524_minus", 1, 524.0, -1, kNoWarning, -1, 68.63},
    {"x3_524_plus_runs_away", 1, 524.0, 1, kWrongDirection, 44, 70.0},
    {"y3_528_minus", 2, 528.0, -1, kNoWarning, -1, 1.4},
    {"x3_500_too_short", 1, 500.0, 1, kLengthTooShort, 0, 70.0},
    {"y3_500_too_short", 2, 500.0, -1, kLengthTooShort, 0, 10.0},
    {"x3_524_29_within_tolerance", 1, 524.29, 1, kNoWarning, 0, 70.0},
};

class DesignSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(DesignSearch, EndsAsExpected) {
  const SearchCase& c = GetParam();
  DriveState state = SearchSetup(DesignLayout(), c.UnknownKind, c.RequestedMm, c.Direction);
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, c.Warning);
  if (c.Iterations >= 0) {
    EXPECT_EQ(result.Iterations, c.Iterations);
  }
  EXPECT_DOUBLE_EQ(Shown(Unknown(state)), c.ShownCoordinate);
  EXPECT_EQ(state.SpecifiedLength, c.RequestedMm);
  EXPECT_NEAR(state.MinBeltLength, kDesignMinBeltMm, kExactMm);
  // The path results always belong to the coordinate the state holds.
  EXPECT_EQ(state.BeltLength, FreshBeltLength(state));
  if (c.Warning == kNoWarning) {
    EXPECT_LT(std::fabs(state.BeltLength - c.RequestedMm), kSearchToleranceMm);
  } else {
    EXPECT_NEAR(state.BeltLength, kDesignBeltMm, kExactMm);
  }
}

INSTANTIATE_TEST_SUITE_P(DesignLayout, DesignSearch, testing::ValuesIn(kDesignSearchCases),
                         [](const testing::TestParamInfo<SearchCase>& info) {
                           return std::string(info.param.Name);
                         });

TEST(Search, DesignX528ReachesTheLengthFromBelow) {
  DriveState state = SearchSetup(DesignLayout(), 1, 528.0, 1);
  SearchUnknownCoordinate(state);
  EXPECT_DOUBLE_EQ(Shown(state.BeltLength), 528.0);
  EXPECT_NEAR(state.BeltLength, 527.996, 0.0005);
  EXPECT_LT(state.BeltLength, 528.0);
  EXPECT_EQ(state.Wheel[2].Y, 10.0);  // only the unknown moves
}

TEST(Search, RunAwayPutsTheCoordinateBack) {
  // Regression: the run-away search left X of wheel 3 at 3786.69 mm while
  // its edit still showed 70, so the next recalculation drew another drive.
  DriveState state = SearchSetup(DesignLayout(), 1, 524.0, 1);
  const SearchResult result = SearchUnknownCoordinate(state);
  ASSERT_EQ(result.Warning, kWrongDirection);
  EXPECT_EQ(state.Wheel[2].X, 70.0);
  EXPECT_EQ(state.Wheel[2].Y, 10.0);
  EXPECT_NEAR(state.BeltLength, kDesignBeltMm, kExactMm);
  // Span[3] is the lower span from wheel 3 to wheel 2 of the design drive.
  EXPECT_NEAR(state.Span[3].Length, 119.740912, kExactMm);
}

TEST(Search, TooShortChangesNoCoordinateButComputesThePath) {
  DriveState state = SearchSetup(DesignLayout(), 2, 500.0, -1);
  state.BeltLength = 0.0;
  state.MinBeltLength = 0.0;
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, kLengthTooShort);
  EXPECT_EQ(result.Iterations, 0);
  EXPECT_EQ(state.Wheel[2].X, 70.0);
  EXPECT_EQ(state.Wheel[2].Y, 10.0);
  EXPECT_NEAR(state.BeltLength, kDesignBeltMm, kExactMm);
  EXPECT_NEAR(state.MinBeltLength, kDesignMinBeltMm, kExactMm);
}

TEST(Search, RequestThatIsNotANumberIsTooShort) {
  DriveState state = SearchSetup(DesignLayout(), 1, kNaN, 1);
  EXPECT_EQ(SearchUnknownCoordinate(state).Warning, kLengthTooShort);
  EXPECT_EQ(state.Wheel[2].X, 70.0);
}

TEST(Search, InfiniteRequestEndsAtOnce) {
  DriveState state = SearchSetup(DesignLayout(), 1, kInf, 1);
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, kWrongDirection);
  EXPECT_EQ(result.Iterations, 0);
  EXPECT_EQ(state.Wheel[2].X, 70.0);
}

TEST(Search, TotalLengthModeSearchesNothing) {
  DriveState state = SearchSetup(DesignLayout(), 0, 528.0, 1);
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, kNoWarning);
  EXPECT_EQ(result.Iterations, 0);
  EXPECT_EQ(state.Wheel[2].X, 70.0);
  EXPECT_EQ(state.Wheel[2].Y, 10.0);
}

TEST(Search, NoDirectionEndsAtOnce) {
  DriveState state = SearchSetup(DesignLayout(), 1, 528.0, 0);
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, kWrongDirection);
  EXPECT_EQ(result.Iterations, 0);
  EXPECT_EQ(state.Wheel[2].X, 70.0);
}

TEST(Search, PassesThroughTheLoopToTheUpperSpan) {
  // The tensioner presses on the lower span; moving it up first slackens the
  // belt, then it crosses the loop and is found pressing on the upper span.
  DriveState state = SearchSetup(DesignLayout(), 2, 528.0, 1);
  ASSERT_LT(TensionerSide(state), 0.0);
  const SearchResult result = SearchUnknownCoordinate(state);
  ASSERT_EQ(result.Warning, kNoWarning);
  EXPECT_GT(TensionerSide(state), kRadius20 - kRadius10);
  EXPECT_LT(std::fabs(state.BeltLength - 528.0), kSearchToleranceMm);
}

TEST(Search, TensionerInsideTheLoopIsFoundBelowTheLowerSpan) {
  // At (75, 50) the tensioner lies on the centre line and does not touch the
  // belt; moving down it must leave the loop far enough to bulge the span.
  for (double aboveMinMm : {0.008, 1.0, 1.445}) {
    SCOPED_TRACE(aboveMinMm);
    DriveState state = DesignLayout();
    state.Wheel[2].X = 75.0;
    state.Wheel[2].Y = 50.0;
    state = SearchSetup(state, 2, kDesignMinBeltMm + aboveMinMm, -1);
    const SearchResult result = SearchUnknownCoordinate(state);
    ASSERT_EQ(result.Warning, kNoWarning);
    EXPECT_GT(result.Iterations, 0);
    EXPECT_LT(TensionerSide(state), -(kRadius20 - kRadius10));
    EXPECT_EQ(state.Wheel[2].X, 75.0);
    EXPECT_LT(std::fabs(state.BeltLength - state.SpecifiedLength), kSearchToleranceMm);
  }
}

TEST(Search, FindsAfterMetresOfTravelInTheLeastStep) {
  // A long drive with its centre line slightly rising: the tensioner starts
  // inside the loop and moves in 0.005 mm steps for more than 3.6 m before
  // it bulges the lower span. The search must not give up on the way.
  DriveState state = DesignLayout();
  state.Wheel[1] = {5000.0, 20.0, kRadius20};
  state.Wheel[2] = {100.0, 0.0, kRadius10};
  ComputeBeltPath(state);
  state = SearchSetup(state, 1, state.MinBeltLength + 0.008, 1);
  const SearchResult result = SearchUnknownCoordinate(state);
  ASSERT_EQ(result.Warning, kNoWarning);
  EXPECT_GT(state.Wheel[2].X - 100.0, 3600.0);
  EXPECT_GT(result.Iterations, 700'000);
  EXPECT_LT(result.Iterations, kMaxSearchIterations);
  EXPECT_LT(std::fabs(state.BeltLength - state.SpecifiedLength), kSearchToleranceMm);
}

// A drive whose centre line is the X axis, with the tensioner on it.
DriveState LevelDrive(double tensionerX) {
  DriveState state = DesignLayout();
  state.Wheel[1] = {150.0, 0.0, kRadius20};
  state.Wheel[2] = {tensionerX, 0.0, kRadius10};
  return state;
}

TEST(Search, TensionerMovingAlongTheCentreLineGivesUp) {
  // It never touches the belt, so the belt never grows; the search used to
  // run for ever.
  DriveState state = SearchSetup(LevelDrive(75.0), 1, 470.0, 1);
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, kWrongDirection);
  EXPECT_EQ(result.Iterations, kMaxSearchIterations);
  EXPECT_EQ(state.Wheel[2].X, 75.0);
  EXPECT_NEAR(state.BeltLength, 460.0, kExactMm);
}

TEST(Search, StepTooSmallToMoveTheCoordinateGivesUpAtOnce) {
  // Around 1e17 mm adding 0.005 leaves the coordinate as it is.
  DriveState state = LevelDrive(1e17);
  ComputeBeltPath(state);
  state = SearchSetup(state, 1, state.MinBeltLength + 0.006, 1);
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, kWrongDirection);
  EXPECT_EQ(result.Iterations, 0);
  EXPECT_EQ(state.Wheel[2].X, 1e17);
}

TEST(Search, BeltThatIsNotFiniteGivesUp) {
  DriveState state = SearchSetup(DesignLayout(), 1, 528.0, 1);
  state.Wheel[2].X = 1e308;
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, kWrongDirection);
  EXPECT_EQ(state.Wheel[2].X, 1e308);
  EXPECT_EQ(state.Wheel[2].Y, 10.0);
}

TEST(Search, BeltLengthThatIsNotANumberIsNoSolution) {
  // Not a number fails the tolerance test without being within it; it must
  // not pass for a found length.
  DriveState state = SearchSetup(DesignLayout(), 1, 528.0, 1);
  state.Wheel[2].Radius = kInf;
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, kWrongDirection);
  EXPECT_EQ(state.Wheel[2].X, 70.0);
}

TEST(Search, StepToABeltTooLongToComputeGivesUp) {
  // The first step moves the tensioner so far that the belt length is no
  // longer a finite number, which the run-away test alone would not catch.
  DriveState state = SearchSetup(LevelDrive(1e17), 1, 1e307, 1);
  const SearchResult result = SearchUnknownCoordinate(state);
  EXPECT_EQ(result.Warning, kWrongDirection);
  EXPECT_EQ(state.Wheel[2].X, 1e17);
}

// Property: whatever the start, request and direction, a search that
// succeeds leaves a belt within the tolerance of the request, and one that
// gives up leaves the drive as it was.
struct SweepCase {
  std::string Name;
  double X;
  double Y;
  std::int32_t UnknownKind;
  double RequestedMm;
  std::int32_t Direction;
};

std::vector<SweepCase> SweepCases() {
  std::vector<SweepCase> cases;
  const double starts[][2] = {{70.0, 10.0},  {75.0, 50.0},  {60.0, 90.0},
                              {30.0, -20.0}, {140.0, 40.0}, {-40.0, 60.0}};
  const double requests[] = {520.6, 522.0, 524.0, 528.0, 540.0, 600.0};
  for (std::size_t s = 0; s < std::size(starts); ++s) {
    for (std::int32_t kind : {1, 2}) {
      for (double request : requests) {
        for (std::int32_t direction : {1, -1}) {
          std::string name = "start" + std::to_string(s) + (kind == 1 ? "_x_" : "_y_") +
                             std::to_string(static_cast<int>(request * 10)) +
                             (direction > 0 ? "_plus" : "_minus");
          cases.push_back({name, starts[s][0], starts[s][1], kind, request, direction});
        }
      }
    }
  }
  return cases;
}

class SearchSweep : public testing::TestWithParam<SweepCase> {};

TEST_P(SearchSweep, FoundWithinToleranceOrLeftAsItWas) {
  const SweepCase& c = GetParam();
  DriveState state = DesignLayout();
  state.Wheel[2].X = c.X;
  state.Wheel[2].Y = c.Y;
  state = SearchSetup(state, c.UnknownKind, c.RequestedMm, c.Direction);
  const double startLength = FreshBeltLength(state);
  const SearchResult result = SearchUnknownCoordinate(state);
  const double other = c.UnknownKind == 1 ? state.Wheel[2].Y : state.Wheel[2].X;
  EXPECT_EQ(other, c.UnknownKind == 1 ? c.Y : c.X);
  EXPECT_EQ(state.BeltLength, FreshBeltLength(state));
  switch (result.Warning) {
    case kNoWarning:
      EXPECT_LT(std::fabs(state.BeltLength - c.RequestedMm), kSearchToleranceMm);
      break;
    case kWrongDirection:
      EXPECT_EQ(Unknown(state), c.UnknownKind == 1 ? c.X : c.Y);
      EXPECT_EQ(state.BeltLength, startLength);
      break;
    default:
      ADD_FAILURE() << "warning " << result.Warning << " for a request above the minimum";
  }
}

INSTANTIATE_TEST_SUITE_P(DesignWheels, SearchSweep, testing::ValuesIn(SweepCases()),
                         [](const testing::TestParamInfo<SweepCase>& info) {
                           return info.param.Name;
                         });

}  // namespace
}  // namespace idrova
