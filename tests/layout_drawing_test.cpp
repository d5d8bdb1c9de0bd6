// Layout picture: exact pixels of wheels and spans, drawing order and pens, zoom, bad values.
#include "draw/layout_drawing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "recording_canvas.h"

namespace idrova {
namespace {

constexpr double kRadius20Teeth = 25.464790894703256;  // 20 teeth at pitch 8 mm
constexpr double kRadius10Teeth = 12.732395447351628;  // 10 teeth at pitch 8 mm
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kUp = kPi / 2;
constexpr std::int64_t kClip = std::int64_t{1} << 40;  // far spans are cut to this square
constexpr std::int64_t kTera = 1'000'000'000'000;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kBlack{0, 0, 0};

DriveState PictureState(double scale, std::int32_t originX = 50, std::int32_t originY = 300) {
  DriveState state;
  state.OriginX = originX;
  state.OriginY = originY;
  state.Scale = scale;
  return state;
}

template <class Row>
std::string RowName(const testing::TestParamInfo<Row>& info) {
  return info.param.Name;
}

// ---- DrawWheelCircle ----

struct WheelRow {
  const char* Name;
  double X, Y, Radius, Scale;
  std::int32_t OriginX, OriginY;
  std::int64_t Left, Top, Right, Bottom;
};

class WheelBox : public testing::TestWithParam<WheelRow> {};

TEST_P(WheelBox, IsOneFullArcInTheRoundedBox) {
  const WheelRow& row = GetParam();
  RecordingCanvas canvas;
  DrawWheelCircle(PictureState(row.Scale, row.OriginX, row.OriginY), canvas, row.X, row.Y,
                  row.Radius);
  const std::vector<CanvasCall> expected{
      {CanvasOp::Arc,
       {row.Left, row.Top, row.Right, row.Bottom, row.Left, row.Top, row.Left, row.Top},
       kStartPen}};
  EXPECT_EQ(canvas.Calls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, WheelBox,
    testing::Values(
        WheelRow{"design_wheel_2", 150, 100, kRadius20Teeth, 1.0, 50, 300, 175, 175, 225, 225},
        WheelRow{"design_wheel_1_at_origin", 0, 0, kRadius20Teeth, 1.0, 50, 300, 25, 275, 75, 325},
        WheelRow{"design_wheel_3", 70, 10, kRadius10Teeth, 1.0, 50, 300, 107, 277, 133, 303},
        WheelRow{"wheel_2_at_zoom_20", 150, 100, kRadius20Teeth, ScaleForZoomPosition(20), 50, 300,
                 299, 49, 401, 151},
        WheelRow{"wheel_3_at_zoom_1", 70, 10, kRadius10Teeth, ScaleForZoomPosition(1), 50, 300, 56,
                 298, 58, 300},
        WheelRow{"radius_0_2_empty_box", 10, 20, 0.2, 1.0, 50, 300, 60, 280, 60, 280},
        WheelRow{"left_half_minus_2_5_goes_up", -1.5, 0, 1, 1.0, 50, 300, 48, 299, 50, 301},
        WheelRow{"left_half_2_5_goes_up", 3.5, 0, 1, 1.0, 50, 300, 53, 299, 55, 301},
        WheelRow{"top_half_minus_2_5_goes_up", 0, -3.5, 1, 1.0, 50, 300, 49, 302, 51, 304},
        // Rounding the centre would give left 50; rounding x + r would give right 52.
        WheelRow{"box_from_corner_not_centre", 0.6, 0, 1.4, 1.0, 50, 300, 49, 299, 51, 301},
        // 2 * round(2.6) = 6, where round(2 * 2.6) would be 5.
        WheelRow{"diameter_twice_rounded_radius", 0, 0, 2.6, 1.0, 50, 300, 47, 297, 53, 303},
        WheelRow{"other_origin", 150, 100, kRadius20Teeth, 1.0, 7, 11, 132, -114, 182, -64},
        WheelRow{"radius_1e12_stays_exact", 0, 0, 1e12, 1.0, 50, 300, 50 - kTera, 300 - kTera,
                 50 + kTera, 300 + kTera}),
    RowName<WheelRow>);

struct BadWheelRow {
  const char* Name;
  double X, Y, Radius, Scale;
};

class BadWheel : public testing::TestWithParam<BadWheelRow> {};

// Guards the float-to-integer conversion of NaN or out-of-range values.
TEST_P(BadWheel, IsSkipped) {
  const BadWheelRow& row = GetParam();
  RecordingCanvas canvas;
  DrawWheelCircle(PictureState(row.Scale), canvas, row.X, row.Y, row.Radius);
  EXPECT_TRUE(canvas.Calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    NotPlaceable, BadWheel,
    testing::Values(BadWheelRow{"nan_radius", 150, 100, kNaN, 1.0},
                    BadWheelRow{"infinite_radius", 150, 100, kInf, 1.0},
                    BadWheelRow{"nan_x", kNaN, 100, 10, 1.0},
                    BadWheelRow{"nan_scale", 150, 100, 10, kNaN},
                    BadWheelRow{"radius_1e16_beyond_pixel_range", 0, 0, 1e16, 1.0},
                    // Every offset fits, but right = left + d passes 2^53.
                    BadWheelRow{"right_edge_beyond_pixel_range", 4.6e15, 0, 4.6e15, 1.0}),
    RowName<BadWheelRow>);

// ---- DrawSpanLine ----

struct SpanRow {
  const char* Name;
  double Scale;
  PolarVector Start, Span;
  std::int64_t X1, Y1, X2, Y2;
};

class SpanPixels : public testing::TestWithParam<SpanRow> {};

TEST_P(SpanPixels, MovesToStartAndDrawsToEnd) {
  const SpanRow& row = GetParam();
  RecordingCanvas canvas;
  DrawSpanLine(PictureState(row.Scale), canvas, row.Start, row.Span);
  const std::vector<CanvasCall> expected{{CanvasOp::MoveTo, {row.X1, row.Y1}, kStartPen},
                                         {CanvasOp::LineTo, {row.X2, row.Y2}, kStartPen}};
  EXPECT_EQ(canvas.Calls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, SpanPixels,
    testing::Values(
        SpanRow{"start_10_0_span_20_up", 1.0, {10, 0}, {20, kUp}, 60, 300, 60, 280},
        SpanRow{"zero_span_ends_on_its_start", 1.0, {10, 0}, {0, 0}, 60, 300, 60, 300},
        SpanRow{"model_y_grows_upward", 1.0, {10, kUp}, {5, -kUp}, 50, 290, 50, 295},
        SpanRow{"diagonal_3_4_5", 1.0, FromCartesian(3, 4), FromCartesian(-6, -8), 53, 296, 47,
                304},
        // Rounding the end from its model position would give 53.
        SpanRow{"end_rounded_from_rounded_start", 1.0, {1.4, 0}, {1.2, 0}, 51, 300, 52, 300},
        SpanRow{"halves_go_up_positive", 1.0, {2.5, 0}, {2.5, 0}, 53, 300, 56, 300},
        SpanRow{"halves_go_up_negative", 1.0, {2.5, kPi}, {2.5, kPi}, 48, 300, 46, 300},
        SpanRow{"zoom_20", ScaleForZoomPosition(20), {10, 0}, {20, kUp}, 70, 300, 70, 260},
        SpanRow{
            "tensioner_1e12_away_stays_exact", 1.0, {10, 0}, {1e12, kUp}, 60, 300, 60, 300 - kTera},
        // Beyond 2^53 pixels the line is cut to the 2^40 square; an end inside it stays exact.
        SpanRow{"far_end_cut_at_square", 1.0, {10, 0}, {1e17, 0}, 60, 300, kClip, 300},
        SpanRow{"far_start_cut_near_end_exact", 1.0, {1e17, 0}, {1e17, kPi}, kClip, 288, 50, 288},
        SpanRow{
            "crossing_picture_both_ends_cut", 1.0, {1e17, 0}, {2e17, kPi}, kClip, 288, -kClip, 288},
        // Where doubles no longer resolve the start, the cut end still sits on the square.
        SpanRow{
            "huge_start_cut_on_square_edge", 1.0, {1e300, 0}, {-1e300, 0}, kClip, 300, 50, 300}),
    RowName<SpanRow>);

struct BadSpanRow {
  const char* Name;
  double Scale;
  PolarVector Start, Span;
};

class BadSpan : public testing::TestWithParam<BadSpanRow> {};

TEST_P(BadSpan, IsSkipped) {
  const BadSpanRow& row = GetParam();
  RecordingCanvas canvas;
  DrawSpanLine(PictureState(row.Scale), canvas, row.Start, row.Span);
  EXPECT_TRUE(canvas.Calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    NotDrawable, BadSpan,
    testing::Values(BadSpanRow{"nan_start_angle", 1.0, {10, kNaN}, {20, 0}},
                    BadSpanRow{"infinite_span_length", 1.0, {10, 0}, {kInf, 0}},
                    BadSpanRow{"infinite_span_angle", 1.0, {10, 0}, {20, kInf}},
                    BadSpanRow{"far_line_outside_the_square", 1.0, {1e17, kUp}, {1e17, 0}}),
    RowName<BadSpanRow>);

// ---- DrawLayout ----

// A hand-made four-span path (tensioner pushing the belt out on both sides):
// wheels 1 (10, 20), 2 (230, 20), 3 (110, 20); contact points straight above
// and below the centres. Every vector differs, so a swapped pairing shows.
DriveState FourSpanLayout(double scale) {
  DriveState state = PictureState(scale);
  state.Wheel[0] = {10, 20, 10};
  state.Wheel[1] = {230, 20, 10};
  state.Wheel[2] = {110, 20, 30};
  state.Wheel1Tangent[0] = {10, kUp};
  state.Wheel1Tangent[1] = {10, -kUp};
  state.Wheel3Tangent[0] = {30, kUp};
  state.Wheel3Tangent[1] = {30, -kUp};
  state.Span[0] = FromCartesian(100, 20);   // wheel 1 top -> wheel 3 top
  state.Span[1] = FromCartesian(120, -20);  // wheel 3 top -> wheel 2 top
  state.Span[2] = FromCartesian(100, -20);  // wheel 1 bottom -> wheel 3 bottom
  state.Span[3] = FromCartesian(120, 20);   // wheel 3 bottom -> wheel 2 bottom
  return state;
}

// Drawn elements, as flags for the ones a bad value removes.
enum Element : unsigned {
  kWheel1 = 1,
  kWheel2 = 2,
  kWheel3 = 4,
  kLine1 = 8,
  kLine2 = 16,
  kLine3 = 32,
  kLine4 = 64,
  kEverything = 127
};

std::vector<CanvasCall> FourSpanCalls(unsigned skipped = 0) {
  std::vector<CanvasCall> calls{{CanvasOp::FillRect, {0, 0, 350, 400}, kStartPen}};
  Rgb pen = kStartPen;
  const auto setPen = [&](Rgb color) {
    pen = color;
    calls.push_back({CanvasOp::SetPenColor, {}, pen});
  };
  const auto arc = [&](Element e, std::int64_t l, std::int64_t t, std::int64_t d) {
    if (!(skipped & e)) calls.push_back({CanvasOp::Arc, {l, t, l + d, t + d, l, t, l, t}, pen});
  };
  const auto line = [&](Element e, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                        std::int64_t y2) {
    if (skipped & e) return;
    calls.push_back({CanvasOp::MoveTo, {x1, y1}, pen});
    calls.push_back({CanvasOp::LineTo, {x2, y2}, pen});
  };
  setPen(kRed);
  arc(kWheel1, 50, 270, 20);
  setPen(kBlue);
  arc(kWheel2, 270, 270, 20);
  setPen(kGreen);
  arc(kWheel3, 130, 250, 60);
  setPen(kBlack);
  line(kLine1, 60, 270, 160, 250);
  line(kLine2, 60, 290, 160, 310);
  line(kLine3, 160, 250, 280, 270);
  line(kLine4, 160, 310, 280, 290);
  return calls;
}

TEST(DrawLayout, ClearsThenDrawsEachGroupWithItsOwnPen) {
  RecordingCanvas canvas;
  DrawLayout(FourSpanLayout(1.0), canvas);
  EXPECT_EQ(canvas.Calls, FourSpanCalls());
  EXPECT_EQ(canvas.VisibleLines().size(), 4u);
}

TEST(DrawLayout, TensionerInsideTheBeltShowsExactlyTwoLines) {
  DriveState state = FourSpanLayout(1.0);
  state.Wheel[2] = {120, 20, 5};
  state.Span[0] = {220, 0};
  state.Span[2] = {220, 0};
  state.Span[1] = state.EmptySpan;
  state.Span[3] = state.EmptySpan;
  // Wheel3Tangent still holds the contact points of the earlier four-span path.
  RecordingCanvas canvas;
  DrawLayout(state, canvas);
  const std::vector<RecordedLine> expected{{60, 270, 280, 270, kBlack},
                                           {60, 290, 280, 290, kBlack}};
  EXPECT_EQ(canvas.VisibleLines(), expected);
  EXPECT_EQ(canvas.Lines().size(), 4u);
}

struct ZoomRow {
  const char* Name;
  int Position;
  std::int64_t Numerator, Denominator;  // pixel distances from the origin pixel scale by this
};

class LayoutZoom : public testing::TestWithParam<ZoomRow> {};

// The same calls as at position 10, every distance from the origin pixel
// (50, 300) scaled; the background fill is not scaled.
TEST_P(LayoutZoom, ScalesAboutTheFixedOriginPixel) {
  const ZoomRow& row = GetParam();
  std::vector<CanvasCall> expected = FourSpanCalls();
  for (CanvasCall& call : expected) {
    if (call.Op == CanvasOp::FillRect) continue;
    for (std::size_t i = 0; i < call.Args.size(); ++i) {
      const std::int64_t origin = i % 2 == 0 ? 50 : 300;
      const std::int64_t scaled = (call.Args[i] - origin) * row.Numerator;
      ASSERT_EQ(scaled % row.Denominator, 0) << "layout not exact at this zoom";
      call.Args[i] = origin + scaled / row.Denominator;
    }
  }
  RecordingCanvas canvas;
  DrawLayout(FourSpanLayout(ScaleForZoomPosition(row.Position)), canvas);
  EXPECT_EQ(canvas.Calls, expected);
}

INSTANTIATE_TEST_SUITE_P(Positions, LayoutZoom,
                         testing::Values(ZoomRow{"position_20_doubles", 20, 2, 1},
                                         ZoomRow{"position_5_halves", 5, 1, 2}),
                         RowName<ZoomRow>);

struct BadLayoutRow {
  const char* Name;
  std::function<void(DriveState&)> Spoil;
  unsigned Skipped;
};

class BadLayoutValue : public testing::TestWithParam<BadLayoutRow> {};

TEST_P(BadLayoutValue, SkipsOnlyTheAffectedElements) {
  const BadLayoutRow& row = GetParam();
  DriveState state = FourSpanLayout(1.0);
  row.Spoil(state);
  RecordingCanvas canvas;
  DrawLayout(state, canvas);
  EXPECT_EQ(canvas.Calls, FourSpanCalls(row.Skipped));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    NonFinite, BadLayoutValue,
    testing::Values(
        BadLayoutRow{"nan_radius_wheel_2",
                     [](DriveState& s) { s.Wheel[1].Radius = kNaN; }, kWheel2},
        BadLayoutRow{"infinite_centre_wheel_1",
                     [](DriveState& s) { s.Wheel[0].Y = kInf; }, kWheel1 | kLine1 | kLine2},
        BadLayoutRow{"nan_centre_wheel_3",
                     [](DriveState& s) { s.Wheel[2].X = kNaN; }, kWheel3 | kLine3 | kLine4},
        BadLayoutRow{"nan_contact_point",
                     [](DriveState& s) { s.Wheel1Tangent[1].Angle = kNaN; }, kLine2},
        BadLayoutRow{"nan_span_length",
                     [](DriveState& s) { s.Span[1].Length = kNaN; }, kLine3},
        BadLayoutRow{"nan_scale",
                     [](DriveState& s) { s.Scale = kNaN; }, kEverything}),
    RowName<BadLayoutRow>);
// clang-format on

// ---- Zoom bar ----

struct ZoomScaleRow {
  const char* Name;
  int Position;
  double Scale;
};

class ZoomScale : public testing::TestWithParam<ZoomScaleRow> {};

TEST_P(ZoomScale, IsTheDoubleNearestToATenthOfThePosition) {
  EXPECT_EQ(ScaleForZoomPosition(GetParam().Position), GetParam().Scale);
}

INSTANTIATE_TEST_SUITE_P(Positions, ZoomScale,
                         testing::Values(ZoomScaleRow{"position_1", 1, 0.1},
                                         ZoomScaleRow{"position_3", 3, 0.3},
                                         ZoomScaleRow{"position_10_exactly_one", 10, 1.0},
                                         ZoomScaleRow{"position_20", 20, 2.0}),
                         RowName<ZoomScaleRow>);

}  // namespace
}  // namespace idrova
