// SPDX-License-Identifier: MIT
// The window on every desktop, through the real window: readable under a
// dark and a high-contrast palette (contrast measured on grabbed pixels),
// coordinates typed from their arrows, the tooth counts' page and end keys,
// what a screen reader is told, and Qt's own texts in Japanese.
#include <QApplication>
#include <QMenu>
#include <QStyleOptionGroupBox>
#include <tuple>

#include "app/contrast.h"
#include "app/number_edit.h"
#include "window_driver.h"

using idrova::ArrowButton;
using idrova::ContrastRatio;

namespace {

// In a widget's area as drawn, the contrast against the colour that covers
// most of it of the pixel that differs most: for a text, the text against
// what is behind it.
double InkContrast(QWidget* widget, QRect area) {
  const QImage image = widget->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
  QHash<QRgb, int> count;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++count[image.pixel(x, y)];
  QRgb behind = 0;
  for (auto it = count.cbegin(); it != count.cend(); ++it)
    if (it.value() > count.value(behind, 0)) behind = it.key();
  double most = 1.0;
  for (auto it = count.cbegin(); it != count.cend(); ++it)
    most = std::max(most, ContrastRatio(QColor::fromRgb(it.key()), QColor::fromRgb(behind)));
  return most;
}

// Where a control draws its text, in its own coordinates.
QRect TextArea(QWidget* control) {
  QStyleOption option;
  option.initFrom(control);
  if (auto* item = qobject_cast<QRadioButton*>(control))
    return control->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, item);
  if (auto* group = qobject_cast<QGroupBox*>(control)) {
    QStyleOptionGroupBox box;
    box.initFrom(group);
    box.text = group->title();
    box.subControls = QStyle::SC_GroupBoxLabel;
    return group->style()->subControlRect(QStyle::CC_GroupBox, &box, QStyle::SC_GroupBoxLabel,
                                          group);
  }
  if (qobject_cast<QPushButton*>(control)) return control->rect().adjusted(4, 4, -4, -4);
  return control->rect();
}

QPalette Palette(QColor window, QColor text, QColor base, QColor disabledText) {
  QPalette palette(window);  // the window and the buttons, the texts on them, the edits
  palette.setColor(QPalette::Base, base);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
    palette.setColor(role, text);
    palette.setColor(QPalette::Disabled, role, disabledText);
  }
  return palette;
}

}  // namespace

// Under a dark palette (Breeze Dark's colours) and a high-contrast one, every
// text of both windows reads at 4.5:1 against what is behind it and every
// line of the picture at 4.5:1 against the picture, each wheel in a hue of
// its own; the edits keep their
// designed colours. Under the light palette the design's colours stay.
TEST(WindowDesktop, EveryTextAndLineReadableUnderEveryPalette) {
  const QPalette light = QApplication::palette();
  const std::tuple<const char*, QPalette, bool> rows[] = {
      // texts checked, or the picture only
      {"dark", Palette({49, 54, 59}, {239, 240, 241}, {35, 38, 41}, {98, 108, 118}), true},
      {"high contrast", Palette(Qt::black, Qt::white, Qt::black, {110, 110, 110}), true},
      // Just dark enough for lighter lines; the texts are left to the dark and
      // high-contrast rows (on this grey the style draws コピー at 4:1).
      {"mid grey", Palette({94, 94, 94}, Qt::white, {80, 80, 80}, {200, 200, 200}), false},
  };
  for (const auto& [name, colours, checkTexts] : rows) {
    SCOPED_TRACE(name);
    QApplication::setPalette(colours);
    WindowDriver w;
    w.ClickArrow("UpDown3", ArrowButton::Previous, 10);  // a caution
    w.Choose("S5M1");                                    // Label15
    DesignSheetWindow* sheet = w.OpenSheet();
    QList<QWidget*> texts;
    for (QWidget* control : w.form.findChildren<QWidget*>()) {
      const bool text = qobject_cast<QLabel*>(control) || qobject_cast<QLineEdit*>(control) ||
                        qobject_cast<QAbstractButton*>(control) ||
                        qobject_cast<QGroupBox*>(control);
      const auto* group = qobject_cast<QGroupBox*>(control);
      const QString shown = group ? group->title() : control->property("text").toString();
      if (text && control->isVisible() && !shown.isEmpty()) texts << control;
    }
    ASSERT_GT(texts.size(), 45);
    if (!checkTexts) texts.clear();
    for (QWidget* control : texts) {
      EXPECT_GE(InkContrast(control, TextArea(control)), 4.5)
          << control->objectName().toStdString() << " "
          << control->property("text").toString().toStdString();
    }
    // The coarse step's arrow heads on their selection colour.
    w.ClickArrow("UpDown1", ArrowButton::Next, 1, Qt::RightButton);
    EXPECT_GE(InkContrast(w.Find("UpDown1"), w.Find("UpDown1")->rect()), 4.5);
    // The sheet's table: every cell on the table's background.
    QWidget* table = sheet->StringGrid1->viewport();
    EXPECT_GE(InkContrast(table, table->rect()), 4.5);
    // The edits keep their white and pale yellow with a dark text.
    EXPECT_EQ(w.Find<QLineEdit>("Edit11")->palette().color(QPalette::Base), QColor(255, 255, 181));
    EXPECT_EQ(w.Find<QLineEdit>("Edit11")->palette().color(QPalette::Text), QColor(Qt::black));
    // The picture: its background the theme's button face, every line 4.5:1,
    // the wheels red, blue and green still (their strongest channel).
    const QImage picture = w.Picture();
    const QColor background = colours.color(QPalette::Button);
    int lines = 0;
    double least = 21;
    QSet<QRgb> inks;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (QColor::fromRgb(picture.pixel(x, y)) != background) {
          ++lines;
          inks.insert(picture.pixel(x, y));
          least = std::min(least, ContrastRatio(QColor::fromRgb(picture.pixel(x, y)), background));
        }
    EXPECT_GT(lines, 300);
    EXPECT_GE(least, 4.5);
    QStringList hues;  // the strongest channel of each wheel's ink
    for (const QRgb ink : inks) {
      const int r = qRed(ink), g = qGreen(ink), b = qBlue(ink);
      if (r > g && r > b) hues << "red";
      if (g > r && g > b) hues << "green";
      if (b > r && b > g) hues << "blue";
    }
    hues.sort();
    EXPECT_EQ(hues, (QStringList{"blue", "green", "red"}));
  }
  QApplication::setPalette(light);
  WindowDriver w;
  EXPECT_EQ(w.Find("Label2")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(w.Picture().pixel(175, 200) & 0xFFFFFF, 0x0000FFu) << "wheel 2 in its blue";
}

// The 10 mm step is seen at a glance: most of the arrows' face changes (the
// selection colour behind doubled heads), and their tooltip leads with the
// step in both languages. Back at 0.1 mm the arrows look as before.
TEST(WindowDesktop, TheCoarseStepIsSeenAtAGlance) {
  WindowDriver w;
  auto* arrows = w.Find<ArrowControl>("UpDown7");
  const QImage fine = arrows->grab().toImage();
  const std::tuple<const char*, bool, const char*, const char*> rows[] = {
      {"coarse", true, "いまは 10 mm 刻み。NO 3 の X を 10 mm 増減",
       "Now 10 mm steps. Step X of NO 3 by 10 mm;"},
      {"fine again", false, "いまは 0.1 mm 刻み。NO 3 の X を 0.1 mm 増減",
       "Now 0.1 mm steps. Step X of NO 3 by 0.1 mm;"},
  };
  for (const auto& [name, coarse, japanese, english] : rows) {
    SCOPED_TRACE(name);
    w.ClickArrow("UpDown1", ArrowButton::Next, 1, Qt::RightButton);
    const QImage shown = arrows->grab().toImage();
    int changed = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) changed += shown.pixel(x, y) != fine.pixel(x, y);
    if (coarse)
      EXPECT_GT(changed, shown.width() * shown.height() * 6 / 10);
    else
      EXPECT_EQ(changed, 0);
    const QStringList lines = arrows->toolTip().split(u'\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8(japanese))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QString::fromUtf8(english))) << lines[1].toStdString();
  }
}

// On a coordinate's arrows the keyboard types the coordinate, as in a
// spreadsheet: a digit, sign or point goes into the edit in place of its
// text, F2 goes into it keeping the text; Escape goes back, Tab goes on from
// the arrows, Return presses 計算. The tooth counts' Page Up / Page Down
// step ten teeth, Home and End go to the ends, each one click of the arrows.
TEST(WindowDesktop, TheKeyboardTypesEveryCoordinateAndStepsTheTeeth) {
  Tell({
      {"a digit replaces the text", "focus UpDown7; keys 5; see Edit7 5; focused Edit7"},
      {"a minus sign and digits", "focus UpDown7; keys -32; see Edit7 -32; focused Edit7"},
      {"a decimal point", "focus UpDown7; keys .5; see Edit7 .5; focused Edit7"},
      {"a full-width digit", "focus UpDown7; keys ８; see Edit7 ８; focused Edit7"},
      {"F2 keeps the text", "focus UpDown7; key F2; keys 1; see Edit7 701; focused Edit7"},
      {"a letter does nothing", "focus UpDown7; keys a; see Edit7 70; focused UpDown7"},
      {"Escape, Tab and Return",
       "focus UpDown7; keys 8; key Escape; focused UpDown7; keys 60; key Tab; focused UpDown8;"
       "keys -5; key Return; focused Button1; see Edit11 528.68"},
      {"tooth count keys",
       "focus UpDown3; key PgUp; see Edit3 30; see Label9 φ76.39; key PgDown; see Edit3 20;"
       "key PgDown; see Edit3 10; key PgDown; see Edit3 10; see Label9 φ25.46; key End;"
       "see Edit3 200; key PgUp; see Edit3 200; see Label9 φ509.3; key Home; see Edit3 10"},
  });
}

// Qt's own texts are Japanese, and Shift+F10 in an edit opens its own menu.
TEST(WindowDesktop, QtsOwnTextsInJapaneseAndTheEditMenuFromTheKeyboard) {
  WindowDriver w;
  w.Do("focus Edit1; key Shift+F10");
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr) << "Shift+F10 opens the edit's menu";
  QStringList entries;
  for (const QAction* action : menu->actions()) entries << action->text();
  menu->close();
  EXPECT_TRUE(entries.join(' ').contains(QStringLiteral("元に戻す")))
      << entries.join(' ').toStdString();
  EXPECT_FALSE(w.Find<QMenu>("PopupMenu1")->isVisible()) << "not the type menu";
}

// The group items stand below their frame's top line, ピッチ clear of the
// pitch edit, the caution line apart from Label15 below it.
TEST(WindowDesktop, NoControlRunsIntoItsNeighbour) {
  WindowDriver w;
  w.Choose("S5M1");
  for (const char* name : {"RadioGroup1", "RadioGroup2"}) {
    auto* group = w.Find<QGroupBox>(name);
    for (QRadioButton* item : group->findChildren<QRadioButton*>()) {
      EXPECT_GE(item->y(), group->contentsRect().top() - 1) << name;
      EXPECT_LE(item->geometry().bottom(), group->height() - 2) << name;
    }
  }
  auto* pitch = w.Find<QLabel>("Label7");
  EXPECT_LE(pitch->x() + pitch->fontMetrics().horizontalAdvance(pitch->text()),
            w.Find("Edit10")->x() - 2);
  const QRect caution = w.Find("Label25")->geometry();
  const QRect number = w.Find("Label15")->geometry();
  EXPECT_GE(number.top() - caution.bottom(), 8);
  EXPECT_LT(caution.left(), number.left() - 30) << "the caution does not start above the number";
}
