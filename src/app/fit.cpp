// SPDX-License-Identifier: MIT
// Label fitting and window placement.
#include "app/fit.h"

#include <QFontMetrics>
#include <QWindow>
#include <algorithm>

namespace idrova {

void FitLabelText(QLabel* label, const QString& text, const LabelRoom& room, int pixelSize) {
  const int roomWidth = room.MaxRight - room.MinLeft + 1;
  QFont font = label->font();
  font.setPixelSize(pixelSize);
  int width = QFontMetrics(font).horizontalAdvance(text);
  while (width > roomWidth && font.pixelSize() > kSmallestLabelPixelSize) {
    font.setPixelSize(font.pixelSize() - 1);
    width = QFontMetrics(font).horizontalAdvance(text);
  }
  QString shown = text;
  if (width > roomWidth) {
    // Even the smallest face is too wide: keep the leading characters, which
    // are the sign and the most significant digits of a number.
    shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, roomWidth);
    width = QFontMetrics(font).horizontalAdvance(shown);
  }
  label->setFont(font);
  label->setText(shown);
  const int left = std::max(room.MinLeft, std::min(room.DesignLeft, room.MaxRight + 1 - width));
  const int shownWidth = std::max(width, std::min(room.DesignWidth, room.MaxRight + 1 - left));
  label->setGeometry(left, label->y(), shownWidth,
                     std::max(label->height(), label->sizeHint().height()));
}

QPoint PlaceInside(const QRect& available, QSize outer, QPoint design) {
  const int maxLeft = available.left() + available.width() - outer.width();
  const int maxTop = available.top() + available.height() - outer.height();
  return {std::max(available.left(), std::min(design.x(), maxLeft)),
          std::max(available.top(), std::min(design.y(), maxTop))};
}

QPoint PlaceClearOf(const QRect& available, QSize outer, const QRect& avoid) {
  constexpr int kGap = 8;
  const QPoint candidates[] = {
      {avoid.left(), avoid.bottom() + 1 + kGap},
      {avoid.left(), avoid.top() - kGap - outer.height()},
      {avoid.right() + 1 + kGap, avoid.top()},
      {avoid.left() - kGap - outer.width(), avoid.top()},
  };
  for (const QPoint& wanted : candidates) {
    const QPoint inside = PlaceInside(available, outer, wanted);
    if (!QRect(inside, outer).intersects(avoid)) return inside;
  }
  return PlaceInside(available, outer, candidates[0]);
}

QMargins FrameMarginsOf(const QWidget* window, QSize estimate) {
  if (const QWindow* handle = window->windowHandle(); handle && !handle->frameMargins().isNull())
    return handle->frameMargins();
  const int side = estimate.width() / 2;
  return {side, estimate.height() - side, estimate.width() - side, side};
}

}  // namespace idrova
