// SPDX-License-Identifier: MIT
// The layout check: computed belt length against the tight belt length.
#include "calc/layout_check.h"

#include "geometry/hull.h"

namespace idrova {

bool BeltPathFitsLayout(const DriveState& state) {
  return BeltLengthFitsLayout(state.BeltLength, TightBeltLength(state.Wheel));
}

}  // namespace idrova
