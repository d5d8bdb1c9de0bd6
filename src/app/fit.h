// SPDX-License-Identifier: MIT
// Keeping what the window writes inside its bounds: a label's text placed
// within the free space of its row (growing right from its design place,
// then to the left, then in a smaller face), and the window placed inside
// the screen's available area.
#pragma once

#include <QLabel>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace idrova {

// Where a label may show its text: it starts at its design place and grows
// to the right; a text that would pass MaxRight moves left, down to MinLeft.
// Pixels of the window's client area; MaxRight is the last column it may use.
struct LabelRoom {
  int DesignLeft = 0;
  int DesignWidth = 0;  // the label is never narrower than this while room allows
  int MinLeft = 0;
  int MaxRight = 0;
};

// The smallest face a label falls back to when its text does not fit its
// room at the window's own size.
inline constexpr int kSmallestLabelPixelSize = 8;

// Sets the label's text and places it: at its design place when the text
// fits there, otherwise as far left as needed. A text too wide for the
// whole room is shown in a smaller face, down to kSmallestLabelPixelSize;
// what is still too wide shows its leading characters and "…". The
// label's font is the window's face at `pixelSize` unless it has to shrink.
void FitLabelText(QLabel* label, const QString& text, const LabelRoom& room, int pixelSize);

// Top-left corner for a window whose frame has the size `outer`: `design`
// when the frame lies wholly inside `available` there, otherwise the nearest
// place inside it (the top-left corner of the area when the window is larger).
QPoint PlaceInside(const QRect& available, QSize outer, QPoint design);

// Top-left corner for a window of size `outer` inside `available` that
// does not cover `avoid`: below it, above it, right of it or left of it,
// the first that has room; the place below it, kept inside, where none has.
QPoint PlaceClearOf(const QRect& available, QSize outer, const QRect& avoid);

// The frame a window manager put round `window`; before it has framed the
// window, the frame of the same total size `estimate` (left and right
// alike, the rest above, as a title bar).
QMargins FrameMarginsOf(const QWidget* window, QSize estimate);

}  // namespace idrova
