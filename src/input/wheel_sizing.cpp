// SPDX-License-Identifier: MIT
// Wheel pitch radii from tooth counts: toothed-belt and roller-chain rules.
#include "input/wheel_sizing.h"

#include <cmath>

#include "geometry/polar_vector.h"

namespace idrova {
namespace {

constexpr double kInvPi = 0.3183098861837907;

}  // namespace

double BeltPulleyRadius(double teeth, double pitch) { return teeth * pitch * kInvPi * 0.5; }

double ChainSprocketRadius(double teeth, double pitch) {
  return pitch / std::sin(kPi / teeth) * 0.5;
}

double WheelRadius(double teeth, double pitch, std::int32_t beltType, bool freeTypeIsBelt) {
  return IsChainType(beltType, freeTypeIsBelt) ? ChainSprocketRadius(teeth, pitch)
                                               : BeltPulleyRadius(teeth, pitch);
}

void UpdateWheelRadii(DriveState& state) {
  for (int i = 0; i < 3; ++i) {
    state.Wheel[i].Radius =
        WheelRadius(state.Teeth[i], state.Pitch, state.BeltType, state.FreeTypeIsBelt);
  }
}

void SetWheelTeeth(DriveState& state, int wheel, double teeth) {
  if (wheel < 0 || wheel > 2) return;
  state.Teeth[wheel] = teeth;
  state.Wheel[wheel].Radius = WheelRadius(teeth, state.Pitch, state.BeltType, state.FreeTypeIsBelt);
}

}  // namespace idrova
