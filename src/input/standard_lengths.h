// SPDX-License-Identifier: MIT
// Standard belt lengths: tooth-count tables of the four metric belt types,
// stepped with wrap-around; whole pitches for every other type.
#pragma once

#include <cstdint>
#include <span>

#include "input/stepper.h"
#include "model/drive_state.h"

namespace idrova {

// The table of standard tooth counts for a type code (4, 5, 8, 14), empty for
// every other type.
std::span<const std::int32_t> StandardTeethTable(std::int32_t beltType);
// mm per tooth of a table type (its catalogue pitch), 0 for other types.
double StandardTeethFactor(std::int32_t beltType);

// One click of the standard-length arrows: steps LengthIndex (wrapping inside
// a table), sets SpecifiedLength and, where the pitch allows a whole-tooth
// count, BeltTeeth. Returns false when BeltTeeth could not be formed (zero
// pitch, or a count beyond 32 bits) and was left unchanged.
bool StepStandardLength(DriveState& state, ArrowButton button);

// The standard length of index `index` (a table position, brought into the
// table; otherwise a count of pitches), set as a click of the arrows sets
// the one it steps to. Returns as StepStandardLength.
bool SelectStandardLength(DriveState& state, std::int64_t index);

}  // namespace idrova
