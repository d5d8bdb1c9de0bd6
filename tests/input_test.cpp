// SPDX-License-Identifier: MIT
// Tests of the type catalogue, wheel sizing, coordinate steppers and standard lengths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numeric>
#include <tuple>

#include "input/catalogue.h"
#include "input/standard_lengths.h"
#include "input/stepper.h"
#include "input/wheel_sizing.h"
#include "model/drive_state.h"

namespace idrova {
namespace {

constexpr double kExactMm = 1e-6;

TEST(WheelSizing, ChosenTypeSizesEveryWheelByItsRule) {
  // Entry, teeth and the radius of every wheel.
  const std::tuple<const char*, double, double> rows[] = {
      {"S8M1", 10, 12.732395447},  {"S8M1", 200, 254.647908947}, {"RS401", 20, 40.592077957},
      {"RS401", 10, 20.549031657}, {"RS251", 20, 20.296038978},  {"H1", 20, 40.425355545}};
  DriveState state;
  for (const auto& [entry, teeth, radius] : rows) {
    for (double& t : state.Teeth) t = teeth;
    SelectType(state, *FindCatalogueEntry(entry));
    for (const auto& w : state.Wheel)
      EXPECT_NEAR(w.Radius, radius, kExactMm) << entry << ' ' << teeth;
  }
  SelectType(state, *FindCatalogueEntry("N1"));  // keeps the pitch and the belt radii
  EXPECT_NEAR(state.Wheel[2].Radius, 40.425355545, kExactMm);
  // z * p first, then 1/pi, then one half: any other order changes the last bit.
  EXPECT_EQ(BeltPulleyRadius(16.0, 2.032), 5.174445509803702);
  EXPECT_EQ(BeltPulleyRadius(10.0, 2.032), 3.2340284436273135);
}

TEST(Stepper, OnlyTheFineStepIsFiveFoldFromTheFifthClick) {
  DriveState state;
  ApplyStartValues(state);
  StepperMouseDown(state, true);  // coarse
  double x = 0.0;
  for (int i = 0; i < 8; ++i) x = StepCoordinate(state, x, ArrowButton::Next);
  StepperMouseDown(state, true);  // fine only after the fifth click: no five-fold step
  EXPECT_EQ(StepCoordinate(state, x, ArrowButton::Previous), 79.9);
  StepperMouseUp(state);
  state.StepSize = std::nextafter(kFineStepMm, 1.0);  // fine by a hair is not fine
  for (int i = 0; i < 6; ++i) StepCoordinate(state, 0.0, ArrowButton::Next);
  EXPECT_EQ(state.StepMultiplier, 1);
  StepperMouseDown(state, true);  // any other step goes back to fine
  EXPECT_EQ(state.StepSize, kFineStepMm);
}

TEST(StandardLengths, TablesAscendWithTheirCountsAndSums) {
  const std::int32_t rows[][3] = {{4, 21, 1843}, {5, 64, 10093}, {8, 55, 9614}, {14, 29, 5165}};
  for (const auto& [code, count, sum] : rows) {
    const auto table = StandardTeethTable(code);
    EXPECT_EQ(table.size(), static_cast<std::size_t>(count)) << code;
    EXPECT_EQ(std::accumulate(table.begin(), table.end(), 0), sum) << code;
    EXPECT_TRUE(std::is_sorted(table.begin(), table.end(), std::less_equal<>())) << code;
  }
}

TEST(StandardLengths, StepsIndexTeethAndLength) {
  // Entry, button, index before and after, teeth and length after.
  const std::tuple<const char*, const char*, ArrowButton, int, int, int, double> rows[] = {
      {"S45M_index_4", "S45M1", ArrowButton::Next, 3, 4, 53, 238.5},
      {"S45M_up_wraps", "S45M1", ArrowButton::Next, 20, 0, 36, 162.0},
      {"S14M_index_1", "S14M1", ArrowButton::Next, 0, 1, 80, 1120.0},
      {"S5M_index_63", "S5M1", ArrowButton::Next, 62, 63, 400, 2000.0},
      {"S5M_index_up_on_S8M", "S8M1", ArrowButton::Next, 60, 0, 60, 480.0},
      {"S5M_index_down_on_S8M", "S8M1", ArrowButton::Previous, 60, 0, 60, 480.0},
      {"MXL_up", "MXL1", ArrowButton::Next, 0, 1, 1, 2.032},
      {"MXL_below_zero", "MXL1", ArrowButton::Previous, 0, -1, -1, -2.032},
      {"MXL_index_127", "MXL1", ArrowButton::Next, 126, 127, 127, 258.064},
  };
  for (const auto& [name, entry, button, start, index, teeth, length] : rows) {
    DriveState state;
    SelectType(state, *FindCatalogueEntry(entry));
    state.LengthIndex = start;
    EXPECT_TRUE(StepStandardLength(state, button)) << name;
    EXPECT_EQ(std::tuple(state.LengthIndex, state.BeltTeeth), std::tuple(index, teeth)) << name;
    EXPECT_NEAR(state.SpecifiedLength, length, kExactMm) << name;
  }
}

}  // namespace
}  // namespace idrova
