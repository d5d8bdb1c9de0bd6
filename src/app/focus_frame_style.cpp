// SPDX-License-Identifier: MIT
// The window's focus frame.
#include "app/focus_frame_style.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace idrova {

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
  if (element != PE_FrameFocusRect) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setBrush(Qt::NoBrush);
  QPen pen(option->palette.color(QPalette::Active, QPalette::Highlight), 2);
  pen.setJoinStyle(Qt::MiterJoin);
  painter->setPen(pen);
  // A 2-pixel pen centred on the rectangle's inner edge stays inside it.
  painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
  painter->restore();
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawControl(element, option, painter, widget);
  if (element != CE_PushButton || !(option->state & State_HasFocus)) return;
  QStyleOptionFocusRect frame;
  frame.QStyleOption::operator=(*option);
  frame.rect = option->rect.adjusted(2, 2, -2, -2);
  drawPrimitive(PE_FrameFocusRect, &frame, painter, widget);
}

void DrawFocusFrame(QPainter& painter, const QWidget* widget, const QRect& rect) {
  QStyleOptionFocusRect option;
  option.initFrom(widget);
  option.rect = rect;
  option.backgroundColor = widget->palette().color(QPalette::Window);
  widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, widget);
}

}  // namespace idrova
