// SPDX-License-Identifier: MIT
// The window for every user, through the real window: every number whole and
// inside its control and the window, the keyboard reaching everything, what
// a screen reader is told, tooltips, the window's place on small screens.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <cmath>

#include "window_driver.h"

using idrova::ArrowButton;

// Down from the first entry of the type menu, then Return: the second entry, S5M.
#define IDROVA_S5M "; key Down; key Return; see Label12 種類   S5M"
TEST(WindowKeyboard, ReturnPressesCalculateAndTheMenuKeysOpenTheTypeMenu) {
  Tell({{"Return", "type Edit1 100; focus Button1; key Return; see Edit11 401.96"},
        {"Enter", "type Edit1 100; focus Button1; key Enter; see Edit11 401.96"},
        {"Shift+F10 on an arrow", "focus UpDown7; key Shift+F10" IDROVA_S5M "; see Edit10 5"},
        {"Menu key on the button", "focus Button1; key Menu" IDROVA_S5M},
        {"Menu key on the zoom bar", "focus ScrollBar1; key Menu" IDROVA_S5M},
        {"Shift+F10 on the window", "focus Form1; key Shift+F10" IDROVA_S5M}});
  WindowDriver w;  // the menu hangs below the type label
  w.Do("focus UpDown7; key Shift+F10");
  auto* menu = w.Find<QMenu>("PopupMenu1");
  ASSERT_TRUE(menu->isVisible());
  auto* label = w.Find("Label12");
  EXPECT_EQ(menu->pos(), label->mapToGlobal(QPoint(0, label->height())));
  menu->close();
}

// The page keys make one 10 mm step, on the coarse step too, and leave the
// step and the press alone; the zoom bar's keys go their arrows' way.
TEST(WindowKeyboard, PageKeysStepTenMillimetresAndTheZoomKeysGoTheirArrowsWay) {
  WindowDriver w;
  w.Do("focus UpDown7; key PgUp; see Edit7 80; key PgDown; key PgDown");
  const idrova::DriveState& s = w.form.State();
  EXPECT_EQ(std::tuple(s.StepSize, s.PressActive, s.PressClickCount), std::tuple(0.1, 0, 0));
  w.Do(
      "key Right; see Edit7 60.1; see Edit11 522.48; right UpDown8; focus UpDown8; key PgDown;"
      "see Edit8 0");
  EXPECT_EQ(s.StepSize, 10.0);
  auto* zoom = w.Find<QScrollBar>("ScrollBar1");
  zoom->setFocus();
  for (auto [key, position] :
       {std::pair(Qt::Key_Right, 11), {Qt::Key_Up, 12}, {Qt::Key_Left, 11}, {Qt::Key_Down, 10}}) {
    QTest::keyClick(zoom, key);
    EXPECT_EQ(zoom->value(), position) << key;
  }
  EXPECT_EQ(s.Scale, 1.0);
}

TEST(WindowKeyboard, EveryFocusableControlShowsAClearFocusFrame) {
  WindowDriver w;
  QApplication::setActiveWindow(&w.form);
  // Pixels whose colour the focus changed plainly, not by a shade.
  auto framePixels = [](const QImage& before, const QImage& after) {
    int count = 0;
    for (int y = 0; y < after.height(); ++y)
      for (int x = 0; x < after.width(); ++x) {
        const QRgb a = before.pixel(x, y), b = after.pixel(x, y);
        count += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                     std::abs(qBlue(a) - qBlue(b)) >=
                 120;
      }
    return count;
  };
  for (const char* name : {"UpDown1", "UpDown3", "UpDown10", "ScrollBar1", "Button1",
                           "RadioButton1", "Edit10", "Edit11"}) {
    QWidget* widget = w.Find(name);
    w.Find("Edit1")->setFocus();
    widget->setEnabled(true);
    const QImage unfocused = widget->grab().toImage();
    widget->setFocus(Qt::TabFocusReason);  // as the Tab key moves it
    ASSERT_TRUE(widget->hasFocus()) << name;
    // At least a one-pixel ring round the control.
    EXPECT_GE(framePixels(unfocused, widget->grab().toImage()), widget->width() + widget->height())
        << name;
  }
}

constexpr auto Accessible = QAccessible::queryAccessibleInterface;

TEST(WindowAccessibility, EveryControlHasANameAndATwoLineTooltip) {
  WindowDriver w;
  w.Do("sheet; press Button3");  // the sheet and the list are built when first opened
  int controls = 0;
  for (QWidget* widget : w.form.findChildren<QWidget*>()) {
    const QString name = widget->objectName();
    const bool item = qobject_cast<QRadioButton*>(widget) && name.isEmpty();
    if (!item && !QRegularExpression("^((Edit|Label|UpDown|RadioButton|RadioGroup|Button|"
                                     "ScrollBar|Image|StringGrid|Form)\\d+|FreeRule(Belt|Chain)|"
                                     "CopyButton)$")
                      .match(name)
                      .hasMatch())
      continue;
    ++controls;
    SCOPED_TRACE(item ? widget->property("text").toString().toStdString() : name.toStdString());
    EXPECT_FALSE(Accessible(widget)->text(QAccessible::Name).isEmpty());
    const QStringList tip = widget->toolTip().split('\n');
    ASSERT_EQ(tip.size(), 2);
    EXPECT_TRUE(tip[0].contains(QRegularExpression("[\\x{3040}-\\x{9fff}]"))) << "Japanese first";
    EXPECT_TRUE(tip[1].contains(QRegularExpression("[A-Za-z]{3,} [A-Za-z]{2,}")))
        << "English second";
  }
  // The main window's 60, the sheet's 7, the list's 4.
  EXPECT_EQ(controls, 60 + 7 + 4);
  w.Do(
      "name Edit1 NO 1 の X 座標; name Edit8 NO 3 の Y 座標; name Edit11 ベルト長さ;"
      "name Edit10 ピッチ; name UpDown9 NO 3 の歯数の矢印; name ScrollBar1 図の拡大率;"
      "name Label9 NO 1 の直径: φ50.93; name Label13 最小ベルト長さ: (min 520.56);"
      "name Label16 ベルトの歯数: 歯数  66; name Image2 ベルト配置の図");
  EXPECT_TRUE(Accessible(w.Find("Image2"))->text(QAccessible::Description).contains("524.29"));
  EXPECT_EQ(Accessible(w.Find("Image2"))->role(), QAccessible::Graphic);
  w.ClickArrow("UpDown7", ArrowButton::Next);
  EXPECT_TRUE(
      Accessible(w.Find("Image2"))->text(QAccessible::Description).contains(w.Text("Edit11")));
}

// A screen reader's increase and decrease are one click of the arrows; the
// standard-length arrows do nothing while disabled.
TEST(WindowAccessibility, ArrowActionsAreExactlyOneClick) {
  WindowDriver w;
  w.Do(
      "increase UpDown10; see Edit11 524.29; increase UpDown7; see Edit7 70.1;"
      "decrease UpDown7; see Edit7 70; decrease UpDown2; see Edit2 -0.1; increase UpDown3;"
      "see Edit3 21; decrease UpDown9; see Edit9 10; item RadioGroup1 1; increase UpDown10;"
      "see Edit11 560");
  EXPECT_EQ(w.form.State().PressActive, 0) << "the press ended";
  QAccessibleInterface* arrows = Accessible(w.Find("UpDown3"));
  EXPECT_EQ(arrows->role(), QAccessible::SpinBox);
  EXPECT_EQ(arrows->text(QAccessible::Value), "21");
  EXPECT_TRUE(arrows->actionInterface()->actionNames().contains(
      QAccessibleActionInterface::decreaseAction()));
  // A tooth count's arrows run from 10 to 200 teeth, and say so.
  for (const char* teeth : {"UpDown3", "UpDown6", "UpDown9"}) {
    QAccessibleValueInterface* value = Accessible(w.Find(teeth))->valueInterface();
    ASSERT_NE(value, nullptr) << teeth;
    EXPECT_EQ(std::pair(value->minimumValue().toInt(), value->maximumValue().toInt()),
              std::pair(10, 200))
        << teeth;
  }
}
