// SPDX-License-Identifier: MIT
// ZoomBar: the horizontal scroll bar of the picture's zoom, whose keys go
// the way of its arrow buttons (Right and Up zoom in, Left and Down zoom out)
// and which shows the window's focus frame.
#pragma once

#include <QScrollBar>

class ZoomBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit ZoomBar(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};
