// SPDX-License-Identifier: MIT
// PictureBox painting.
#include "app/picture_box.h"

#include <QPainter>

PictureBox::PictureBox(int width, int height, QWidget* parent)
    : QWidget(parent), size_(width, height) {
  SetDevicePixelRatio(1.0);
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::SetDevicePixelRatio(qreal ratio) {
  const QSize device(qRound(size_.width() * ratio), qRound(size_.height() * ratio));
  bitmap_ = QImage(device, QImage::Format_RGB32);
  bitmap_.setDevicePixelRatio(ratio);
  bitmap_.fill(Qt::white);
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // At the bitmap's own ratio one device pixel of it is one of the screen.
  painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size_)), bitmap_);
}
