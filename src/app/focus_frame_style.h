// SPDX-License-Identifier: MIT
// The focus frame of every control: a solid two-pixel frame in the
// highlight colour, drawn by the window's style over the platform style, so
// that a keyboard user always sees which control has the focus.
#pragma once

#include <QProxyStyle>

namespace idrova {

class FocusFrameStyle : public QProxyStyle {
 public:
  FocusFrameStyle() = default;  // over the application's style, not owning it

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  // Push buttons get the frame too, inside their bevel, whatever the
  // platform style draws for their focus.
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
};

// Draws the focus frame inside `rect` of `widget` with the widget's style.
void DrawFocusFrame(QPainter& painter, const QWidget* widget, const QRect& rect);

}  // namespace idrova
