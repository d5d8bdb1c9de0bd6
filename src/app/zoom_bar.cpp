// SPDX-License-Identifier: MIT
// The zoom bar's keys and focus frame.
#include "app/zoom_bar.h"

#include <QKeyEvent>
#include <QPainter>

#include "app/focus_frame_style.h"

ZoomBar::ZoomBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void ZoomBar::keyPressEvent(QKeyEvent* event) {
  // A scroll bar's own keys move as a vertical page scrolls (Up lowers the
  // value); a zoom moves as its arrow buttons point.
  switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
      triggerAction(SliderSingleStepAdd);
      return;
    case Qt::Key_Left:
    case Qt::Key_Down:
      triggerAction(SliderSingleStepSub);
      return;
    case Qt::Key_PageUp:
      triggerAction(SliderPageStepAdd);
      return;
    case Qt::Key_PageDown:
      triggerAction(SliderPageStepSub);
      return;
    default:
      QScrollBar::keyPressEvent(event);
  }
}

void ZoomBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  idrova::DrawFocusFrame(painter, this, rect());
}
