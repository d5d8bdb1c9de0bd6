// Drives the real Idrova window from outside, as a user would: through the
// objectNames of its controls, mouse presses, typing, menu actions.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "app/form1.h"

class WindowDriver {
 public:
  WindowDriver() {
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
  }

  template <typename T = QWidget>
  T* Find(const char* name) {
    T* widget = form.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
  QString Text(const char* name) {
    if (auto* edit = form.findChild<QLineEdit*>(name)) return edit->text();
    return Find<QLabel>(name)->text();
  }

  // One press and release on the next or previous half of an arrow control.
  static QPoint ArrowPoint(QWidget* arrows, idrova::ArrowButton button) {
    const bool next = button == idrova::ArrowButton::Next;
    if (arrows->width() > arrows->height() || arrows->objectName() == "UpDown1" ||
        arrows->objectName() == "UpDown4" || arrows->objectName() == "UpDown7")
      return {next ? arrows->width() * 3 / 4 : arrows->width() / 4, arrows->height() / 2};
    return {arrows->width() / 2, next ? arrows->height() / 4 : arrows->height() * 3 / 4};
  }
  void ClickArrow(const char* name, idrova::ArrowButton button, int times = 1) {
    QWidget* arrows = Find(name);
    for (int i = 0; i < times; ++i) {
      QTest::mousePress(arrows, Qt::LeftButton, {}, ArrowPoint(arrows, button));
      QTest::mouseRelease(arrows, Qt::LeftButton, {}, ArrowPoint(arrows, button));
    }
  }
  void RightClickArrow(const char* name) {
    QWidget* arrows = Find(name);
    QTest::mousePress(arrows, Qt::RightButton, {}, ArrowPoint(arrows, idrova::ArrowButton::Next));
    QTest::mouseRelease(arrows, Qt::RightButton, {}, ArrowPoint(arrows, idrova::ArrowButton::Next));
  }
  // Press, keep the button down for a while (the control repeats), release.
  void HoldArrow(const char* name, idrova::ArrowButton button, int milliseconds) {
    QWidget* arrows = Find(name);
    QTest::mousePress(arrows, Qt::LeftButton, {}, ArrowPoint(arrows, button));
    QTest::qWait(milliseconds);
    QTest::mouseRelease(arrows, Qt::LeftButton, {}, ArrowPoint(arrows, button));
  }

  // Replaces an edit's text by typing, keystroke by keystroke.
  void Type(const char* name, const QString& text) {
    QLineEdit* edit = Edit(name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
  }

  void Choose(const char* actionName) {
    auto* action = form.findChild<QAction*>(actionName);
    ASSERT_NE(action, nullptr) << actionName;
    action->trigger();
  }
  QRadioButton* Item(const char* group, int index) {
    return Find<QGroupBox>(group)->findChildren<QRadioButton*>().at(index);
  }
  void ClickItem(const char* group, int index) {
    QTest::mouseClick(Item(group, index), Qt::LeftButton);
  }
  void Calculate() { QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton); }

  QImage Picture() {
    return Find("Image2")->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  QMessageBox* ErrorBox() { return form.findChild<QMessageBox*>("ErrorMessage"); }

  TForm1 form;
};
