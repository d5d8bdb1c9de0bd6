// SPDX-License-Identifier: MIT
// The requested length proposed when a tensioner coordinate becomes the unknown.
#include "calc/modes.h"

#include <optional>

#include "calc/belt_teeth.h"

namespace idrova {

bool ProposeRequestedLength(DriveState& state) {
  const std::optional<std::int32_t> teeth = LengthInTeeth(state.MinBeltLength, state.Pitch);
  if (!teeth) {
    state.SpecifiedLength = state.MinBeltLength;
    return false;
  }
  state.BeltTeeth = *teeth;
  state.SpecifiedLength = *teeth * state.Pitch;
  return true;
}

}  // namespace idrova
