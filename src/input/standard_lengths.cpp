// SPDX-License-Identifier: MIT
// Standard tooth-count tables of the metric belts and the standard-length arrows.
#include "input/standard_lengths.h"

#include <limits>
#include <optional>

#include "calc/belt_teeth.h"

namespace idrova {
namespace {

constexpr std::int32_t kStdTeethS45M[] = {36, 40, 44,  50,  53,  56,  62,  63,  70,  72, 78,
                                          85, 88, 100, 109, 112, 124, 125, 140, 158, 178};

constexpr std::int32_t kStdTeethS5M[] = {
    51,  55,  59,  60,  64,  65,  70,  75,  78,  80,  82,  84,  85,  90,  95,  98,
    100, 104, 110, 112, 113, 115, 120, 125, 127, 129, 130, 134, 139, 140, 142, 145,
    148, 150, 154, 155, 160, 162, 166, 170, 172, 174, 180, 184, 188, 190, 193, 195,
    200, 205, 210, 225, 227, 229, 239, 245, 250, 254, 259, 270, 284, 319, 360, 400};

constexpr std::int32_t kStdTeethS8M[] = {
    60,  70,  73,  75,  79,  85,  89,  95,  100, 105, 106, 110, 112, 115, 118, 120, 123, 125, 129,
    130, 132, 137, 140, 142, 144, 148, 149, 150, 152, 153, 155, 156, 160, 162, 164, 168, 169, 173,
    175, 180, 200, 216, 220, 225, 250, 265, 270, 280, 288, 300, 312, 350, 360, 400, 550};

constexpr std::int32_t kStdTeethS14M[] = {72,  80,  85,  89,  100, 110, 115, 118, 129, 135,
                                          136, 143, 150, 160, 165, 170, 175, 179, 185, 190,
                                          200, 225, 250, 254, 275, 286, 309, 322, 358};

}  // namespace

std::span<const std::int32_t> StandardTeethTable(std::int32_t beltType) {
  switch (beltType) {
    case 4:
      return kStdTeethS45M;
    case 5:
      return kStdTeethS5M;
    case 8:
      return kStdTeethS8M;
    case 14:
      return kStdTeethS14M;
    default:
      return {};
  }
}

double StandardTeethFactor(std::int32_t beltType) {
  switch (beltType) {
    case 4:
      return 4.5;
    case 5:
      return 5.0;
    case 8:
      return 8.0;
    case 14:
      return 14.0;
    default:
      return 0.0;
  }
}

bool StepStandardLength(DriveState& state, ArrowButton button) {
  // Stepped in 64 bits, so no index left in the state can overflow.
  const std::int64_t stepped =
      static_cast<std::int64_t>(state.LengthIndex) + (button == ArrowButton::Next ? 1 : -1);
  return SelectStandardLength(state, stepped);
}

bool SelectStandardLength(DriveState& state, std::int64_t index) {
  const std::span<const std::int32_t> table = StandardTeethTable(state.BeltType);
  if (!table.empty()) {
    // Wrap past either end. An index left over from another type is stepped
    // first and then tested, so far above the table it lands on the first
    // entry and far below on the last.
    const auto highest = static_cast<std::int64_t>(table.size()) - 1;
    const std::int64_t wrapped = index > highest ? 0 : (index < 0 ? highest : index);
    state.LengthIndex = static_cast<std::int32_t>(wrapped);
    state.SpecifiedLength =
        table[static_cast<std::size_t>(wrapped)] * StandardTeethFactor(state.BeltType);
  } else {
    // Whole pitches, unbounded but for the 32-bit limits of the index.
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
    state.LengthIndex = static_cast<std::int32_t>(
        index < kLowest ? kLowest : (index > kHighest ? kHighest : index));
    state.SpecifiedLength = state.LengthIndex * state.Pitch;
  }
  const std::optional<std::int32_t> teeth = LengthInTeeth(state.SpecifiedLength, state.Pitch);
  if (!teeth) return false;
  state.BeltTeeth = *teeth;
  return true;
}

}  // namespace idrova
