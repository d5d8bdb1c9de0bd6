// SPDX-License-Identifier: MIT
// The stepper press machine shared by the six coordinate arrow controls.
#include "input/stepper.h"

#include <limits>

namespace idrova {
namespace {

constexpr std::int32_t kAcceleratedClick = 5;
constexpr std::int32_t kAcceleratedMultiplier = 5;

}  // namespace

double StepCoordinate(DriveState& state, double coordinate, ArrowButton button) {
  if (state.PressActive == 0) {
    state.PressClickCount = 0;
    state.PressActive = 1;
    state.StepMultiplier = 1;
  }
  // A press held for billions of clicks stays at the largest count.
  if (state.PressClickCount < std::numeric_limits<std::int32_t>::max()) ++state.PressClickCount;
  // Only the fine step accelerates, and only on exactly the fifth click; the
  // multiplier then holds until the next press begins.
  if (state.PressClickCount == kAcceleratedClick && state.StepSize == kFineStepMm) {
    state.StepMultiplier = kAcceleratedMultiplier;
  }
  const double step = state.StepMultiplier * state.StepSize;
  return button == ArrowButton::Next ? coordinate + step : coordinate - step;
}

double PageStepCoordinate(double coordinate, ArrowButton button) {
  return button == ArrowButton::Next ? coordinate + kCoarseStepMm : coordinate - kCoarseStepMm;
}

void StepperMouseDown(DriveState& state, bool rightButtonDown) {
  if (!rightButtonDown) return;
  state.StepSize = state.StepSize == kFineStepMm ? kCoarseStepMm : kFineStepMm;
}

void StepperMouseUp(DriveState& state) { state.PressActive = 0; }

}  // namespace idrova
