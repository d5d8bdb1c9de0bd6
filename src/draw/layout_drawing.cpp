// SPDX-License-Identifier: MIT
// The layout picture: background, wheel outlines and belt spans on a Canvas.
#include "draw/layout_drawing.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace idrova {

namespace {

// Pixel values are turned into integers, and handed to the canvas, only
// below this magnitude: every whole number below 2^53 is exact in a double,
// and a double sum of whole numbers that stays below it is exact too.
constexpr double kMaxPixel = 9007199254740992.0;  // 2^53
constexpr std::int64_t kMaxPixelInt = std::int64_t{1} << 53;

// A span whose end points lie beyond kMaxPixel (a tensioner far outside any
// sensible layout) is cut to this square before conversion, so the part of
// it that crosses the picture is still drawn.
constexpr double kClipPixel = 1099511627776.0;  // 2^40

// Scaled distance in pixels, rounded half up: exact halves go toward +inf.
double RoundHalfUp(double value) { return std::floor(value + 0.5); }

// False for NaN and infinities as well as for values too large to place.
bool IsPlaceable(double value) { return std::fabs(value) < kMaxPixel; }

bool ArePlaceable(std::initializer_list<double> values) {
  for (const double value : values) {
    if (!IsPlaceable(value)) return false;
  }
  return true;
}

bool ArePlaceable(std::initializer_list<std::int64_t> values) {
  for (const std::int64_t value : values) {
    if (value <= -kMaxPixelInt || value >= kMaxPixelInt) return false;
  }
  return true;
}

// Only for values already checked with IsPlaceable and rounded to whole pixels.
std::int64_t ToPixel(double wholePixels) { return static_cast<std::int64_t>(wholePixels); }

struct PixelPoint {
  double X = 0.0;
  double Y = 0.0;
};

struct ClippedSegment {
  PixelPoint From;
  PixelPoint To;
};

// The part of the segment from `from` to `to` (= from + delta) that lies in
// the square |x|, |y| <= kClipPixel, by Liang-Barsky on `from` and `delta`,
// so an end that overflowed to infinity is still handled. An end that has to
// move is put on the square's edge, its crossing coordinate set to the edge
// exactly; an end inside the square is returned as given and keeps its
// exact value. Empty when no part of the segment lies inside.
std::optional<ClippedSegment> ClipToSquare(PixelPoint from, PixelPoint to, PixelPoint delta) {
  enum Edge { kNone, kMinX, kMaxX, kMinY, kMaxY };
  struct Boundary {
    double P;  // rate at which the point moves toward the outside of this edge
    double Q;  // distance of `from` inside this edge
    Edge Which;
  };
  const Boundary boundaries[4] = {
      {-delta.X, from.X + kClipPixel, kMinX},
      {delta.X, kClipPixel - from.X, kMaxX},
      {-delta.Y, from.Y + kClipPixel, kMinY},
      {delta.Y, kClipPixel - from.Y, kMaxY},
  };
  double tEnter = 0.0;
  double tLeave = 1.0;
  Edge enterEdge = kNone;
  Edge leaveEdge = kNone;
  for (const Boundary& b : boundaries) {
    if (b.P == 0.0) {
      if (b.Q < 0.0) return std::nullopt;  // parallel to the edge and outside it
      continue;
    }
    const double t = b.Q / b.P;
    if (b.P < 0.0) {
      if (t > tLeave) return std::nullopt;
      if (t > tEnter) {
        tEnter = t;
        enterEdge = b.Which;
      }
    } else {
      if (t < tEnter) return std::nullopt;
      if (t < tLeave) {
        tLeave = t;
        leaveEdge = b.Which;
      }
    }
  }
  const auto pointAt = [&](double t, Edge edge) {
    PixelPoint p{from.X + t * delta.X, from.Y + t * delta.Y};
    if (edge == kMinX) p.X = -kClipPixel;
    if (edge == kMaxX) p.X = kClipPixel;
    if (edge == kMinY) p.Y = -kClipPixel;
    if (edge == kMaxY) p.Y = kClipPixel;
    return p;
  };
  return ClippedSegment{enterEdge == kNone ? from : pointAt(tEnter, enterEdge),
                        leaveEdge == kNone ? to : pointAt(tLeave, leaveEdge)};
}

}  // namespace

void ClearPicture(Canvas& canvas) { canvas.FillRect(0, 0, kPictureWidth, kPictureHeight); }

void DrawWheelCircle(const DriveState& state, Canvas& canvas, double x, double y, double radius) {
  // The box is placed from its own rounded top-left corner and is twice the
  // rounded pixel radius across, so an outline always spans an even number
  // of pixels wherever the wheel stands.
  const double leftOffset = RoundHalfUp((x - radius) * state.Scale);
  const double topOffset = RoundHalfUp((y + radius) * state.Scale);
  const double pixelRadius = RoundHalfUp(radius * state.Scale);
  if (!ArePlaceable({leftOffset, topOffset, pixelRadius})) return;

  const std::int64_t left = state.OriginX + ToPixel(leftOffset);
  const std::int64_t top = state.OriginY - ToPixel(topOffset);
  const std::int64_t diameter = 2 * ToPixel(pixelRadius);
  const std::int64_t right = left + diameter;
  const std::int64_t bottom = top + diameter;
  if (!ArePlaceable({left, top, right, bottom})) return;

  // Equal start and end points: the canvas draws the whole circle.
  canvas.Arc(left, top, right, bottom, left, top, left, top);
}

void DrawSpanLine(const DriveState& state, Canvas& canvas, PolarVector start, PolarVector span) {
  // The end is rounded relative to the rounded start, so the line's pixel
  // extent is the span's own rounded extent.
  const double startX = RoundHalfUp(start.Length * state.Scale * std::cos(start.Angle));
  const double startY = RoundHalfUp(start.Length * state.Scale * std::sin(start.Angle));
  const double spanX = RoundHalfUp(span.Length * state.Scale * std::cos(span.Angle));
  const double spanY = RoundHalfUp(span.Length * state.Scale * std::sin(span.Angle));
  if (!std::isfinite(startX) || !std::isfinite(startY) || !std::isfinite(spanX) ||
      !std::isfinite(spanY)) {
    return;
  }

  // Whole-pixel end points: sums of whole numbers, exact while every
  // partial sum stays below kMaxPixel.
  const double endX = startX + spanX;
  const double endY = startY + spanY;
  const PixelPoint from{state.OriginX + startX, state.OriginY - startY};
  const PixelPoint to{state.OriginX + endX, state.OriginY - endY};

  // A zero span (an empty slot of the path) still moves and draws to its own
  // start point; the canvas leaves the end pixel out, so it makes no mark.
  if (ArePlaceable({endX, endY, from.X, from.Y, to.X, to.Y})) {
    canvas.MoveTo(ToPixel(from.X), ToPixel(from.Y));
    canvas.LineTo(ToPixel(to.X), ToPixel(to.Y));
    return;
  }

  const std::optional<ClippedSegment> clipped = ClipToSquare(from, to, {spanX, -spanY});
  if (!clipped) return;
  const PixelPoint a{RoundHalfUp(clipped->From.X), RoundHalfUp(clipped->From.Y)};
  const PixelPoint b{RoundHalfUp(clipped->To.X), RoundHalfUp(clipped->To.Y)};
  if (!ArePlaceable({a.X, a.Y, b.X, b.Y})) return;
  canvas.MoveTo(ToPixel(a.X), ToPixel(a.Y));
  canvas.LineTo(ToPixel(b.X), ToPixel(b.Y));
}

void DrawLayout(const DriveState& state, Canvas& canvas) {
  const PolarVector centre1 = Between(0.0, 0.0, state.Wheel[0].X, state.Wheel[0].Y);
  const PolarVector centre3 = Between(0.0, 0.0, state.Wheel[2].X, state.Wheel[2].Y);

  ClearPicture(canvas);

  // Each group sets its own pen colour, so nothing depends on what an
  // earlier drawing left.
  canvas.SetPenColor(kWheel1Pen);
  DrawWheelCircle(state, canvas, state.Wheel[0].X, state.Wheel[0].Y, state.Wheel[0].Radius);
  canvas.SetPenColor(kWheel2Pen);
  DrawWheelCircle(state, canvas, state.Wheel[1].X, state.Wheel[1].Y, state.Wheel[1].Radius);
  canvas.SetPenColor(kWheel3Pen);
  DrawWheelCircle(state, canvas, state.Wheel[2].X, state.Wheel[2].Y, state.Wheel[2].Radius);

  // Every span runs from a contact point, given relative to its wheel's
  // centre, along the span vector. Slots the path case leaves empty hold a
  // zero span and leave no mark, so their contact points do not matter.
  canvas.SetPenColor(kSpanPen);
  DrawSpanLine(state, canvas, centre1 + state.Wheel1Tangent[0], state.Span[0]);
  DrawSpanLine(state, canvas, centre1 + state.Wheel1Tangent[1], state.Span[2]);
  DrawSpanLine(state, canvas, centre3 + state.Wheel3Tangent[0], state.Span[1]);
  DrawSpanLine(state, canvas, centre3 + state.Wheel3Tangent[1], state.Span[3]);
}

double ScaleForZoomPosition(int position) {
  // position x 0.1 as the double nearest to position / 10: position 10 is
  // exactly 1.0, and 3 gives 0.3, where a double product with 0.1 would be
  // one unit in the last place above it.
  return position / 10.0;
}

}  // namespace idrova
