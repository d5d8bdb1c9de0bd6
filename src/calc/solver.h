// SPDX-License-Identifier: MIT
// The search for the tensioner coordinate (X or Y of wheel 3) that gives the
// requested belt length, stepping in the chosen direction by half the
// remaining difference (at least 0.005 mm) until within 0.005 mm.
#pragma once

#include <cmath>
#include <cstdint>

#include "model/drive_state.h"

namespace idrova {

enum WarningCode : std::int32_t {
  kNoWarning = 0,
  kLengthTooShort = 1,  // requested length below the two-wheel belt
  kWrongDirection = 2,  // the search runs away or cannot reach the length
};

inline constexpr double kSearchToleranceMm = 0.005;
inline constexpr double kLeastStepMm = 0.005;
inline constexpr double kStepFactor = 0.5;
inline constexpr double kRunAwayFactor = 10.0;
// The search gives up after this many steps. At least 0.005 mm per step, so
// the tensioner can still travel 5 m, through the belt loop and beyond.
inline constexpr std::int64_t kMaxSearchIterations = 1'000'000;

struct StepOutcome {
  std::int32_t Warning = kNoWarning;
  std::int64_t Iterations = 0;
  double Length = 0.0;  // at the coordinate the search ended on
};

// The stepping search on any length of the tensioner's coordinate: every
// step goes the chosen way, by half the remaining difference but at least
// the least step, whatever the sign of the difference, until the length is
// within the tolerance of the request. It gives up when the length runs away
// (longer than ten times the request), and also when it can no longer make
// progress: too many steps, a step too small to move the coordinate, or
// numbers that are no longer finite. `lengthAt` gives the length with the
// coordinate at the value given; the search leaves `coordinate` where it ended.
template <typename LengthAt>
StepOutcome StepToLength(double& coordinate, double length, double request, double direction,
                         const LengthAt& lengthAt) {
  StepOutcome outcome;
  bool gaveUp = false;
  while (std::fabs(length - request) >= kSearchToleranceMm) {
    if (outcome.Iterations >= kMaxSearchIterations) {
      gaveUp = true;
      break;
    }
    const double half = std::fabs(request - length) * kStepFactor;
    const double step = half > kLeastStepMm ? half : kLeastStepMm;
    const double next = coordinate + direction * step;
    if (next == coordinate || !std::isfinite(next)) {
      gaveUp = true;
      break;
    }
    coordinate = next;
    ++outcome.Iterations;
    length = lengthAt(coordinate);
    if (!std::isfinite(length) || !(kRunAwayFactor * request >= length)) {
      gaveUp = true;
      break;
    }
  }
  // A non-finite length fails the loop test without being within the
  // tolerance; that is no solution either.
  if (gaveUp || !std::isfinite(length)) outcome.Warning = kWrongDirection;
  outcome.Length = length;
  return outcome;
}

// Text of the warning line for a code; nullptr for a code that leaves the
// line unchanged.
const char* WarningText(std::int32_t code);

struct SearchResult {
  std::int32_t Warning = kNoWarning;
  std::int64_t Iterations = 0;
};

// Runs the search on the state (UnknownKind 1 or 2, SpecifiedLength set):
// computes the path, checks the two-wheel minimum, then steps. On success the
// coordinate holds the found value. On kWrongDirection the coordinate is put
// back to its value before the search and the path recomputed, so state and
// window keep agreeing.
SearchResult SearchUnknownCoordinate(DriveState& state);

// The length of a chain along `path` as chain makers count it, in mm: its
// links (ChainLinks) times the state's pitch.
double ChainLengthMm(const BeltPath& path, const DriveState& state);

// The same search on the chain count: from the tensioner of `state` (as the
// window's search starts), in its direction, for the coordinate at which a
// chain of SpecifiedLength (links times the pitch) is just tight. Changes
// nothing in the state. kLengthTooShort when the request is shorter than the
// chain round wheels 1 and 2 alone; kWrongDirection as the window's search.
ChainTightResult SearchChainTightCoordinate(const DriveState& state);

}  // namespace idrova
