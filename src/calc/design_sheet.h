// SPDX-License-Identifier: MIT
// The drive's design sheet: every figure a designer needs to order the belt
// or chain and to set the drive up, as rows of cells (a name, then its
// values) formatted as the window formats them. The sheet window shows the
// rows as a table, and the same rows, tab-separated, paste into a
// spreadsheet.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/drive_state.h"

namespace idrova {

struct SheetRow {
  std::vector<std::string> Cells;  // the name, then the values
  bool Heading = false;            // names the columns of the rows below it
};

// Belt makers check a belt's tension by the force that deflects a span by
// this part of its length.
inline constexpr double kDeflectionPerSpanLength = 1.0 / 64.0;

// The sheet of the drive in `state`, of the type named `typeName` ("S8M").
// A figure that does not apply to the drive has no row: the free type's
// setting only for the free type, the spans only where the belt length is
// the real belt, the deflection only for belts, the chain figures only for
// chains, the requested length and where a chain of it is tight only while
// a tensioner coordinate is searched for.
std::vector<SheetRow> DesignSheetRows(const DriveState& state, std::string_view typeName);

// The rows as text: cells separated by tabs, one row a line.
std::string DesignSheetText(std::span<const SheetRow> rows);

}  // namespace idrova
