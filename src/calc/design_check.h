// SPDX-License-Identifier: MIT
// The design check of a belt path: how much belt each wheel carries (wrap
// angle) and how many teeth are in mesh, and a caution when a working wheel
// falls short of what belt and chain makers ask for: at least 6 teeth in
// mesh and 60 degrees of wrap on a loaded synchronous-belt pulley, at least
// 120 degrees of wrap on a loaded sprocket. The tensioner carries no load and
// is not checked. A chain ordered by a requested length of an odd number of
// links needs an offset link, which chain makers derate: that is a caution too.
#pragma once

#include <string>
#include <vector>

#include "model/drive_state.h"

namespace idrova {

inline constexpr int kMinTeethInMesh = 6;
inline constexpr double kMinBeltWrapDegrees = 60.0;
inline constexpr double kMinChainWrapDegrees = 120.0;

inline constexpr const char* kReferenceLengthPrefix = "参考: 実際のベルト長さ ";

struct WheelMesh {
  double WrapDegrees = 0.0;  // belt wrapped on the wheel, degrees
  int TeethInMesh = 0;       // whole teeth within the wrap
};

struct DesignCheck {
  // False when the layout check finds the belt length not the real belt of
  // the layout, or the wrap angles do not add up to one full turn; the wheel
  // figures then describe no real belt.
  bool Valid = true;
  WheelMesh Wheel[3];
  double TightLength = 0.0;  // the real belt round the three pitch circles, mm
  // Every caution that applies, in order: NO 1's shortfalls (teeth in mesh,
  // then wrap), NO 2's (for a valid layout only), then the odd chain.
  // Caution is the first of them, or empty.
  std::vector<std::string> Cautions;
  std::string Caution;
};

inline constexpr const char* kOddLinksCaution = "注意! 奇数リンク: オフセットリンクが必要";

// Teeth of a wheel within `turn` radians of wrap: the whole part of the wrap's
// share of the tooth count; a share within 1e-9 of a whole number counts as
// that number. Never below 0 or above the tooth count.
int TeethInMesh(double turn, double teeth);

// True when the drive is a chain searched for a tensioner coordinate (X3 or
// Y3) and its requested length is an odd whole number of links.
bool RequestsOddLinks(const DriveState& state);

// The check of the path last computed into `state`.
DesignCheck CheckDesign(const DriveState& state);

// What the caution line shows: the first caution, or for a layout that is
// not valid the real belt length for reference.
std::string DesignCheckLine(const DesignCheck& check);

}  // namespace idrova
