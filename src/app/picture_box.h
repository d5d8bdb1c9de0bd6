// PictureBox: a widget that shows a bitmap the window draws into; painting
// only copies the finished bitmap.
#pragma once

#include <QImage>
#include <QWidget>

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  PictureBox(int width, int height, QWidget* parent = nullptr);

  QImage& Bitmap() { return bitmap_; }
  const QImage& Bitmap() const { return bitmap_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage bitmap_;
};
