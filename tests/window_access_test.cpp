// SPDX-License-Identifier: MIT
// The window for every user, through the real window: every number whole and
// inside its control and the window, the keyboard reaching everything, what
// a screen reader is told, tooltips, the window's place on small screens.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QStyleOptionFrame>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/fit.h"
#include "app/number_edit.h"
#include "text/number_text.h"
#include "window_driver.h"

using idrova::ArrowButton;

namespace {

using Steps = std::function<void(WindowDriver&)>;

// The edit's text as the user sees it: its text area looks exactly like the
// same text, from its first character, in an edit wide enough for all of it;
// with `whole` the text also ends inside the area, without it the text runs
// on under the mark at the area's right end, which the edit shows.
testing::AssertionResult ShowsText(QLineEdit* edit, bool whole) {
  auto* number = qobject_cast<NumberEdit*>(edit);
  if (!number || number->Overflows() == whole)
    return testing::AssertionFailure() << "'" << edit->text().toStdString() << "' "
                                       << (whole ? "overflows its edit" : "shows no mark");
  QLineEdit twin;
  twin.setStyle(edit->style());
  twin.setFont(edit->font());
  twin.setPalette(edit->palette());
  twin.setTextMargins(edit->textMargins());
  twin.setReadOnly(edit->isReadOnly());
  twin.resize(2000, edit->height());
  twin.setText(edit->text());
  twin.setCursorPosition(0);
  const QImage shown = edit->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage wide = twin.grab().toImage().convertToFormat(QImage::Format_RGB32);
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->rect();
  option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
  const QRect area = edit->style()
                         ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                         .marginsRemoved(edit->textMargins());
  // Ink is whatever differs from the row's colour far right in the twin.
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const QRgb base = wide.pixel(wide.width() / 2, y);
    // The number face is fixed-pitch: the characters that fit whole before
    // the ellipsis show as in the twin.
    const QFontMetricsF metrics(edit->font(), edit);
    const double pitch = metrics.horizontalAdvance('0');
    const int markLeft =
        area.left() + 2 +
        static_cast<int>(std::floor((area.width() - 4 - metrics.horizontalAdvance("…")) / pitch) *
                         pitch) -
        1;
    for (int x = area.left(); x <= (whole ? area.right() : markLeft); ++x)
      if (wide.pixel(x, y) != base && shown.pixel(x, y) != wide.pixel(x, y))
        return testing::AssertionFailure()
               << "'" << edit->text().toStdString()
               << "' does not show from its first character (x " << x << ")";
    if (!whole) continue;
    for (int x = area.right() + 1; x < wide.width() - 4; ++x)
      if (wide.pixel(x, y) != base)
        return testing::AssertionFailure()
               << "'" << edit->text().toStdString() << "' runs past the edit (x " << x << ")";
  }
  return testing::AssertionSuccess();
}

// The label holds the whole text in full, inside the window, overlapping no
// other control.
testing::AssertionResult ShowsLabel(WindowDriver& w, QLabel* label) {
  const QRect place = label->geometry();
  const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
  if (place.left() < 0 || place.right() >= TForm1::kClientWidth || place.width() < needed)
    return testing::AssertionFailure()
           << label->objectName().toStdString() << " '" << label->text().toStdString() << "' needs "
           << needed << " px, has " << place.left() << ".." << place.right();
  for (QWidget* other : w.form.Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (other == label || !other->isVisible() || !other->geometry().intersects(place)) continue;
    return testing::AssertionFailure()
           << label->objectName().toStdString() << " '" << label->text().toStdString()
           << "' overlaps " << other->objectName().toStdString();
  }
  return testing::AssertionSuccess();
}

struct FitRow {
  const char* Name;
  Steps Do;
  const char* Control;
  const char* Shown;
};

const FitRow kFits[] = {
    {"belt 1000 mm longer than the box showed",
     [](WindowDriver& w) { w.Layout("500", "0", "250", "-60"); }, "Edit11", "1168.83"},
    {"MXL proposal", [](WindowDriver& w) { w.Choose("MXL1"), w.ClickItem("RadioGroup1", 1); },
     "Edit11", "402.336"},
    {"stepped below -1000",
     [](WindowDriver& w) {
       w.Type("Edit1", "-1000");
       w.Calculate();
       w.ClickArrow("UpDown1", ArrowButton::Previous);
     },
     "Edit1", "-1000.1"},
    {"coordinate 99999.9",
     [](WindowDriver& w) {
       w.Type("Edit5", "99999.8");
       w.Calculate();
       w.ClickArrow("UpDown5", ArrowButton::Next);
     },
     "Edit5", "99999.9"},
    {"coordinate -9999.9",
     [](WindowDriver& w) {
       w.Type("Edit8", "-9999.8");
       w.Calculate();
       w.ClickArrow("UpDown8", ArrowButton::Previous);
     },
     "Edit8", "-9999.9"},
    {"found coordinate 7 characters",
     [](WindowDriver& w) {
       w.Layout("4000", "0", "2000", "-10");
       w.ClickItem("RadioGroup1", 2);
       w.ClickItem("RadioGroup2", 1);
       w.Type("Edit11", "8400");
       w.Calculate();
     },
     "Edit8", "-716.11"},
    {"length 9999.99 class", [](WindowDriver& w) { w.Layout("4900", "0", "2450.3", "-120.7"); },
     "Edit11", "9964.76"},
    {"standard length with three decimals",
     [](WindowDriver& w) {
       w.Choose("XH1");
       w.ClickItem("RadioGroup1", 1);
       for (int i = 0; i < 3; ++i) w.ClickArrow("UpDown10", ArrowButton::Next);
     },
     "Edit11", "66.675"},
    {"pitch of XH", [](WindowDriver& w) { w.Choose("XH1"); }, "Edit10", "22.225"},
    {"pitch of RS50", [](WindowDriver& w) { w.Choose("RS501"); }, "Edit10", "15.875"},
    {"two-wheel length past the right edge",
     [](WindowDriver& w) { w.Layout("900", "600", "450", "100"); }, "Label13", "(min 2323.33)"},
    {"two-wheel length of five digits", [](WindowDriver& w) { w.Layout("49000", "0", "70", "10"); },
     "Label13", "(min 98160)"},
    {"diameter of 100 teeth",
     [](WindowDriver& w) { w.ClickArrow("UpDown9", ArrowButton::Next, 90); }, "Label11", "φ254.65"},
    {"RS240 diameter", [](WindowDriver& w) { w.Choose("RS2401"); }, "Label11", "φ246.59"},
    {"RS240 200 teeth",
     [](WindowDriver& w) {
       w.Choose("RS2401");
       w.ClickArrow("UpDown9", ArrowButton::Next, 190);
     },
     "Label11", "φ4851.24"},
    {"RS240 two-wheel length", [](WindowDriver& w) { w.Choose("RS2401"); }, "Label13",
     "(min 1890.84)"},
    {"tooth count of a fine free pitch",
     [](WindowDriver& w) {
       w.Choose("N1");
       w.Type("Edit10", "0.001");
       w.Calculate();
     },
     "Label16", "歯数  371424"},
    {"type label RS240", [](WindowDriver& w) { w.Choose("RS2401"); }, "Label12", "種類   RS240"},
    {"direction warning",
     [](WindowDriver& w) {
       w.ClickItem("RadioGroup1", 1);
       w.Type("Edit11", "524");
       w.Calculate();
     },
     "Label14", "警告! 方向指定が間違っています"},
    {"layout warning", [](WindowDriver& w) { w.Layout("150", "0", "250", "0"); }, "Label14",
     "警告! この配置のベルト長さは無効です"},
};

}  // namespace

TEST(WindowFit, EveryNumberShowsWholeInsideItsControlAndTheWindow) {
  for (const FitRow& row : kFits) {
    SCOPED_TRACE(row.Name);
    WindowDriver w;
    row.Do(w);
    EXPECT_EQ(w.Text(row.Control), QString::fromUtf8(row.Shown));
    if (auto* edit = w.form.findChild<QLineEdit*>(row.Control)) {
      EXPECT_TRUE(ShowsText(edit, true));
    } else {
      EXPECT_TRUE(ShowsLabel(w, w.Find<QLabel>(row.Control)));
    }
  }
}

TEST(WindowFit, ATextLongerThanItsEditShowsItsLeadingCharacters) {
  WindowDriver w;
  QApplication::setActiveWindow(&w.form);
  w.Type("Edit1", "200000000000000000000");
  w.Find("Button1")->setFocus();  // the user leaves the edit
  EXPECT_TRUE(ShowsText(w.Find<QLineEdit>("Edit1"), false));
  // A length written by the program from a far layout, and a typed pitch.
  w.Type("Edit4", "-123456789");
  w.Calculate();
  EXPECT_TRUE(w.Text("Edit11").startsWith("4000000000002"));
  EXPECT_TRUE(ShowsText(w.Find<QLineEdit>("Edit11"), false));
}

TEST(WindowFit, ALabelTooLongForItsRowShrinksThenCutsAndNamesTheWholeValue) {
  WindowDriver w;
  w.Choose("N1");
  w.Type("Edit10", "0.0000001");
  w.Type("Edit4", "1e60");
  w.Calculate();
  auto* label = w.Find<QLabel>("Label13");
  EXPECT_TRUE(label->text().startsWith("(min 1999999")) << label->text().toStdString();
  EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
  EXPECT_EQ(label->font().pixelSize(), idrova::kSmallestLabelPixelSize);
  EXPECT_TRUE(ShowsLabel(w, label));
  EXPECT_TRUE(label->accessibleName().endsWith(")")) << "the name carries the whole value";
  // Back to a realistic layout, the label returns to its face and place.
  w.Type("Edit4", "150");
  w.Type("Edit10", "8");
  w.Calculate();
  EXPECT_EQ(label->text(), "(min 521.22)");
  EXPECT_EQ(label->font().pixelSize(), 15);
  EXPECT_TRUE(ShowsLabel(w, label));
  EXPECT_EQ(label->y(), 11);
}

// Regression: the proposal that cannot hold its tooth count left the count of
// the standard-length step before it on screen.
TEST(WindowFit, AProposalWhoseToothCountCannotBeHeldShowsDashes) {
  WindowDriver w;
  w.Choose("N1");
  w.Type("Edit10", "0.0000001");
  w.Calculate();
  EXPECT_EQ(w.Text("Label16"), QStringLiteral("歯数  ---"));
  w.ClickItem("RadioGroup1", 1);
  w.ClickArrow("UpDown10", ArrowButton::Next);
  EXPECT_EQ(w.Text("Label16"), QStringLiteral("歯数  1"));
  w.ClickItem("RadioGroup1", 2);
  EXPECT_EQ(w.Text("Label16"), QStringLiteral("歯数  ---"));
}

TEST(WindowPlace, TheWindowStaysInsideTheScreen) {
  const QSize outer = TForm1::kDesignOuterSize;
  const QPoint design = TForm1::kDesignPosition;
  const std::tuple<const char*, QRect, QPoint> rows[] = {
      {"full HD keeps the design place", {0, 0, 1920, 1040}, design},
      {"1600 x 1000 at scale 2", {0, 0, 800, 500}, {105, 20}},
      {"1366 x 768 at 150 %", {0, 0, 911, 512}, {216, 32}},
      {"panel above the free area", {0, 40, 1024, 700}, {298, 117}},
      {"panel left, narrow screen", {64, 0, 900, 768}, {269, 117}},
      {"screen smaller than the window", {0, 0, 640, 400}, {0, 0}},
      {"second screen to the right", {1920, 0, 1280, 984}, {1920, 117}},
  };
  for (const auto& [name, available, place] : rows)
    EXPECT_EQ(idrova::PlaceInside(available, outer, design), place) << name;
  WindowDriver w;
  EXPECT_TRUE(w.form.screen()->availableGeometry().contains(w.form.frameGeometry()));
  EXPECT_FALSE(w.form.windowIcon().pixmap(48).isNull()) << "the window carries the icon";
}

namespace {
void Press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QApplication::setActiveWindow(widget->window());
  widget->setFocus();
  QTest::keyClick(widget, key, modifiers);
}
}  // namespace

TEST(WindowKeyboard, ReturnPressesCalculateAndTheMenuKeysOpenTheTypeMenu) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    WindowDriver w;
    w.Type("Edit1", "100");
    Press(w.Find("Button1"), key);
    EXPECT_EQ(w.form.State().Wheel[0].X, 100.0) << key;
  }
  struct MenuRow {
    const char* Name;
    const char* From;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
  };
  const MenuRow menuKeys[] = {{"Shift+F10 on an arrow", "UpDown7", Qt::Key_F10, Qt::ShiftModifier},
                              {"Menu key on the button", "Button1", Qt::Key_Menu, {}},
                              {"Menu key on the zoom bar", "ScrollBar1", Qt::Key_Menu, {}},
                              {"Shift+F10 on the window", "Form1", Qt::Key_F10, Qt::ShiftModifier}};
  for (const MenuRow& row : menuKeys) {
    SCOPED_TRACE(row.Name);
    WindowDriver w;
    QWidget* from = QString(row.From) == "Form1" ? &w.form : w.Find(row.From);
    Press(from, row.Key, row.Modifiers);
    auto* menu = w.Find<QMenu>("PopupMenu1");
    ASSERT_TRUE(menu->isVisible());
    auto* label = w.Find("Label12");
    EXPECT_EQ(menu->pos(), label->mapToGlobal(QPoint(0, label->height())));
    // Down from the first entry, then Return: the second entry, S5M.
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(w.Text("Label12"), QStringLiteral("種類   S5M"));
    EXPECT_EQ(w.form.State().Pitch, 5.0);
  }
  WindowDriver w;
  Press(w.Find("Edit1"), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_FALSE(w.Find<QMenu>("PopupMenu1")->isVisible()) << "an edit keeps its own menu";
}

TEST(WindowKeyboard, PageKeysStepTenMillimetresAndTheZoomKeysGoTheirArrowsWay) {
  WindowDriver w;
  auto* arrows = w.Find("UpDown7");
  Press(arrows, Qt::Key_PageUp);
  EXPECT_EQ(w.Text("Edit7"), "80");
  QTest::keyClick(arrows, Qt::Key_PageDown);
  QTest::keyClick(arrows, Qt::Key_PageDown);
  EXPECT_EQ(w.Text("Edit7"), "60");
  const idrova::DriveState& s = w.form.State();
  EXPECT_EQ(std::tuple(s.StepSize, s.PressActive, s.PressClickCount), std::tuple(0.1, 0, 0))
      << "the page keys leave the step and the press alone";
  QTest::keyClick(arrows, Qt::Key_Right);
  EXPECT_EQ(w.Text("Edit7"), "60.1");
  EXPECT_EQ(w.Text("Edit11").toStdString(), idrova::FormatFloat("###0.##", s.BeltLength));
  // On the coarse step the page keys still make one 10 mm step, as the arrows now do.
  w.ClickArrow("UpDown8", ArrowButton::Next, 1, Qt::RightButton);
  Press(w.Find("UpDown8"), Qt::Key_PageDown);
  EXPECT_EQ(w.Text("Edit8"), "0");
  EXPECT_EQ(s.StepSize, 10.0);

  auto* zoom = w.Find<QScrollBar>("ScrollBar1");
  const std::pair<Qt::Key, int> zoomKeys[] = {
      {Qt::Key_Right, 11}, {Qt::Key_Up, 12}, {Qt::Key_Left, 11}, {Qt::Key_Down, 10}};
  zoom->setFocus();
  for (auto [key, position] : zoomKeys) {
    QTest::keyClick(zoom, key);
    EXPECT_EQ(zoom->value(), position) << key;
  }
  EXPECT_EQ(s.Scale, 1.0);
}

TEST(WindowKeyboard, EveryFocusableControlShowsAClearFocusFrame) {
  WindowDriver w;
  QApplication::setActiveWindow(&w.form);
  auto grab = [](QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
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
    const QImage unfocused = grab(widget);
    widget->setFocus(Qt::TabFocusReason);  // as the Tab key moves it
    ASSERT_TRUE(widget->hasFocus()) << name;
    // At least a one-pixel ring round the control.
    EXPECT_GE(framePixels(unfocused, grab(widget)), widget->width() + widget->height()) << name;
  }
}

namespace {
QAccessibleInterface* Accessible(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget);
}
}  // namespace

TEST(WindowAccessibility, EveryControlHasANameAndATwoLineTooltip) {
  WindowDriver w;
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
  EXPECT_EQ(controls, 11 + 25 + 10 + 2 + 3 + 5 + 2 + 1 + 2 + 5);  // the sheet's five last
  const std::pair<const char*, const char*> names[] = {{"Edit1", "NO 1 の X 座標"},
                                                       {"Edit8", "NO 3 の Y 座標"},
                                                       {"Edit11", "ベルト長さ"},
                                                       {"Edit10", "ピッチ"},
                                                       {"UpDown9", "NO 3 の歯数の矢印"},
                                                       {"ScrollBar1", "図の拡大率"},
                                                       {"Label9", "NO 1 の直径: φ50.93"},
                                                       {"Label13", "最小ベルト長さ: (min 520.56)"},
                                                       {"Label16", "ベルトの歯数: 歯数  66"},
                                                       {"Image2", "ベルト配置の図"}};
  for (const auto& [control, name] : names)
    EXPECT_EQ(Accessible(w.Find(control))->text(QAccessible::Name), QString::fromUtf8(name))
        << control;
  EXPECT_TRUE(Accessible(w.Find("Image2"))->text(QAccessible::Description).contains("524.29"));
  EXPECT_EQ(Accessible(w.Find("Image2"))->role(), QAccessible::Graphic);
  w.ClickArrow("UpDown7", ArrowButton::Next);
  EXPECT_TRUE(
      Accessible(w.Find("Image2"))->text(QAccessible::Description).contains(w.Text("Edit11")));
}

TEST(WindowAccessibility, ArrowActionsAreExactlyOneClick) {
  WindowDriver w;
  struct ActionRow {
    const char* Arrows;
    bool Increase;
    const char* Edit;
    const char* Shown;
  };
  const ActionRow rows[] = {{"UpDown7", true, "Edit7", "70.1"},
                            {"UpDown7", false, "Edit7", "70"},
                            {"UpDown2", false, "Edit2", "-0.1"},
                            {"UpDown3", true, "Edit3", "21"},
                            {"UpDown9", false, "Edit9", "10"}};
  for (const ActionRow& row : rows) {
    QAccessibleInterface* arrows = Accessible(w.Find(row.Arrows));
    ASSERT_EQ(arrows->role(), QAccessible::SpinBox);
    QAccessibleActionInterface* actions = arrows->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::increaseAction()));
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::decreaseAction()));
    actions->doAction(row.Increase ? QAccessibleActionInterface::increaseAction()
                                   : QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(w.Text(row.Edit), row.Shown) << row.Arrows;
    EXPECT_EQ(w.form.State().PressActive, 0) << "the press ended";
  }
  EXPECT_EQ(Accessible(w.Find("UpDown3"))->text(QAccessible::Value), "21");
  // Disabled, the standard-length arrows do nothing; enabled, one standard step.
  QAccessibleActionInterface* standard = Accessible(w.Find("UpDown10"))->actionInterface();
  standard->doAction(QAccessibleActionInterface::increaseAction());
  EXPECT_EQ(w.form.State().LengthIndex, 0);
  w.ClickItem("RadioGroup1", 1);
  standard->doAction(QAccessibleActionInterface::increaseAction());
  EXPECT_EQ(w.Text("Edit11"), "560");
}

// Idrova takes no options or files: whatever Qt leaves of the command line is
// reported, one line each, and nothing when there is nothing left.
TEST(CommandLine, ArgumentsLeftByQtAreReportedAsIgnored) {
  const struct {
    const char* Name;
    std::vector<std::string> Arguments;
    std::string Report;
  } rows[] = {
      {"no arguments", {"idrova"}, ""},
      {"an option and a file",
       {"idrova", "--help", "drive.txt"},
       "idrova: takes no options or files; ignored: --help\n"
       "idrova: takes no options or files; ignored: drive.txt\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    std::vector<char*> argv;
    for (const std::string& argument : row.Arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    const int reported = ReportIgnoredArguments(static_cast<int>(argv.size()), argv.data(), out);
    std::rewind(out);
    std::string text;
    for (int c = std::fgetc(out); c != EOF; c = std::fgetc(out))
      text.push_back(static_cast<char>(c));
    std::fclose(out);
    EXPECT_EQ(reported, static_cast<int>(row.Arguments.size()) - 1);
    EXPECT_EQ(text, row.Report);
  }
}
