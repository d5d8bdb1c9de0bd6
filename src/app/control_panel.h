// SPDX-License-Identifier: MIT
// ControlPanel: the panel that holds the main window's controls at their
// design places. A class of its own so that its accessible interface can
// leave out what a screen reader should not hear (accessibility.cpp).
#pragma once

#include <QWidget>

class ControlPanel : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;
};
