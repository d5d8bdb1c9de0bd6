// SPDX-License-Identifier: MIT
// The scaled picture of the drive: background, three wheel outlines in their
// colours and the belt spans in black, drawn from DriveState.
// Model mm (Y up) -> pixels: px = OriginX + floor(x*Scale + 0.5),
// py = OriginY - floor(y*Scale + 0.5); exact halves round toward +infinity.
#pragma once

#include "draw/canvas.h"
#include "geometry/polar_vector.h"
#include "model/drive_state.h"

namespace idrova {

inline constexpr int kPictureWidth = 350;
inline constexpr int kPictureHeight = 400;

inline constexpr Rgb kWheel1Pen{255, 0, 0};  // red, as the "NO 1" caption
inline constexpr Rgb kWheel2Pen{0, 0, 255};  // blue, as "NO 2"
inline constexpr Rgb kWheel3Pen{0, 128, 0};  // green
inline constexpr Rgb kSpanPen{0, 0, 0};      // black

// Fills the whole 350 x 400 picture with the brush.
void ClearPicture(Canvas& canvas);

// One wheel outline: a full arc in the box placed from its own rounded
// top-left corner, 2 * round(radius * Scale) pixels across. Elements whose
// pixel values are not finite, or too large to be placed, are skipped.
void DrawWheelCircle(const DriveState& state, Canvas& canvas, double x, double y, double radius);

// One span from the model point `start` (a vector from the origin) along
// `span`; the end is rounded relative to the rounded start. A zero span
// leaves no mark; non-finite values are skipped.
void DrawSpanLine(const DriveState& state, Canvas& canvas, PolarVector start, PolarVector span);

// Clears the picture and draws the three wheels and the four span slots from
// the last computed path. The diameter labels and the copy into the second
// image are the window's part.
void DrawLayout(const DriveState& state, Canvas& canvas);

// Zoom: position of the zoom bar (1..20) times 0.1.
double ScaleForZoomPosition(int position);

}  // namespace idrova
