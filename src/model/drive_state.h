// SPDX-License-Identifier: MIT
// DriveState: the one calculation state of the window, its start values and
// the pitch-circle radius used when the input edits are taken over.
#pragma once

#include <cstdint>

#include "geometry/belt_path.h"
#include "geometry/polar_vector.h"
#include "geometry/tangents.h"

namespace idrova {

inline constexpr std::int32_t kFirstChainType = 25;
inline constexpr std::int32_t kFreeTypeCode = 999;

// The search for the tensioner coordinate on the chain count (see
// ChainTight below). Found is false when no search has been made since the
// drive last changed, or when the search ended in the warning `Warning`.
struct ChainTightResult {
  bool Searched = false;
  bool Found = false;
  std::int32_t Warning = 0;      // a search warning code (calc/solver.h)
  std::int32_t UnknownKind = 0;  // 1: X of wheel 3, 2: Y of wheel 3
  double Coordinate = 0.0;       // mm
};

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
  // The free type's wheels: belt pulleys (true) or chain sprockets (false,
  // the default). Kept whatever type is chosen; it counts only for the free type.
  bool FreeTypeIsBelt = false;
  // Where a chain of the requested length is just tight, by the chain
  // makers' count, as found by the last search for a tensioner coordinate.
  ChainTightResult ChainTight;
  // True after a search that found the tensioner: the belt then has the
  // requested length within the search's tolerance, so the belt being
  // fitted is the requested one and its whole count is the request's.
  // Any new drive (a recalculation) and any new request clear it.
  bool RequestFitted = false;
};

// Whether a type code with the free type's setting follows the chain rules
// (sprocket radius, 120 degrees of wrap, links): codes from 25 on, the free
// type 999 unless its wheels are set to be belt pulleys.
bool IsChainType(std::int32_t beltType, bool freeTypeIsBelt);
inline bool IsChainDrive(const DriveState& state) {
  return IsChainType(state.BeltType, state.FreeTypeIsBelt);
}

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
