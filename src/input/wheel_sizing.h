// SPDX-License-Identifier: MIT
// Pitch radius of a wheel from its tooth count: the toothed-belt rule below
// type code 25, the roller-chain rule from 25 on; the free type 999 follows
// the rule its setting names (chain sprockets unless set to belt pulleys).
#pragma once

#include <cstdint>

#include "model/drive_state.h"

namespace idrova {

// Toothed belt: z * p * 0.3183098861837907 * 0.5 (circumference z pitches).
double BeltPulleyRadius(double teeth, double pitch);
// Roller chain: p / sin(pi / z) * 0.5 (a z-gon of side p in the pitch circle).
double ChainSprocketRadius(double teeth, double pitch);
// The rule for the type code and the free type's setting.
double WheelRadius(double teeth, double pitch, std::int32_t beltType, bool freeTypeIsBelt);

// Recomputes the radius of wheels 1, 2 and 3 from Teeth, Pitch, BeltType and
// the free type's setting.
void UpdateWheelRadii(DriveState& state);

// A tooth-count change of one wheel (0, 1 or 2): stores the count and
// recomputes that wheel's radius only.
void SetWheelTeeth(DriveState& state, int wheel, double teeth);

inline constexpr int kMinTeeth = 10;
inline constexpr int kMaxTeeth = 200;

}  // namespace idrova
