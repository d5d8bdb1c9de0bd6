// SPDX-License-Identifier: MIT
// PictureBox: a widget that shows a bitmap the window draws into; painting
// only copies the finished bitmap.
#pragma once

#include <QImage>
#include <QWidget>

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  PictureBox(int width, int height, QWidget* parent = nullptr);

  // The bitmap at the given device pixel ratio (that of the screen): its
  // size in picture pixels stays, its device pixels follow the ratio. A new
  // bitmap starts white.
  void SetDevicePixelRatio(qreal ratio);

  QImage& Bitmap() { return bitmap_; }
  const QImage& Bitmap() const { return bitmap_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QSize size_;
  QImage bitmap_;
};
