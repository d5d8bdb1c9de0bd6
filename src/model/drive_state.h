// SPDX-License-Identifier: MIT
// DriveState: the one calculation state of the window, its start values and
// the pitch-circle radius used when the input edits are taken over.
#pragma once

#include <cstdint>

#include "geometry/belt_path.h"
#include "geometry/polar_vector.h"
#include "geometry/tangents.h"

namespace idrova {

// All fields are flat and public; the window owns exactly one instance and
// every handler reads and writes it directly. Construction gives all zeros;
// ApplyStartValues() makes it usable. The path results (Wheel1Tangent,
// Wheel3Tangent, Span, BeltLength, MinBeltLength) come from BeltPath.
struct DriveState : BeltPath {
  std::int32_t OriginX = 0;      // pixels: picture x of the model origin
  std::int32_t OriginY = 0;      // pixels: picture y of the model origin
  std::int32_t WindingMode = 0;  // 0 inner winding, 1 outer winding
  std::int32_t UnknownKind = 0;  // 0 total length, 1 X of wheel 3, 2 Y of wheel 3
  std::int32_t Direction = 0;    // search direction, +1 or -1
  std::int32_t BeltType = 0;     // type code: <25 toothed belt, >=25 chain, 999 free
  std::int32_t LengthIndex = 0;  // standard-length index, or teeth for types without a table
  double Pitch = 0.0;            // mm
  double Teeth[3] = {0.0, 0.0, 0.0};
  WheelCircle Wheel[3];              // centres and pitch radii, mm
  double Scale = 0.0;                // picture pixels per mm
  double SpecifiedLength = 0.0;      // mm, requested belt length for the search
  std::int32_t BeltTeeth = 0;        // a belt length in whole pitches, rounded up
  PolarVector EmptySpan;             // the zero vector put into unused span slots
  std::int32_t PressClickCount = 0;  // stepper: clicks of the current press
  std::int32_t StepMultiplier = 0;   // stepper: 1, or 5 on an accelerated press
  std::int32_t PressActive = 0;      // stepper: 1 while a press is under way
  double StepSize = 0.0;             // stepper: 0.1 or 10 mm
};

// Steps 1-6 of the start-up: EmptySpan, Scale 1, origin (50, 300),
// Direction 1, stepper defaults and the S8M type code. Other fields are kept.
void ApplyStartValues(DriveState& state);

// Pitch-circle radius of a toothed-belt pulley, as used when the edits are
// taken over at start-up: teeth * pitch * (1/pi) * 0.5 with 1/pi in extended
// precision, rounded to double at the end.
double StartupPulleyRadius(double teeth, double pitch);

// Path computation on the state's own wheels and winding mode.
PathCase ComputeBeltPath(DriveState& state);

}  // namespace idrova
