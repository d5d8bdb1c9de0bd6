// SPDX-License-Identifier: MIT
// Arrow control: press, auto-repeat, attached-edit stepping and painting.
#include "app/arrow_control.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>
#include <algorithm>

#include "app/contrast.h"
#include "app/focus_frame_style.h"

using idrova::ArrowButton;

namespace {
int firstRepeatDelayMs = ArrowControl::kFirstRepeatDelayMs;
int repeatIntervalMs = ArrowControl::kRepeatIntervalMs;
}  // namespace

void ArrowControl::SetRepeatTiming(int firstDelayMs, int intervalMs) {
  firstRepeatDelayMs = firstDelayMs;
  repeatIntervalMs = intervalMs;
}

ArrowControl::ArrowControl(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
  setFocusPolicy(Qt::StrongFocus);
  repeatTimer_.setSingleShot(false);
  connect(&repeatTimer_, &QTimer::timeout, this, &ArrowControl::Repeat);
}

void ArrowControl::SetRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  SetPosition(position_);
}

void ArrowControl::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
}

void ArrowControl::AttachTo(QLineEdit* edit) {
  buddy_ = edit;
  if (buddy_) buddy_->setText(QString::number(position_));
  SetValueEdit(edit);
}

void ArrowControl::SetTypingEdit(QLineEdit* edit) {
  typingEdit_ = edit;
  SetValueEdit(edit);
}

void ArrowControl::SetValueEdit(QLineEdit* edit) {
  disconnect(valueWatch_);
  valueEdit_ = edit;
  if (!edit) return;
  valueWatch_ = connect(edit, &QLineEdit::textChanged, this, [this] {
    if (!QAccessible::isActive()) return;
    QAccessibleValueChangeEvent event(this, valueEdit_->text());
    QAccessible::updateAccessibility(&event);
  });
}

void ArrowControl::SetStep(double step, bool coarse) {
  step_ = step;
  if (coarse_ != coarse) {
    coarse_ = coarse;
    update();
  }
}

ArrowButton ArrowControl::ButtonAt(QPoint point) const {
  // Right half of a horizontal control, top half of a vertical one: next.
  if (orientation_ == Qt::Horizontal)
    return point.x() >= width() / 2 ? ArrowButton::Next : ArrowButton::Previous;
  return point.y() < height() / 2 ? ArrowButton::Next : ArrowButton::Previous;
}

// One click moves the position by `steps` in the arrow's direction; an
// attached control stops at the end of its range.
void ArrowControl::Click(ArrowButton button, int steps) {
  const int step = button == ArrowButton::Next ? steps : -steps;
  int next = position_ + step;
  if (next > maximum_ || next < minimum_) {
    if (!wrap_) {
      next = std::clamp(next, minimum_, maximum_);
      if (buddy_ && next == position_) return;  // an attached control stops at its ends, silently
    } else {
      next = next > maximum_ ? minimum_ : maximum_;
    }
  }
  position_ = next;
  if (buddy_) buddy_->setText(QString::number(position_));
  emit clicked(button);
}

void ArrowControl::mousePressEvent(QMouseEvent* event) {
  emit mouseDown(event->buttons());
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  pressedButton_ = ButtonAt(event->position().toPoint());
  update();
  repeatTimer_.start(firstRepeatDelayMs);
  Click(pressedButton_);
}

void ArrowControl::Repeat() {
  if (!pressed_ || !isEnabled()) {
    StopRepeat();
    return;
  }
  repeatTimer_.setInterval(repeatIntervalMs);
  Click(pressedButton_);
}

void ArrowControl::StopRepeat() {
  repeatTimer_.stop();
  if (pressed_) {
    pressed_ = false;
    update();
  }
}

void ArrowControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) StopRepeat();
  emit mouseUp();
}

void ArrowControl::Step(ArrowButton button) {
  if (!isEnabled()) return;
  emit mouseDown(Qt::NoButton);
  Click(button);
  emit mouseUp();
}

// A character that starts a number, typed on a control with a typing edit,
// goes into that edit in place of its text.
bool ArrowControl::TypeInto(QKeyEvent* event) {
  if (!typingEdit_ || !typingEdit_->isEnabled() || typingEdit_->isReadOnly()) return false;
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  if (event->key() == Qt::Key_F2) {
    typingEdit_->setFocus(Qt::OtherFocusReason);
    typingEdit_->deselect();
    typingEdit_->end(false);
    return true;
  }
  static const QString kStarts = QStringLiteral("0123456789+-.０１２３４５６７８９＋－．");
  const QString text = event->text();
  if (text.size() != 1 || !kStarts.contains(text.front())) return false;
  typingEdit_->setFocus(Qt::OtherFocusReason);
  typingEdit_->selectAll();
  QKeyEvent typed(QEvent::KeyPress, event->key(), event->modifiers(), text);
  QCoreApplication::sendEvent(typingEdit_, &typed);
  return true;
}

void ArrowControl::keyPressEvent(QKeyEvent* event) {
  if (TypeInto(event)) return;
  // The arrow keys step like one short press of the matching arrow.
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
      Step(ArrowButton::Next);
      return;
    case Qt::Key_Down:
    case Qt::Key_Left:
      Step(ArrowButton::Previous);
      return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      const ArrowButton button =
          event->key() == Qt::Key_PageUp ? ArrowButton::Next : ArrowButton::Previous;
      if (!buddy_) {
        emit pageStep(button);
      } else if (isEnabled()) {
        emit mouseDown(Qt::NoButton);
        Click(button, kPageSteps);
        emit mouseUp();
      }
      return;
    }
    case Qt::Key_Home:
    case Qt::Key_End:
      if (buddy_ && isEnabled()) {
        const bool end = event->key() == Qt::Key_End;
        emit mouseDown(Qt::NoButton);
        Click(end ? ArrowButton::Next : ArrowButton::Previous,
              end ? maximum_ - position_ : position_ - minimum_);
        emit mouseUp();
        return;
      }
      QWidget::keyPressEvent(event);
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void ArrowControl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) StopRepeat();
  QWidget::changeEvent(event);
}

void ArrowControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  const bool horizontal = orientation_ == Qt::Horizontal;
  const QRect whole = rect();
  const QRect first =
      horizontal ? QRect(0, 0, width() / 2, height()) : QRect(0, 0, width(), height() / 2);
  const QRect second = horizontal ? QRect(width() / 2, 0, width() - width() / 2, height())
                                  : QRect(0, height() / 2, width(), height() - height() / 2);
  // first: previous (left) or next (up); second: next (right) or previous (down)
  const QRect nextRect = horizontal ? second : first;
  const QRect prevRect = horizontal ? first : second;
  // A coarse step stands out at a glance: the arrows on the palette's
  // selection colour, which every palette sets apart from buttons.
  const QColor face = !coarse_      ? pal.color(QPalette::Button)
                      : isEnabled() ? pal.color(QPalette::Highlight)
                                    : pal.color(QPalette::Disabled, QPalette::Highlight);
  const QColor pressedFace = coarse_ ? face.darker(130) : pal.color(QPalette::Mid);
  for (const QRect& r : {nextRect, prevRect}) {
    const bool down = pressed_ && ((r == nextRect) == (pressedButton_ == ArrowButton::Next));
    painter.fillRect(r, down ? pressedFace : face);
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawRect(r.adjusted(0, 0, -1, -1));
  }
  painter.setPen(Qt::NoPen);
  if (!coarse_) {
    painter.setBrush(isEnabled() ? pal.color(QPalette::ButtonText)
                                 : pal.color(QPalette::Disabled, QPalette::ButtonText));
  } else if (isEnabled()) {
    // Not every theme's selected text reads on its selection colour.
    painter.setBrush(idrova::WantedOrBlackOrWhite(pal.color(QPalette::HighlightedText), face,
                                                  idrova::kTextContrast));
  } else {
    painter.setBrush(pal.color(QPalette::Disabled, QPalette::HighlightedText));
  }
  painter.setRenderHint(QPainter::Antialiasing, true);
  auto triangle = [&](const QRectF& r, ArrowButton button) {
    const QPointF c = r.center();
    const double s = std::min(r.width(), r.height()) * 0.22;
    QPainterPath path;
    if (horizontal) {
      const double dir = button == ArrowButton::Next ? 1.0 : -1.0;
      path.moveTo(c.x() + dir * s, c.y());
      path.lineTo(c.x() - dir * s, c.y() - s * 1.2);
      path.lineTo(c.x() - dir * s, c.y() + s * 1.2);
    } else {
      const double dir = button == ArrowButton::Next ? -1.0 : 1.0;
      path.moveTo(c.x(), c.y() + dir * s);
      path.lineTo(c.x() - s * 1.2, c.y() - dir * s);
      path.lineTo(c.x() + s * 1.2, c.y() - dir * s);
    }
    path.closeSubpath();
    painter.drawPath(path);
  };
  // A coarse step shows as doubled arrow heads, side by side along the arrow.
  auto arrow = [&](const QRect& r, ArrowButton button) {
    if (!coarse_) {
      triangle(QRectF(r), button);
      return;
    }
    // Two heads side by side, each clear of the other.
    const double shift = std::min(r.width(), r.height()) * 0.24;
    const QPointF along = horizontal ? QPointF(shift, 0) : QPointF(0, shift);
    triangle(QRectF(r).translated(-along), button);
    triangle(QRectF(r).translated(along), button);
  };
  arrow(nextRect, ArrowButton::Next);
  arrow(prevRect, ArrowButton::Previous);
  if (hasFocus()) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    idrova::DrawFocusFrame(painter, this, whole);
  }
}
