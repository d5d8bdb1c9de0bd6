// SPDX-License-Identifier: MIT
// A belt length in whole pitches, rounded up without tolerance.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace idrova {

// ceil(length / pitch) as a 32-bit count; nothing when the pitch is zero,
// the quotient is not finite, or the count does not fit in 32 bits.
// Defined here so that the input handlers can form the count without
// linking the calculation library.
inline std::optional<std::int32_t> LengthInTeeth(double length, double pitch) {
  if (pitch == 0.0) return std::nullopt;
  const double teeth = std::ceil(length / pitch);
  // Both limits are exact doubles; NaN and the infinities fail the test too.
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (!(teeth >= kLowest && teeth <= kHighest)) return std::nullopt;
  return static_cast<std::int32_t>(teeth);
}

}  // namespace idrova
