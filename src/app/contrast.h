// SPDX-License-Identifier: MIT
// Colours that stay readable on the desktop's palette: the contrast ratio
// of two colours as the web's accessibility guidelines define it, and the
// design's colour made light enough for a dark background.
#pragma once

#include <QColor>

namespace idrova {

// Text wants 4.5:1 against what is behind it; text is made a little
// stronger, so that the edges of anti-aliased strokes are still readable.
// The picture's lines are one pixel wide and carry the drive: 4.5:1 too.
inline constexpr double kTextContrast = 5.0;
inline constexpr double kLineContrast = 4.5;

// Relative luminance in [0, 1], from the sRGB components.
double Luminance(const QColor& color);
// (lighter + 0.05) / (darker + 0.05), in [1, 21].
double ContrastRatio(const QColor& a, const QColor& b);
// A background of a dark theme: darker than a middle grey.
bool IsDark(const QColor& background);
// `wanted` as it is on a light background, or where it already has the
// contrast `ratio` against `background`; on a dark background otherwise the
// least mix of it with white that has.
QColor ReadableOn(const QColor& wanted, const QColor& background, double ratio);
// `wanted` where it has the contrast `ratio` against `background`, otherwise
// black or white, whichever stands out more.
QColor WantedOrBlackOrWhite(const QColor& wanted, const QColor& background, double ratio);

}  // namespace idrova
