// SPDX-License-Identifier: MIT
// Tests of the belt loop drawn into DXF: over the four cases and random
// layouts the pieces join end to end, every arc runs on its wheel from its
// start to its end point, every line is as long as its span, and the pieces
// add up to the belt length.
#include "export/dxf_export.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <random>
#include <string>

#include "geometry/tangents.h"
#include "model/drive_state.h"

namespace idrova {
namespace {

constexpr double kToleranceMm = 1e-6;
constexpr double kR20 = 25.464790894703256;  // 20 teeth of S8M
constexpr double kR10 = 12.732395447351628;  // 10 teeth

DriveState Computed(const WheelCircle (&wheels)[3]) {
  DriveState state;
  ApplyStartValues(state);
  for (int i = 0; i < 3; ++i) state.Wheel[i] = wheels[i];
  ComputeBeltPath(state);
  return state;
}

// Checks the loop; returns the number of arcs on each wheel.
std::array<int, 3> ExpectClosedLoop(const DriveState& state, const std::string& name) {
  const std::vector<BeltPiece> pieces = BeltLoopPieces(state);
  std::array<int, 3> arcs = {0, 0, 0};
  double scale = 1.0;
  for (const WheelCircle& wheel : state.Wheel)
    scale = std::fmax(scale, std::fabs(wheel.X) + std::fabs(wheel.Y) + wheel.Radius);
  const double closeness = 1e-9 * scale;
  double total = 0.0;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    const BeltPiece& piece = pieces[k];
    const BeltPiece& next = pieces[(k + 1) % pieces.size()];
    EXPECT_NEAR(piece.EndX, next.StartX, closeness) << name << " piece " << k;
    EXPECT_NEAR(piece.EndY, next.StartY, closeness) << name << " piece " << k;
    total += piece.Length;
    if (!piece.IsArc) {
      EXPECT_NEAR(std::hypot(piece.EndX - piece.StartX, piece.EndY - piece.StartY), piece.Length,
                  closeness)
          << name << " line " << k;
      continue;
    }
    ++arcs[piece.Wheel];
    const WheelCircle& wheel = state.Wheel[piece.Wheel];
    EXPECT_EQ(piece.Radius, wheel.Radius) << name;
    EXPECT_GT(piece.Turn, 0.0) << name;
    EXPECT_LT(piece.Turn, kTwoPi) << name;
    EXPECT_NEAR(piece.Length, piece.Turn * wheel.Radius, kToleranceMm) << name;
    const double end = piece.StartAngle + piece.Turn;
    EXPECT_NEAR(wheel.X + wheel.Radius * std::cos(piece.StartAngle), piece.StartX, closeness)
        << name << " arc " << k;
    EXPECT_NEAR(wheel.Y + wheel.Radius * std::sin(piece.StartAngle), piece.StartY, closeness)
        << name << " arc " << k;
    EXPECT_NEAR(wheel.X + wheel.Radius * std::cos(end), piece.EndX, closeness)
        << name << " arc " << k;
    EXPECT_NEAR(wheel.Y + wheel.Radius * std::sin(end), piece.EndY, closeness)
        << name << " arc " << k;
  }
  EXPECT_NEAR(total, state.BeltLength, kToleranceMm) << name;
  return arcs;
}

TEST(BeltLoop, EachCaseWrapsItsWheels) {
  const WheelCircle wheel1{0, 0, kR20}, wheel2{150, 100, kR20};
  const struct {
    const char* name;
    WheelCircle tensioner;
    PathCase pathCase;
    std::array<int, 3> arcs;
  } rows[] = {
      {"design layout", {70, 10, kR10}, PathCase::C, {1, 1, 1}},
      {"tensioner left", {60, 90, kR10}, PathCase::A, {1, 1, 1}},
      {"tensioner inside the loop", {75, 50, kR10}, PathCase::B, {1, 1, 0}},
      {"big tensioner wrapped twice", {75, 50, 40}, PathCase::D, {1, 1, 2}},
  };
  for (const auto& row : rows) {
    const DriveState state = Computed({wheel1, wheel2, row.tensioner});
    ASSERT_EQ(state.Case, row.pathCase) << row.name;
    EXPECT_EQ(ExpectClosedLoop(state, row.name), row.arcs) << row.name;
    EXPECT_EQ(BeltLoopPieces(state).size(), 2 * (row.arcs[0] + row.arcs[1] + row.arcs[2]))
        << row.name;
  }
}

TEST(BeltLoop, RandomLayoutsCloseAndAddUpToTheBeltLength) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> place(-500.0, 500.0);
  std::uniform_int_distribution<int> teeth(10, 200);
  int cases[4] = {0, 0, 0, 0};
  for (int n = 0; n < 5000; ++n) {
    WheelCircle wheels[3];
    for (WheelCircle& wheel : wheels) wheel = {place(random), place(random), teeth(random) * 0.4};
    // Where one wheel lies inside another there is no belt to draw.
    bool apart = true;
    for (int i = 0; i < 3; ++i) {
      const WheelCircle& a = wheels[i];
      const WheelCircle& b = wheels[(i + 1) % 3];
      apart = apart && OuterTangentSegments(a.X, a.Y, a.Radius, b.X, b.Y, b.Radius).Relation >
                           kInsideTouching;
    }
    if (!apart) continue;
    const DriveState state = Computed(wheels);
    ++cases[static_cast<int>(state.Case)];
    ExpectClosedLoop(state, "layout " + std::to_string(n));
    if (HasFailure()) return;
  }
  for (const int count : cases) EXPECT_GT(count, 0);
}

TEST(BeltLoop, NoPathNoPieces) {
  DriveState state;
  ApplyStartValues(state);
  state.WindingMode = 1;
  state.Wheel[0] = {0, 0, kR20};
  state.Wheel[1] = {150, 100, kR20};
  state.Wheel[2] = {70, 10, kR10};
  ComputeBeltPath(state);
  EXPECT_TRUE(BeltLoopPieces(state).empty());
}

// Regression guard: numbers keep a point where the locale writes a comma.
TEST(DxfText, NumbersIgnoreTheLocale) {
  const DriveState state = Computed({{0.5, 0, kR20}, {150, 100.25, kR20}, {70, 10, kR10}});
  const std::string inC = DxfOfDrive(state);
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
    if (!std::setlocale(LC_ALL, name)) continue;
    const std::string inLocale = DxfOfDrive(state);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(inLocale, inC) << name;
  }
  EXPECT_NE(inC.find("\n0.5\n"), std::string::npos);
  EXPECT_EQ(inC.find(','), std::string::npos);
}

}  // namespace
}  // namespace idrova
