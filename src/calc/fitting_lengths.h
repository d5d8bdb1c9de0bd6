// SPDX-License-Identifier: MIT
// Which standard belts fit: every standard length of a type for which the
// window's own search for the tensioner coordinate, started where 計算
// would start it, finds the tensioner without a warning; with the
// coordinate found and the design check of the drive there. Each length is
// taken as the standard-length arrows write it into the length field and
// read back as 計算 reads it, so a listed coordinate is exactly the one the
// window finds for that length.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calc/design_check.h"
#include "model/drive_state.h"

namespace idrova {

// The standard lengths of a type: the entries of its table times the
// table's factor, or, without a table, every whole number of pitches (every
// even number for a chain, whose links join in pairs).
struct StandardSeries {
  std::span<const std::int32_t> Table;  // the type's tooth counts, or empty
  double Factor = 0.0;                  // mm per table entry
  double Pitch = 0.0;                   // mm per pitch, as the arrows multiply it
  bool EvenOnly = false;
};

// A series without a table lists at most this many lengths, and any list
// stops once its searches have made this many steps in all (each step is
// one belt length; a search that crosses a long loop at the least step
// takes many).
inline constexpr int kMostListedLengths = 400;
inline constexpr std::int64_t kMostListSearchSteps = 1'000'000;

struct FittingLength {
  std::int32_t Index = 0;             // the standard-length index (LengthIndex) that gives it
  double Length = 0.0;                // mm, as the arrows compute it
  std::optional<std::int32_t> Teeth;  // its whole count, as the arrows show it
  double Coordinate = 0.0;            // the tensioner's X or Y the search finds, mm
  DesignCheck Check;                  // of the drive with the tensioner there
};

struct FittingLengths {
  std::vector<FittingLength> Rows;
  // Standard lengths at or above the two-wheel minimum (without a table: up
  // to the last one listed) that the search cannot reach from its start in
  // the chosen direction.
  int Unreachable = 0;
  bool Capped = false;   // a series without a table stopped at the most rows
  bool TooLong = false;  // stopped at the most search steps
};

// The list for `start`: the drive as 計算 takes it over (inputs read, radii
// sized), searching X (UnknownKind 1) or Y (2) in its Direction. Empty for
// another mode or a pitch that gives no whole counts.
FittingLengths ListFittingLengths(const DriveState& start, const StandardSeries& series);

// The list as the window shows and copies it: the heading, then one line of
// cells per length: the length as the arrows write it, its whole count, the
// coordinate as the search writes it, NO 1's and NO 2's wrap and teeth in
// mesh, and every caution joined by "、".
std::vector<std::string> FittingLengthHeading(std::int32_t unknownKind, bool chain);
std::vector<std::string> FittingLengthCells(const FittingLength& row);

// The line under the list: how many lengths fit, and how many standard
// lengths above the two-wheel minimum the chosen direction cannot reach.
std::string FittingLengthSummary(const FittingLengths& list, std::int32_t direction);

}  // namespace idrova
