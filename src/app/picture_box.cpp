// PictureBox painting.
#include "app/picture_box.h"

#include <QPainter>

PictureBox::PictureBox(int width, int height, QWidget* parent)
    : QWidget(parent), bitmap_(width, height, QImage::Format_RGB32) {
  bitmap_.fill(Qt::white);
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), bitmap_);
}
