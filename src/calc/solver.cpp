// SPDX-License-Identifier: MIT
// The one-sided stepping search for the tensioner coordinate and its warnings.
#include "calc/solver.h"

#include <cmath>

namespace idrova {

const char* WarningText(std::int32_t code) {
  switch (code) {
    case kNoWarning:
      return "";
    case kLengthTooShort:
      return "警告! 指定長さが短かすぎます";
    case kWrongDirection:
      return "警告! 方向指定が間違っています";
    default:
      return nullptr;
  }
}

SearchResult SearchUnknownCoordinate(DriveState& state) {
  SearchResult result;
  if (state.UnknownKind != 1 && state.UnknownKind != 2) return result;

  ComputeBeltPath(state);
  if (!(state.SpecifiedLength >= state.MinBeltLength)) {
    result.Warning = kLengthTooShort;
    return result;
  }

  double& coordinate = state.UnknownKind == 1 ? state.Wheel[2].X : state.Wheel[2].Y;
  const double startCoordinate = coordinate;
  const double direction = state.Direction;

  // The steps need the belt length alone; the contacts and spans are worked
  // out once, for the coordinate the search ends on. Outer winding has no
  // path, so its length stays as it is, as ComputeBeltPath leaves it.
  const TensionerBeltLengths lengths(state.Wheel[0], state.Wheel[1], state.EmptySpan);
  const bool innerWinding = state.WindingMode == 0;

  // Every step goes the chosen way, by half the remaining difference but at
  // least the least step, whatever the sign of the difference. The search
  // gives up when the belt runs away (longer than ten times the request), and
  // also when it can no longer make progress: too many steps, a step too
  // small to move the coordinate, or numbers that are no longer finite.
  bool gaveUp = false;
  while (std::fabs(state.BeltLength - state.SpecifiedLength) >= kSearchToleranceMm) {
    if (result.Iterations >= kMaxSearchIterations) {
      gaveUp = true;
      break;
    }
    const double half = std::fabs(state.SpecifiedLength - state.BeltLength) * kStepFactor;
    const double step = half > kLeastStepMm ? half : kLeastStepMm;
    const double next = coordinate + direction * step;
    if (next == coordinate || !std::isfinite(next)) {
      gaveUp = true;
      break;
    }
    coordinate = next;
    ++result.Iterations;
    if (innerWinding) state.BeltLength = lengths.BeltLength(state.Wheel[2]);
    if (!std::isfinite(state.BeltLength) ||
        !(kRunAwayFactor * state.SpecifiedLength >= state.BeltLength)) {
      gaveUp = true;
      break;
    }
  }
  // A non-finite belt length fails the loop test without being within the
  // tolerance; that is no solution either.
  if (!gaveUp && !std::isfinite(state.BeltLength)) gaveUp = true;

  if (gaveUp) {
    coordinate = startCoordinate;
    result.Warning = kWrongDirection;
  }
  if (result.Iterations > 0 || gaveUp) ComputeBeltPath(state);
  return result;
}

}  // namespace idrova
