// SPDX-License-Identifier: MIT
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

// Failures print texts as the user reads them.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

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
  QString Text(const char* name) {
    if (auto* edit = form.findChild<QLineEdit*>(name)) return edit->text();
    return Find<QLabel>(name)->text();
  }

  // Presses and releases on the next (right or top) or previous half of an
  // arrow control, holding the button down for `holdMs` in between.
  void ClickArrow(const char* name, idrova::ArrowButton button, int times = 1,
                  Qt::MouseButton mouse = Qt::LeftButton, int holdMs = 0) {
    auto* arrows = Find<ArrowControl>(name);
    const bool next = button == idrova::ArrowButton::Next;
    const QPoint point = arrows->Orientation() == Qt::Horizontal
                             ? QPoint(next ? arrows->width() * 3 / 4 : arrows->width() / 4, 10)
                             : QPoint(10, next ? arrows->height() / 4 : arrows->height() * 3 / 4);
    for (int i = 0; i < times; ++i) {
      QTest::mousePress(arrows, mouse, {}, point);
      if (holdMs > 0) QTest::qWait(holdMs);
      QTest::mouseRelease(arrows, mouse, {}, point);
    }
  }

  // Replaces an edit's text by typing, keystroke by keystroke.
  void Type(const char* name, const QString& text) {
    auto* edit = Find<QLineEdit>(name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar ch : text) {  // any character, as an input method gives it
      if (ch.unicode() < 0x80)
        QTest::keyClick(edit, ch.toLatin1());
      else
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }

  // Types and leaves the edit for the calculate button, as a user does.
  void TypeAndLeave(const char* name, const QString& text) {
    Type(name, text);
    Find("Button1")->setFocus();
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

  // Types wheel 2's and the tensioner's centres and presses 計算.
  void Layout(const char* x2, const char* y2, const char* x3, const char* y3) {
    Type("Edit4", x2);
    Type("Edit5", y2);
    Type("Edit7", x3);
    Type("Edit8", y3);
    Calculate();
  }
  // Steps a tooth count with its arrows from what it shows to `teeth`.
  void SetTeeth(const char* arrows, int teeth) {
    const int now = Find<ArrowControl>(arrows)->Position();
    ClickArrow(arrows, teeth > now ? idrova::ArrowButton::Next : idrova::ArrowButton::Previous,
               std::abs(teeth - now));
  }

  // The design sheet, opened with 詳細 (Button2); its copied text as lines of cells.
  DesignSheetWindow* OpenSheet() {
    QTest::mouseClick(Find<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.Form2()));
    return form.Form2();
  }
  QList<QStringList> SheetLines() {
    QList<QStringList> lines;
    for (const QString& line : form.Form2()->Text().split('\n', Qt::SkipEmptyParts))
      lines.append(line.split('\t'));
    return lines;
  }
  // The values of the sheet's first line named `name`; empty when it has none.
  QStringList SheetValues(const QString& name) {
    for (const QStringList& cells : SheetLines())
      if (cells.front() == name) return cells.mid(1);
    return {};
  }

  QImage Picture() {
    return Find("Image2")->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  QMessageBox* ErrorBox() { return form.findChild<QMessageBox*>("ErrorMessage"); }

  TForm1 form;
};
