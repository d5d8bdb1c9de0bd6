// SPDX-License-Identifier: MIT
// The coordinate steppers: one press state shared by the six arrow controls,
// a fine (0.1 mm) or coarse (10 mm) step, and five-fold steps from the fifth
// click of one held press on the fine step.
#pragma once

#include "model/drive_state.h"

namespace idrova {

enum class ArrowButton { Next, Previous };

inline constexpr double kFineStepMm = 0.1;
inline constexpr double kCoarseStepMm = 10.0;

// One click on a stepper: advances the press state and returns the
// coordinate moved by StepMultiplier * StepSize (Next adds, Previous
// subtracts). The caller stores the result in DriveState.
double StepCoordinate(DriveState& state, double coordinate, ArrowButton button);

// Page Up or Page Down on a focused stepper: one coarse step (10 mm) up or
// down, whatever step the arrows are set to; the press state is untouched.
double PageStepCoordinate(double coordinate, ArrowButton button);

// Mouse down on any of the six steppers: the right button toggles the step
// between fine and coarse (any other step size goes back to fine).
void StepperMouseDown(DriveState& state, bool rightButtonDown);

// Mouse up on any of the six steppers: the press ends.
void StepperMouseUp(DriveState& state);

}  // namespace idrova
