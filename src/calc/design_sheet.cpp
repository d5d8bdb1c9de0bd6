// SPDX-License-Identifier: MIT
// The rows of the design sheet.
#include "calc/design_sheet.h"

#include <cmath>
#include <optional>

#include "calc/belt_teeth.h"
#include "calc/design_check.h"
#include "calc/solver.h"
#include "text/number_text.h"

namespace idrova {

namespace {

constexpr const char* kNone = "---";

std::string WheelName(int wheel) { return "NO " + std::to_string(wheel + 1); }

std::string Length(double mm) { return FormatFloat("###0.##", mm); }

std::string Count(std::optional<std::int32_t> count) {
  return count ? IntToStr(*count) : std::string(kNone);
}

void AddWheels(const DriveState& state, const DesignCheck& check, std::vector<SheetRow>& rows) {
  rows.push_back({{"車", "X (mm)", "Y (mm)", "歯数", "直径 (mm)", "巻付角 (°)", "噛合歯数"}, true});
  for (int i = 0; i < 3; ++i) {
    const WheelMesh& mesh = check.Wheel[i];
    rows.push_back(
        {{WheelName(i), Length(state.Wheel[i].X), Length(state.Wheel[i].Y),
          FormatFloat("###0.##", state.Teeth[i]), FormatFloat("##0.##", 2 * state.Wheel[i].Radius),
          check.Valid ? FormatFloat("###0.#", mesh.WrapDegrees) : kNone,
          check.Valid ? IntToStr(mesh.TeethInMesh) : kNone}});
  }
}

void AddSpans(const DriveState& state, bool chain, std::vector<SheetRow>& rows) {
  FreeSpan spans[4];
  const int count = FreeSpans(state, spans);
  if (count == 0) return;
  SheetRow heading{{"区間", "から", "まで", "長さ (mm)"}, true};
  if (!chain) heading.Cells.emplace_back("たわみ (mm)");
  rows.push_back(heading);
  for (int i = 0; i < count; ++i) {
    const FreeSpan& span = spans[i];
    SheetRow row{{"スパン", WheelName(span.From), WheelName(span.To), Length(span.Length)}};
    if (!chain) row.Cells.push_back(Length(span.Length * kDeflectionPerSpanLength));
    rows.push_back(row);
  }
}

void AddChain(const DriveState& state, bool valid, std::vector<SheetRow>& rows) {
  const double links = ChainLinks(state, state.Teeth, state.Pitch);
  if (valid && std::isfinite(links)) {
    // The links to order are counted from the links as shown, to two
    // decimals: chain makers' published centres give a whole count there,
    // which the pitch polygon meets only to a few thousandths of a link.
    const std::string shown = FormatFloat("###0.00", links);
    rows.push_back({{"リンク数", shown}});
    rows.push_back({{"注文リンク数", Count(LinksToOrder(StrToFloat(shown)))}});
  } else {
    rows.push_back({{"リンク数", kNone}});
    rows.push_back({{"注文リンク数", kNone}});
  }
  const ChainTightResult& tight = state.ChainTight;
  if (!tight.Searched || tight.UnknownKind != state.UnknownKind) return;
  const char* axis = tight.UnknownKind == 1 ? "NO 3 の X" : "NO 3 の Y";
  if (tight.Found) {
    rows.push_back({{"張る位置", Length(tight.Coordinate), axis}});
  } else {
    const char* warning = WarningText(tight.Warning);
    rows.push_back({{"張る位置", kNone, warning != nullptr ? warning : ""}});
  }
}

}  // namespace

std::vector<SheetRow> DesignSheetRows(const DriveState& state, std::string_view typeName) {
  const DesignCheck check = CheckDesign(state);
  const bool chain = IsChainDrive(state);
  const bool searching = state.UnknownKind == 1 || state.UnknownKind == 2;
  std::vector<SheetRow> rows;
  rows.push_back({{"種類", std::string(typeName)}});
  rows.push_back({{"ピッチ", FormatFloat("##0.###", state.Pitch)}});
  if (state.BeltType == kFreeTypeCode)
    rows.push_back(
        {{"車の規則", state.FreeTypeIsBelt ? "ベルト用プーリ" : "チェーン用スプロケット"}});
  AddWheels(state, check, rows);
  if (check.Valid) AddSpans(state, chain, rows);
  rows.push_back({{"ベルト長さ", Length(state.BeltLength)}});
  if (state.Pitch != 0.0) rows.push_back({{"歯数", Count(ShownBeltTeeth(state))}});
  rows.push_back({{"最短", Length(state.MinBeltLength)}});
  if (!check.Valid) rows.push_back({{"実際のベルト長さ", Length(check.TightLength)}});
  if (searching) rows.push_back({{"指定長さ", FormatFloat("###0.###", state.SpecifiedLength)}});
  if (chain) AddChain(state, check.Valid, rows);
  for (const std::string& caution : check.Cautions) rows.push_back({{"注意", caution}});
  return rows;
}

std::string DesignSheetText(std::span<const SheetRow> rows) {
  std::string text;
  for (const SheetRow& row : rows) {
    for (std::size_t i = 0; i < row.Cells.size(); ++i) {
      if (i > 0) text += '\t';
      text += row.Cells[i];
    }
    text += '\n';
  }
  return text;
}

}  // namespace idrova
