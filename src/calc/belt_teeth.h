// A belt length in whole pitches, rounded up without tolerance.
#pragma once

#include <cstdint>
#include <optional>

namespace idrova {

// ceil(length / pitch) as a 32-bit count; nothing when the pitch is zero,
// the quotient is not finite, or the count does not fit in 32 bits.
std::optional<std::int32_t> LengthInTeeth(double length, double pitch);

}  // namespace idrova
