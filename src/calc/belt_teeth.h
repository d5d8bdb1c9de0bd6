// SPDX-License-Identifier: MIT
// Whole counts of a length: a belt length in whole pitches, rounded up, and
// the links of chain to order. A quotient within 1e-9 of a whole number is
// that number: a length of whole pitches computed in floating point may come
// out one unit in the last place above it (500.00000000000006 mm of a 5 mm
// belt), which must not cost a whole tooth.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "model/drive_state.h"

namespace idrova {

inline constexpr double kWholeCountTolerance = 1e-9;

// The whole number nearest to `count` when it lies within
// kWholeCountTolerance of it; otherwise `count` itself.
inline double SnapToWhole(double count) {
  const double whole = std::round(count);
  return std::fabs(count - whole) <= kWholeCountTolerance ? whole : count;
}

// A whole count as a 32-bit integer; nothing when it is not finite or does
// not fit in 32 bits.
inline std::optional<std::int32_t> ToCount32(double whole) {
  // Both limits are exact doubles; NaN and the infinities fail the test too.
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (!(whole >= kLowest && whole <= kHighest)) return std::nullopt;
  return static_cast<std::int32_t>(whole);
}

// ceil(length / pitch) as a 32-bit count, the quotient first snapped to a
// whole number within the tolerance; nothing when the pitch is zero, the
// quotient is not finite, or the count does not fit in 32 bits.
// Defined here so that the input handlers can form the count without
// linking the calculation library.
inline std::optional<std::int32_t> LengthInTeeth(double length, double pitch) {
  if (pitch == 0.0) return std::nullopt;
  return ToCount32(std::ceil(SnapToWhole(length / pitch)));
}

// The whole count shown beside the belt length: the requested length's
// after a search that fitted it (the belt found is within the search's
// tolerance of it, so its own count may round one tooth over), otherwise
// the computed belt's.
inline std::optional<std::int32_t> ShownBeltTeeth(const DriveState& state) {
  return LengthInTeeth(state.RequestFitted ? state.SpecifiedLength : state.BeltLength, state.Pitch);
}

// The links of chain to order for a chain of `links` links: the smallest
// even whole number at or above it (within the tolerance), since a chain of
// an odd count needs an offset link. Nothing when it is not finite or does
// not fit in 32 bits.
inline std::optional<std::int32_t> LinksToOrder(double links) {
  const double whole = std::ceil(SnapToWhole(links));
  return ToCount32(std::fmod(whole, 2.0) == 0.0 ? whole : whole + 1.0);
}

// True when `count` is an odd whole number, within the tolerance.
inline bool IsOddWholeCount(double count) {
  const double snapped = SnapToWhole(count);
  return std::isfinite(snapped) && snapped == std::round(snapped) &&
         std::fabs(std::fmod(snapped, 2.0)) == 1.0;
}

}  // namespace idrova
