// SPDX-License-Identifier: MIT
// The zoom bar's keys and focus frame.
#include "app/zoom_bar.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

#include "app/focus_frame_style.h"
#include "draw/layout_drawing.h"
#include "text/number_text.h"

ZoomBar::ZoomBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  setFocusPolicy(Qt::StrongFocus);
  // The description carries the scale (accessibility.cpp): a reader is told
  // it changed with the value.
  connect(this, &QScrollBar::valueChanged, this, [this] {
    if (!QAccessible::isActive()) return;
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
  });
}

double ZoomBar::ScaleOf(int position) { return idrova::ScaleForZoomPosition(position); }

QString ZoomBar::ScaleText() const {
  return QString::fromStdString(idrova::FormatFloat("##0.#", Scale())) + QStringLiteral(" px/mm");
}

void ZoomBar::SetScale(double scale) {
  if (std::isfinite(scale)) setValue(static_cast<int>(std::lround(scale * 10.0)));
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
