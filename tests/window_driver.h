// SPDX-License-Identifier: MIT
// Drives the real Idrova window from outside, as a user would: through the
// objectNames of its controls, mouse presses, typing, menu actions.
#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
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
    T* widget = form.objectName() == name ? qobject_cast<T*>(&form) : form.findChild<T*>(name);
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

  void Choose(const char* actionName) {
    auto* action = form.findChild<QAction*>(actionName);
    ASSERT_NE(action, nullptr) << actionName;
    action->trigger();
  }
  QRadioButton* Item(const char* group, int index) {
    return Find<QGroupBox>(group)->findChildren<QRadioButton*>().at(index);
  }
  void Calculate() { QTest::mouseClick(Find<QPushButton>("Button1"), Qt::LeftButton); }

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

  // User actions written as words, ';' between them:
  //   type Edit7 70.5 | calc | layout X2 Y2 X3 Y3 | click UpDown7 next|prev [times]
  //   right UpDown1 | teeth UpDown3 12 | choose RS401 | item RadioGroup1 2
  //   leave (the focus to 計算) | sheet (open it) | press FreeRuleBelt (any button)
  //   increase|decrease UpDown7 (a screen reader's actions)
  //   focus UpDown7 | keys -32 (text keys) | key F2 (as Qt names keys: PgUp, Shift+F10, ...)
  // and what the user then sees, the text running exactly to the ';':
  //   see Label16 歯数  66 | row ベルト長さ 524.29 (a sheet line's values; NO_1: "NO 1")
  //   name Edit1 NO 1 の X 座標 (for a screen reader) | on|off UpDown10 (enabled)
  //   focused Edit7 | belt 524.285991 (held, to 1e-6 mm)
  //   mark (the picture) | drawn yes|no (changed since the mark)
  void Do(const QString& script) {
    for (QString action : script.split(';', Qt::SkipEmptyParts)) {
      while (action.startsWith(' ')) action.remove(0, 1);
      SCOPED_TRACE("after: " + script.left(script.indexOf(action)).toStdString());
      const QStringList w = action.split(' ', Qt::SkipEmptyParts);
      const QByteArray a1 = w.value(1).toUtf8();
      const QString rest = action.mid(w[0].size() + w.value(1).size() + 2);
      if (w[0] == "see")
        EXPECT_EQ(Text(a1), rest);
      else if (w[0] == "row")
        EXPECT_EQ(SheetValues(QString(w[1]).replace('_', ' ')).join('|'), rest);
      else if (w[0] == "name")  // what a screen reader names the control
        EXPECT_EQ(QAccessible::queryAccessibleInterface(Find(a1))->text(QAccessible::Name), rest);
      else if (w[0] == "increase" || w[0] == "decrease")  // a screen reader's actions
        QAccessible::queryAccessibleInterface(Find(a1))->actionInterface()->doAction(
            w[0] == "increase" ? QAccessibleActionInterface::increaseAction()
                               : QAccessibleActionInterface::decreaseAction());
      else if (w[0] == "on" || w[0] == "off")
        EXPECT_EQ(Find(a1)->isEnabled(), w[0] == "on") << a1.data();
      else if (w[0] == "belt")  // the belt length held, to 1e-6 mm
        EXPECT_NEAR(form.State().BeltLength, w[1].toDouble(), 1e-6);
      else if (w[0] == "mark")
        marked_ = Picture();
      else if (w[0] == "drawn")  // the picture changed since the mark, or not
        EXPECT_EQ(Picture() != marked_, w[1] == "yes");
      else if (w[0] == "focus") {  // as a click or Tab would give it
        QApplication::setActiveWindow(&form);
        Find(a1)->setFocus(Qt::TabFocusReason);
      } else if (w[0] == "keys") {  // text keys, any character, to the focused control
        for (const QChar ch : action.mid(5))
          QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                              QString(ch), Qt::NoModifier);
      } else if (w[0] == "key") {  // to the open menu, else the focused control
        const QKeySequence keys = QKeySequence::fromString(w[1]);
        EXPECT_EQ(keys.count(), 1) << a1.data();
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keySequence(popup ? popup : QApplication::focusWidget(), keys);
      } else if (w[0] == "focused")
        EXPECT_EQ(QApplication::focusWidget()->objectName(), w[1]);
      else if (w[0] == "type")
        Type(a1, w.value(2));
      else if (w[0] == "calc")
        Calculate();
      else if (w[0] == "leave")
        Find("Button1")->setFocus();
      else if (w[0] == "layout")  // wheel 2's and the tensioner's centres, then 計算
        Do(QStringLiteral("type Edit4 %1; type Edit5 %2; type Edit7 %3; type Edit8 %4; calc")
               .arg(w[1], w[2], w[3], w[4]));
      else if (w[0] == "click")
        ClickArrow(a1, w[2] == "next" ? idrova::ArrowButton::Next : idrova::ArrowButton::Previous,
                   w.size() > 3 ? w[3].toInt() : 1);
      else if (w[0] == "right")
        ClickArrow(a1, idrova::ArrowButton::Next, 1, Qt::RightButton);
      else if (w[0] == "teeth") {  // steps a tooth count with its arrows to the count given
        const int now = Find<ArrowControl>(a1)->Position();
        ClickArrow(a1,
                   w[2].toInt() > now ? idrova::ArrowButton::Next : idrova::ArrowButton::Previous,
                   std::abs(w[2].toInt() - now));
      } else if (w[0] == "choose")
        Choose(a1);
      else if (w[0] == "item")
        QTest::mouseClick(Item(a1, w[2].toInt()), Qt::LeftButton);
      else if (w[0] == "sheet")
        OpenSheet();
      else if (w[0] == "press")
        QTest::mouseClick(Find<QAbstractButton>(a1), Qt::LeftButton);
      else
        ADD_FAILURE() << "no such action: " << action.toStdString();
    }
  }

  QImage Picture() {
    return Find("Image2")->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  QMessageBox* ErrorBox() { return form.findChild<QMessageBox*>("ErrorMessage"); }

  TForm1 form;

 private:
  QImage marked_;
};

// A user's story: steps and what they then see, in a fresh window (WindowDriver::Do).
struct Story {
  const char* Name;
  const char* Script;
};
inline void Tell(std::initializer_list<Story> stories) {
  for (const Story& story : stories) {
    SCOPED_TRACE(story.Name);
    WindowDriver w;
    w.Do(QString::fromUtf8(story.Script));
  }
}
