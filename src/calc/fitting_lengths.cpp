// SPDX-License-Identifier: MIT
// The list of standard lengths that fit, searched one by one as 計算 would.
#include "calc/fitting_lengths.h"

#include <cmath>
#include <limits>

#include "calc/belt_teeth.h"
#include "calc/solver.h"
#include "text/number_text.h"

namespace idrova {

namespace {

// A series without a table tries at most this many lengths: enough to pass
// the lengths a direction cannot reach below the tensioner's present belt.
constexpr int kMostTriedLengths = 10 * kMostListedLengths;

enum class Outcome { BelowMinimum, Unreachable, Fits };

// The search for one standard length, from the start, as 計算 runs it on the
// length the arrows wrote. A tensioner found where the belt length is not
// the real belt (the window flags the layout) fits no belt.
Outcome Try(const DriveState& start, const StandardSeries& series, std::int32_t index,
            double length, FittingLength& row, std::int64_t& steps) {
  DriveState drive = start;
  drive.SpecifiedLength = StrToFloat(FloatToStr(length));
  const SearchResult result = SearchUnknownCoordinate(drive);
  steps += result.Iterations;
  if (result.Warning == kLengthTooShort) return Outcome::BelowMinimum;
  if (result.Warning != kNoWarning) return Outcome::Unreachable;
  row.Check = CheckDesign(drive);
  if (!row.Check.Valid) return Outcome::Unreachable;
  row.Index = index;
  row.Length = length;
  row.Teeth = LengthInTeeth(length, series.Pitch);
  row.Coordinate = drive.UnknownKind == 1 ? drive.Wheel[2].X : drive.Wheel[2].Y;
  return Outcome::Fits;
}

}  // namespace

FittingLengths ListFittingLengths(const DriveState& start, const StandardSeries& series) {
  FittingLengths list;
  if (start.UnknownKind != 1 && start.UnknownKind != 2) return list;
  std::int64_t steps = 0;
  FittingLength row;
  if (!series.Table.empty()) {
    for (std::size_t i = 0; i < series.Table.size(); ++i) {
      if (steps >= kMostListSearchSteps) {
        list.TooLong = true;
        break;
      }
      const Outcome outcome = Try(start, series, static_cast<std::int32_t>(i),
                                  series.Table[i] * series.Factor, row, steps);
      if (outcome == Outcome::Fits) list.Rows.push_back(row);
      if (outcome == Outcome::Unreachable) ++list.Unreachable;
    }
    return list;
  }

  // Whole pitches from the first at or above the two-wheel minimum.
  if (!(series.Pitch > 0.0) || !std::isfinite(series.Pitch)) return list;
  DriveState twoWheels = start;
  ComputeBeltPath(twoWheels);
  double first = std::ceil(SnapToWhole(twoWheels.MinBeltLength / series.Pitch));
  if (!std::isfinite(first)) return list;
  first = std::fmax(first, 1.0);
  const std::int64_t stride = series.EvenOnly ? 2 : 1;
  auto count = static_cast<std::int64_t>(std::fmin(first, 4e9));
  if (series.EvenOnly && count % 2 != 0) ++count;
  int unreachableSince = 0;  // not reached since the last length listed
  for (int tried = 0; count <= std::numeric_limits<std::int32_t>::max(); ++tried, count += stride) {
    if (static_cast<int>(list.Rows.size()) >= kMostListedLengths || tried >= kMostTriedLengths) {
      list.Capped = true;
      break;
    }
    if (steps >= kMostListSearchSteps) {
      list.TooLong = true;
      break;
    }
    const auto index = static_cast<std::int32_t>(count);
    const Outcome outcome = Try(start, series, index, index * series.Pitch, row, steps);
    if (outcome == Outcome::Unreachable) ++unreachableSince;
    if (outcome == Outcome::Fits) {
      list.Rows.push_back(row);
      list.Unreachable += unreachableSince;
      unreachableSince = 0;
    }
  }
  return list;
}

std::vector<std::string> FittingLengthHeading(std::int32_t unknownKind, bool chain) {
  return {"長さ",
          chain ? "リンク数" : "歯数",
          unknownKind == 1 ? "X3" : "Y3",
          "NO 1 巻付角",
          "NO 1 噛合",
          "NO 2 巻付角",
          "NO 2 噛合",
          "注意"};
}

std::vector<std::string> FittingLengthCells(const FittingLength& row) {
  std::vector<std::string> cells{FloatToStr(row.Length),
                                 row.Teeth ? IntToStr(*row.Teeth) : std::string("---"),
                                 FormatFloat("###0.##", row.Coordinate)};
  for (int i = 0; i < 2; ++i) {
    cells.push_back(FormatFloat("###0.#", row.Check.Wheel[i].WrapDegrees) + "°");
    cells.push_back(IntToStr(row.Check.Wheel[i].TeethInMesh));
  }
  std::string cautions;
  for (const std::string& caution : row.Check.Cautions)
    cautions += (cautions.empty() ? "" : "、") + caution;
  cells.push_back(cautions);
  return cells;
}

std::string FittingLengthSummary(const FittingLengths& list, std::int32_t direction) {
  const char* const here = direction < 0 ? "－" : "＋";
  const char* const other = direction < 0 ? "＋" : "－";
  std::string line = "張れる標準長さ " + std::to_string(list.Rows.size()) + " 本";
  if (list.Capped) line += " (最初の " + std::to_string(list.Rows.size()) + " 本まで)";
  line += "。";
  if (list.Unreachable > 0) {
    line += std::string("方向 ") + here + " で届かない標準長さ (最短より長いもの) " +
            std::to_string(list.Unreachable) + " 本: 方向 " + other + " なら届くことがあります。";
  } else {
    line += std::string("最短より長い標準長さは方向 ") + here + " ですべて届きます。";
  }
  if (list.TooLong) line += "探索が長くなりすぎたため、ここで打ち切りました。";
  return line;
}

}  // namespace idrova
