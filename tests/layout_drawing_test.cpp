// SPDX-License-Identifier: MIT
// Layout picture: exact pixels of wheel boxes and spans, drawing order and pens, bad values.
#include "draw/layout_drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "recording_canvas.h"

namespace idrova {
namespace {

constexpr Rgb kRed{255, 0, 0}, kBlue{0, 0, 255}, kGreen{0, 128, 0}, kBlack{0, 0, 0};

DriveState Picture(double scale) {
  DriveState state;
  std::tie(state.OriginX, state.OriginY, state.Scale) = std::tuple(50, 300, scale);
  return state;
}

TEST(DrawWheelCircleTest, IsOneFullArcInItsRoundedBox) {
  // name, centre x and y, radius; the box left, top, right, bottom at scale 1.
  const std::tuple<const char*, double, double, double, Px, Px, Px, Px> rows[] = {
      {"radius 0.2 gives an empty box", 10, 20, 0.2, 60, 280, 60, 280},
      {"left -2.5 rounds up", -1.5, 0, 1, 48, 299, 50, 301},
      {"left 2.5 rounds up", 3.5, 0, 1, 53, 299, 55, 301},
      {"top -2.5 rounds up", 0, -3.5, 1, 49, 302, 51, 304},
      // Rounding the centre would give (50, 300) for the corner; rounding x + r, right 52.
      {"box placed from its corner", 0.6, -0.6, 1.4, 49, 299, 51, 301},
  };
  for (const auto& [name, x, y, radius, l, t, r, b] : rows) {
    RecordingCanvas canvas;
    DrawWheelCircle(Picture(1), canvas, x, y, radius);
    EXPECT_EQ(canvas.Calls, (CanvasCalls{{"Arc", {l, t, r, b, l, t, l, t}, canvas.Pen}})) << name;
  }
}

TEST(DrawSpanLineTest, MovesToTheStartAndDrawsToTheEnd) {
  constexpr Px kSquare = Px{1} << 40;  // far spans are cut to |x|, |y| <= 2^40
  const std::tuple<const char*, double, PolarVector, PolarVector, Px, Px, Px, Px> rows[] = {
      {"(3, 4) at scale 2", 2, {10, 0}, FromCartesian(3, 4), 70, 300, 76, 292},
      {"zero span ends on its start: no mark", 1, {10, 0}, {0, 0}, 60, 300, 60, 300},
      {"end rounded from rounded start", 1, {1.4, 0}, {1.2, 0}, 51, 300, 52, 300},
      {"halves round up", 1, {2.5, kPi}, {2.5, kPi}, 48, 300, 46, 300},
      {"far end cut at the 2^40 square", 1, {10, 0}, {1e17, 0}, 60, 300, kSquare, 300},
      {"far end up 45°, cut", 1, {10, 0}, {1.5e17, kPi / 4}, 60, 300, kSquare, 360 - kSquare},
  };
  for (const auto& [name, scale, start, span, x1, y1, x2, y2] : rows) {
    RecordingCanvas canvas;
    DrawSpanLine(Picture(scale), canvas, start, span);
    const CanvasCalls line = {{"MoveTo", {x1, y1}, canvas.Pen}, {"LineTo", {x2, y2}, canvas.Pen}};
    EXPECT_EQ(canvas.Calls, line) << name;
  }
}

// Row 1 is the whole picture: fill, wheels in their pens, spans in slot order 0, 2, 1, 3. A
// non-finite value drops only the calls it reaches (indices into `all`, last first).
TEST(DrawLayoutTest, DrawsEachElementWithItsPenAndSkipsOnlyNonFiniteOnes) {
  // The belt on both sides of wheel 3, contacts above and below the centres: a swapped pair shows.
  DriveState layout = Picture(1);
  layout.Wheel[0] = {10, 20, 10};
  layout.Wheel[1] = {230, 20, 10};
  layout.Wheel[2] = {110, 20, 30};
  static_cast<BeltPath&>(layout) = {{{10, kPi / 2}, {10, -kPi / 2}},
                                    {{30, kPi / 2}, {30, -kPi / 2}},
                                    {FromCartesian(100, 20), FromCartesian(120, -20),
                                     FromCartesian(100, -20), FromCartesian(120, 20)}};
  // clang-format off
  const CanvasCalls all = {
      {"FillRect", {0, 0, 350, 400}, {}},
      {"Arc", {50, 270, 70, 290, 50, 270, 50, 270}, kRed},
      {"Arc", {270, 270, 290, 290, 270, 270, 270, 270}, kBlue},
      {"Arc", {130, 250, 190, 310, 130, 250, 130, 250}, kGreen},
      {"MoveTo", {60, 270}, kBlack}, {"LineTo", {160, 250}, kBlack},
      {"MoveTo", {60, 290}, kBlack}, {"LineTo", {160, 310}, kBlack},
      {"MoveTo", {160, 250}, kBlack}, {"LineTo", {280, 270}, kBlack},
      {"MoveTo", {160, 310}, kBlack}, {"LineTo", {280, 290}, kBlack}};
  // clang-format on
  const std::tuple<const char*, void (*)(DriveState&), std::vector<int>> rows[] = {
      {"all finite", [](DriveState&) {}, {}},
      {"nan centre of wheel 1", [](DriveState& s) { s.Wheel[0].Y = NAN; }, {7, 6, 5, 4, 1}},
      {"nan length of span 1", [](DriveState& s) { s.Span[1].Length = NAN; }, {9, 8}},
  };
  for (const auto& [name, spoil, skipped] : rows) {
    DriveState state = layout;
    spoil(state);
    CanvasCalls expected = all;
    for (int i : skipped) expected.erase(expected.begin() + i);
    RecordingCanvas canvas;
    DrawLayout(state, canvas);
    EXPECT_EQ(canvas.Calls, expected) << name;
  }
}

}  // namespace
}  // namespace idrova
