// SPDX-License-Identifier: MIT
// The one-sided stepping search for the tensioner coordinate and its warnings.
#include "calc/solver.h"

#include <cmath>

namespace idrova {

namespace {

// The wheel the search moves, with its searched coordinate at `value`.
WheelCircle Moved(const WheelCircle& wheel, std::int32_t unknownKind, double value) {
  WheelCircle moved = wheel;
  (unknownKind == 1 ? moved.X : moved.Y) = value;
  return moved;
}

}  // namespace

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

  // The steps need the belt length alone; the contacts and spans are worked
  // out once, for the coordinate the search ends on. Outer winding has no
  // path, so its length stays as it is, as ComputeBeltPath leaves it.
  const TensionerBeltLengths lengths(state.Wheel[0], state.Wheel[1], state.EmptySpan);
  const bool innerWinding = state.WindingMode == 0;
  const std::int32_t kind = state.UnknownKind;
  const WheelCircle tensioner = state.Wheel[2];
  const double unchanged = state.BeltLength;
  const StepOutcome outcome = StepToLength(
      coordinate, state.BeltLength, state.SpecifiedLength, state.Direction, [&](double value) {
        return innerWinding ? lengths.BeltLength(Moved(tensioner, kind, value)) : unchanged;
      });
  result.Iterations = outcome.Iterations;
  state.BeltLength = outcome.Length;
  if (outcome.Warning != kNoWarning) {
    coordinate = startCoordinate;
    result.Warning = outcome.Warning;
  }
  if (result.Iterations > 0 || result.Warning != kNoWarning) ComputeBeltPath(state);
  return result;
}

double ChainLengthMm(const BeltPath& path, const DriveState& state) {
  return ChainLinks(path, state.Teeth, state.Pitch) * state.Pitch;
}

ChainTightResult SearchChainTightCoordinate(const DriveState& state) {
  ChainTightResult result;
  result.Searched = true;
  result.UnknownKind = state.UnknownKind;
  if ((state.UnknownKind != 1 && state.UnknownKind != 2) || state.WindingMode != 0 ||
      state.Pitch == 0.0)
    return result;

  // The window's search, on the chain as chain makers count it (links times
  // the pitch) instead of the belt round the pitch circles.
  const TensionerBeltLengths lengths(state.Wheel[0], state.Wheel[1], state.EmptySpan);
  const std::int32_t kind = state.UnknownKind;
  const WheelCircle tensioner = state.Wheel[2];
  if (!(state.SpecifiedLength >= ChainLengthMm(lengths.TwoWheelPath(), state))) {
    result.Warning = kLengthTooShort;
    return result;
  }
  auto chainAt = [&](double value) {
    return ChainLengthMm(lengths.PathAt(Moved(tensioner, kind, value)), state);
  };
  double coordinate = kind == 1 ? tensioner.X : tensioner.Y;
  const StepOutcome outcome = StepToLength(coordinate, chainAt(coordinate), state.SpecifiedLength,
                                           state.Direction, chainAt);
  result.Warning = outcome.Warning;
  result.Found = outcome.Warning == kNoWarning;
  if (result.Found) result.Coordinate = coordinate;
  return result;
}

}  // namespace idrova
