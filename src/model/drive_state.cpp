// SPDX-License-Identifier: MIT
// Start values of the drive state and the start-up pulley radius.
#include "model/drive_state.h"

namespace idrova {

void ApplyStartValues(DriveState& state) {
  state.EmptySpan = PolarVector(0.0, 0.0);
  state.Scale = 1.0;
  state.OriginX = 50;
  state.OriginY = 300;
  state.Direction = 1;
  state.PressActive = 0;
  state.StepSize = 0.1;
  state.StepMultiplier = 1;
  state.BeltType = 8;  // S8M
}

double StartupPulleyRadius(double teeth, double pitch) {
  // 1/pi held to extended precision, as the radius was always computed here.
  constexpr long double kInvPiExtended = 0.318309886183790671537767526745028724L;
  const long double radius = static_cast<long double>(teeth) * pitch * kInvPiExtended * 0.5L;
  return static_cast<double>(radius);
}

bool IsChainType(std::int32_t beltType, bool freeTypeIsBelt) {
  if (beltType == kFreeTypeCode) return !freeTypeIsBelt;
  return beltType >= kFirstChainType;
}

PathCase ComputeBeltPath(DriveState& state) {
  return ComputeBeltPath(state.Wheel, state.WindingMode, state.EmptySpan, state);
}

}  // namespace idrova
