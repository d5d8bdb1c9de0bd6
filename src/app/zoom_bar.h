// SPDX-License-Identifier: MIT
// ZoomBar: the horizontal scroll bar of the picture's zoom, whose keys go
// the way of its arrow buttons (Right and Up zoom in, Left and Down zoom out)
// and which shows the window's focus frame. To a screen reader its value is
// the picture's scale, in pixels per mm (accessibility.cpp), and so is the
// start of its description: a change of its position is told as usual, and
// the reader reads the scale.
#pragma once

#include <QScrollBar>

class ZoomBar : public QScrollBar {
  Q_OBJECT

 public:
  explicit ZoomBar(QWidget* parent = nullptr);

  // The scale at a position, and at the bar's own.
  static double ScaleOf(int position);
  double Scale() const { return ScaleOf(value()); }
  // The scale as a screen reader says it: "1 px/mm", "0.5 px/mm".
  QString ScaleText() const;
  // Moves the bar to the position nearest to a scale.
  void SetScale(double scale);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};
