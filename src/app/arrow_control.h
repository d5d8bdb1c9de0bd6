// SPDX-License-Identifier: MIT
// ArrowControl: a pair of arrow buttons (left/right or down/up) that clicks
// once on a press and repeats while the left button is held. Free-standing
// controls report each click with the arrow pressed; an attached control
// steps its own position within its range and writes it into its edit.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "input/stepper.h"

class ArrowControl : public QWidget {
  Q_OBJECT

 public:
  explicit ArrowControl(Qt::Orientation orientation, QWidget* parent = nullptr);

  // Position within [minimum, maximum]; with wrapping a step past one end
  // lands on the other. SetPosition() raises no click.
  void SetRange(int minimum, int maximum);
  void SetWrap(bool wrap) { wrap_ = wrap; }
  void SetPosition(int position);
  int Position() const { return position_; }
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }
  bool Wraps() const { return wrap_; }
  Qt::Orientation Orientation() const { return orientation_; }

  // Attaches the control to an edit: each click moves the position by one
  // and writes it into the edit; at an end of a non-wrapping range a click
  // does nothing at all, not even a clicked(). Page Up and Page Down move
  // it by ten, Home and End to the ends of its range, each as one click.
  void AttachTo(QLineEdit* edit);
  QLineEdit* Buddy() const { return buddy_; }

  // The edit that the keyboard types into from this control, as in a
  // spreadsheet: a digit, a sign or a decimal point (full-width ones too)
  // moves the focus into it and replaces its text with that character; F2
  // moves the focus into it keeping its text.
  void SetTypingEdit(QLineEdit* edit);
  QLineEdit* TypingEdit() const { return typingEdit_; }

  // The edit whose number is the control's value for a screen reader: the
  // attached edit, the typing edit, or one given here. A change of its text
  // is told as a change of the control's value.
  void SetValueEdit(QLineEdit* edit);
  QLineEdit* ValueEdit() const { return valueEdit_; }

  // The step of one click, for a screen reader (1 for an attached control);
  // a coarse step is drawn on the arrows (doubled arrow heads).
  void SetStep(double step, bool coarse);
  double StepSize() const { return step_; }
  bool Coarse() const { return coarse_; }

  // One short press of an arrow, as a click from the keyboard or a screen
  // reader makes it: mouseDown without buttons, one click, mouseUp. Nothing
  // happens while the control is disabled.
  void Step(idrova::ArrowButton button);

  // Auto-repeat timing while the left button is held: a first delay, then a
  // steady rate. The soak shortens both to hold many presses quickly.
  static constexpr int kFirstRepeatDelayMs = 400;
  static constexpr int kRepeatIntervalMs = 80;
  // Page Up / Page Down on an attached control: this many steps at once.
  static constexpr int kPageSteps = 10;
  static void SetRepeatTiming(int firstDelayMs, int intervalMs);

 signals:
  void clicked(idrova::ArrowButton button);
  // Mouse down with the buttons held at that moment (the right button
  // toggles the step of the coordinate steppers).
  void mouseDown(Qt::MouseButtons buttons);
  // The press ended: mouse release, or the end of a keyboard step.
  void mouseUp();
  // Page Up (next) or Page Down (previous) on the focused control: a coarse
  // step for whoever handles it; no click, no press.
  void pageStep(idrova::ArrowButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  idrova::ArrowButton ButtonAt(QPoint point) const;
  void Click(idrova::ArrowButton button, int steps = 1);
  bool TypeInto(QKeyEvent* event);
  void Repeat();
  void StopRepeat();

  Qt::Orientation orientation_;
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  bool wrap_ = false;
  QPointer<QLineEdit> buddy_;
  QPointer<QLineEdit> typingEdit_;
  QPointer<QLineEdit> valueEdit_;
  QMetaObject::Connection valueWatch_;
  double step_ = 1.0;
  bool coarse_ = false;
  QTimer repeatTimer_;
  bool pressed_ = false;
  idrova::ArrowButton pressedButton_ = idrova::ArrowButton::Next;
};
