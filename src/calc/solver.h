// SPDX-License-Identifier: MIT
// The search for the tensioner coordinate (X or Y of wheel 3) that gives the
// requested belt length, stepping in the chosen direction by half the
// remaining difference (at least 0.005 mm) until within 0.005 mm.
#pragma once

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
