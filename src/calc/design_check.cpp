// SPDX-License-Identifier: MIT
// The design check: wrap angles, teeth in mesh and the caution.
#include "calc/design_check.h"

#include <cmath>
#include <numbers>

#include "calc/belt_teeth.h"
#include "calc/layout_check.h"
#include "geometry/hull.h"
#include "text/number_text.h"

namespace idrova {

namespace {
// The wrap angles of one belt loop add up to a full turn: 1e-9 degrees.
constexpr double kFullTurnTolerance = 1e-9 * std::numbers::pi / 180.0;

// Every shortfall of a loaded wheel, teeth in mesh first: a belt pulley can
// fall short of both at once.
void AddWheelCautions(int wheel, const WheelMesh& mesh, bool chain,
                      std::vector<std::string>& cautions) {
  const std::string who = "注意! NO " + std::to_string(wheel + 1);
  if (!chain) {
    if (mesh.TeethInMesh < kMinTeethInMesh) cautions.push_back(who + " の噛合歯数が6未満です");
    if (mesh.WrapDegrees < kMinBeltWrapDegrees) cautions.push_back(who + " の巻付角が60°未満です");
  } else if (mesh.WrapDegrees < kMinChainWrapDegrees) {
    cautions.push_back(who + " の巻付角が120°未満です");
  }
}
}  // namespace

// A share of the tooth count within the whole-count tolerance of a whole
// number is that number: the turns carry rounding from the trigonometry, a
// tooth count does not.
int TeethInMesh(double turn, double teeth) {
  const double share = turn / (2.0 * std::numbers::pi) * teeth;
  if (!std::isfinite(share) || share <= 0.0) return 0;
  const double count = std::floor(SnapToWhole(share));
  const double most = std::isfinite(teeth) ? std::floor(teeth) : 0.0;
  return static_cast<int>(std::fmax(0.0, std::fmin(count, std::fmin(most, 1e9))));
}

DesignCheck CheckDesign(const DriveState& state) {
  DesignCheck check;
  for (int i = 0; i < 3; ++i) {
    check.Wheel[i].WrapDegrees = state.WheelTurn[i] * (180.0 / std::numbers::pi);
    check.Wheel[i].TeethInMesh = TeethInMesh(state.WheelTurn[i], state.Teeth[i]);
  }
  // Far beyond any real drive (a wheel 1e100 mm away) the length check
  // cannot tell the computed path from the real belt while the path's turns
  // no longer make one loop: such figures describe no belt either.
  const double total = state.WheelTurn[0] + state.WheelTurn[1] + state.WheelTurn[2];
  check.Valid =
      BeltPathFitsLayout(state) && std::fabs(total - 2.0 * std::numbers::pi) <= kFullTurnTolerance;
  if (!check.Valid) {
    check.TightLength = TightBeltLength(state.Wheel);
  } else {
    for (int i = 0; i < 2; ++i)
      AddWheelCautions(i, check.Wheel[i], IsChainDrive(state), check.Cautions);
  }
  if (RequestsOddLinks(state)) check.Cautions.emplace_back(kOddLinksCaution);
  if (!check.Cautions.empty()) check.Caution = check.Cautions.front();
  return check;
}

bool RequestsOddLinks(const DriveState& state) {
  return IsChainDrive(state) && (state.UnknownKind == 1 || state.UnknownKind == 2) &&
         state.Pitch != 0.0 && IsOddWholeCount(state.SpecifiedLength / state.Pitch);
}

std::string DesignCheckLine(const DesignCheck& check) {
  if (!check.Valid) return kReferenceLengthPrefix + FormatFloat("###0.##", check.TightLength);
  return check.Caution;
}

}  // namespace idrova
