// SPDX-License-Identifier: MIT
// What the calculation-mode selectors set in the state.
#pragma once

#include "model/drive_state.h"

namespace idrova {

// Proposal of the requested length on entering the X3 or Y3 mode: the fewest
// whole pitches reaching round wheels 1 and 2 (from the last computed
// MinBeltLength). Sets BeltTeeth and SpecifiedLength and returns true; with a
// pitch that gives no whole-tooth count (zero) it proposes MinBeltLength
// itself, leaves BeltTeeth unchanged and returns false.
bool ProposeRequestedLength(DriveState& state);

}  // namespace idrova
