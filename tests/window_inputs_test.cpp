// SPDX-License-Identifier: MIT
// User stories through the real window: type menu, tooth counts, coordinate
// steppers, calculation modes, the calculate button and its search, standard
// lengths, and unreadable or extreme input.
#include <QApplication>
#include <array>

#include "text/number_text.h"
#include "window_driver.h"

using idrova::ArrowButton;

namespace {

struct TypeRow {
  const char* Name;
  int Code;
  const char* PitchText;
  const char* Diameter20;  // wheels 1 and 2, 20 teeth
  const char* Diameter10;  // wheel 3, 10 teeth
};

// Diameters worked out independently: z*p/pi for belts, p/sin(pi/z) for chains.
const TypeRow kTypes[] = {
    {"S45M1", 4, "4.5", "φ28.65", "φ14.32"},        {"S5M1", 5, "5", "φ31.83", "φ15.92"},
    {"S8M1", 8, "8", "φ50.93", "φ25.46"},           {"S14M1", 14, "14", "φ89.13", "φ44.56"},
    {"MXL1", 15, "2.032", "φ12.94", "φ6.47"},       {"XL1", 16, "5.08", "φ32.34", "φ16.17"},
    {"L1", 17, "9.525", "φ60.64", "φ30.32"},        {"H1", 18, "12.7", "φ80.85", "φ40.43"},
    {"XH1", 19, "22.225", "φ141.49", "φ70.74"},     {"XXH1", 20, "31.75", "φ202.13", "φ101.06"},
    {"RS251", 25, "6.35", "φ40.59", "φ20.55"},      {"RS351", 35, "9.525", "φ60.89", "φ30.82"},
    {"RS401", 40, "12.7", "φ81.18", "φ41.1"},       {"RS501", 50, "15.875", "φ101.48", "φ51.37"},
    {"RS601", 60, "19.05", "φ121.78", "φ61.65"},    {"RS801", 80, "25.4", "φ162.37", "φ82.2"},
    {"RS1001", 100, "31.75", "φ202.96", "φ102.75"}, {"RS1201", 120, "38.1", "φ243.55", "φ123.29"},
    {"RS1401", 140, "44.45", "φ284.14", "φ143.84"}, {"RS1601", 160, "50.8", "φ324.74", "φ164.39"},
    {"RS1801", 180, "57.15", "φ365.33", "φ184.94"}, {"RS2001", 200, "63.5", "φ405.92", "φ205.49"},
    {"RS2401", 240, "76.2", "φ487.1", "φ246.59"}};

}  // namespace

TEST(WindowTypeMenu, EveryCatalogueEntrySetsTypePitchRadiiAndRecalculates) {
  WindowDriver w;
  for (std::size_t i = 0; i < std::size(kTypes); ++i) {
    const TypeRow& row = kTypes[i];
    SCOPED_TRACE(row.Name);
    w.Choose(row.Name);
    const auto* action = w.form.findChild<QAction*>(row.Name);
    EXPECT_EQ(w.Text("Label12"), QStringLiteral("種類   ") + action->text());
    // Named after its caption; tagged with its place among the belts, or a chain's code.
    EXPECT_EQ(action->text().remove('.') + "1", row.Name);
    EXPECT_EQ(action->data().toInt(), row.Code >= 25 ? row.Code : static_cast<int>(i) + 1);
    w.Do(QStringLiteral("see Edit10 %1; see Label9 %2; see Label11 %3")
             .arg(row.PitchText, QString::fromUtf8(row.Diameter20),
                  QString::fromUtf8(row.Diameter10)));
    EXPECT_TRUE(w.Find<QLineEdit>("Edit10")->isReadOnly());
    EXPECT_EQ(w.form.State().BeltType, row.Code);
    EXPECT_EQ(w.form.State().Pitch, std::stod(row.PitchText));
    // The results belong to the new wheels.
    EXPECT_EQ(w.Text("Edit11").toStdString(),
              idrova::FormatFloat("###0.##", w.form.State().BeltLength));
  }
  EXPECT_EQ(w.Text("Label15"), "2") << "S5M leaves its tag behind";
}

TEST(WindowTypeMenu, RightClickOnTheTypeLabelOpensTheTypeMenu) {
  WindowDriver w;
  QWidget* label = w.Find("Label12");
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                               label->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(label, &rightClick);
  auto* menu = w.Find<QMenu>("PopupMenu1");
  EXPECT_TRUE(menu->isVisible());
  menu->close();
}

TEST(WindowTypeMenu, TheFreeEntryOnlyUnlocksThePitch) {
  WindowDriver w;
  // A typed pitch takes effect with the calculate button, with the chain rule;
  // a catalogue entry discards it and locks the edit again.
  w.Do(
      "choose RS401; see Edit11 616.91; choose N1; see Label12 種類   その他; see Edit10 12.7;"
      "see Edit11 616.91; type Edit10 10; see Label9 φ81.18; calc; see Label9 φ63.92");
  EXPECT_FALSE(w.Find<QLineEdit>("Edit10")->isReadOnly());
  w.Do("choose S8M1; see Edit10 8");
  EXPECT_TRUE(w.Find<QLineEdit>("Edit10")->isReadOnly());
}

TEST(WindowArrows, ToothCountsAndCoordinatesStepAsClicked) {
  Tell({
      {"a tooth count resizes one wheel and stops at the ends, changing nothing there",
       "click UpDown6 next 20; see Edit6 40; belt 605.001558; see Label10 φ101.86;"
       "see Label9 φ50.93; mark; click UpDown9 prev 3; see Edit9 10; drawn no;"
       "click UpDown3 next 200; see Edit3 200; see Label9 φ509.3"},
      // Each click recalculates from the stored coordinates; the right button
      // switches every stepper between 0.1 and 10 mm; a typed coordinate is
      // replaced by the next step of the stored one, shown to one decimal.
      // Regression: a typed text that already read as the stepped value left
      // the drive of the coordinate before the step on screen.
      {"a step to the value typed",
       "click UpDown1 next; type Edit1 0; click UpDown1 prev;"
       "see Edit1 0; see Edit11 524.29"},
      {"steppers",
       "click UpDown1 next 3; see Edit1 0.3; click UpDown2 prev; see Edit2 -0.1;"
       "click UpDown7 next; see Edit7 70.1; see Edit11 523.86; right UpDown8; see Edit8 10;"
       "click UpDown5 next; see Edit5 110; right UpDown4; click UpDown5 next; see Edit5 110.1;"
       "type Edit4 300; click UpDown4 prev; see Edit4 149.9; type Edit1 0.12; calc;"
       "click UpDown1 next; see Edit1 0.2"},
  });
  WindowDriver w;
  w.ClickArrow("UpDown1", ArrowButton::Next, 3);
  EXPECT_EQ(w.form.State().Wheel[0].X, 0.30000000000000004) << "stored unrounded";
  // The halves meet in the middle: its right (or lower) pixel is the next half's.
  for (const auto& [name, middle, before, shown] :
       {std::tuple("UpDown7", QPoint(10, 10), QPoint(9, 10), "70"),
        {"UpDown8", QPoint(10, 10), QPoint(10, 11), "10"}}) {
    QTest::mouseClick(w.Find(name), Qt::LeftButton, {}, middle);
    QTest::mouseClick(w.Find(name), Qt::LeftButton, {}, before);
    EXPECT_EQ(w.Text(name == QString("UpDown7") ? "Edit7" : "Edit8"), shown) << name;
  }
}

TEST(WindowSteppers, AHeldArrowRepeatsAndSpeedsUpFromTheFifthClick) {
  WindowDriver w;
  w.ClickArrow("UpDown4", ArrowButton::Next, 1, Qt::LeftButton, 1000);
  const double moved = w.form.State().Wheel[1].X - 150.0;
  // 0.1 for each of the first four clicks, 0.5 for every later one.
  const int clicks = 4 + static_cast<int>(std::lround((moved - 0.4) / 0.5));
  EXPECT_GE(clicks, 6);
  EXPECT_NEAR(moved, 0.4 + 0.5 * (clicks - 4), 1e-9);
  EXPECT_EQ(w.form.State().PressActive, 0);
  // The next press starts slow again.
  w.ClickArrow("UpDown4", ArrowButton::Next);
  EXPECT_NEAR(w.form.State().Wheel[1].X - 150.0, moved + 0.1, 1e-9);
}

TEST(WindowModes, ChoosingX3ProposesTheShortestWholeToothBeltWithoutRedrawing) {
  WindowDriver w;
  w.Do(
      "mark; item RadioGroup1 1; see Edit11 528; see Label16 歯数  66; off UpDown7; on UpDown8;"
      "on RadioGroup2; on UpDown10; drawn no");
  EXPECT_EQ(w.form.State().SpecifiedLength, 528.0);
  EXPECT_EQ(w.Find<QLineEdit>("Edit7")->palette().color(QPalette::Base), QColor(255, 255, 181));
  EXPECT_EQ(w.Find<QLineEdit>("Edit11")->palette().color(QPalette::Base), QColor(255, 255, 255));
  EXPECT_EQ(w.Find<ArrowControl>("UpDown10")->Position(), 66);
  EXPECT_EQ(w.form.State().LengthIndex, 0) << "setting the position is no click";
  w.Do("item RadioGroup2 1");
  EXPECT_EQ(w.form.State().Direction, -1);
  w.Do(
      "item RadioGroup1 2; off UpDown8; on UpDown7; item RadioGroup1 0; see Edit11 524.29;"
      "off RadioGroup2; off UpDown10");
}

// The search from the design layout: the request stays in the length field,
// the coordinate found shows in its edit, or the warning and the old one.
TEST(WindowSearch, DesignLayoutCases) {
  Tell({
      {"x3 528 plus",
       "item RadioGroup1 1; type Edit11 528; calc; see Edit7 84.93; see Edit11 528; see Label14 "},
      {"x3 524 minus",
       "item RadioGroup1 1; item RadioGroup2 1; type Edit11 524; calc;"
       "see Edit7 68.63; see Edit11 524; see Label14 "},
      {"y3 528 minus",
       "item RadioGroup1 2; item RadioGroup2 1; type Edit11 528; calc;"
       "see Edit8 1.4; see Label14 "},
      {"already within tolerance",
       "item RadioGroup1 1; type Edit11 524.29; calc; see Edit7 70; see Label14 "},
      {"x3 524 plus runs away",
       "item RadioGroup1 1; type Edit11 524; calc; see Edit7 70;"
       "see Edit11 524; see Label14 警告! 方向指定が間違っています"},
      {"shorter than two wheels",
       "item RadioGroup1 1; type Edit11 500; calc; see Edit7 70;"
       "see Edit11 500; see Label14 警告! 指定長さが短かすぎます;"
       "see Label13 (min 520.56)"},
  });
}

TEST(WindowSearch, AFoundCoordinateIsRedrawnAndAFailedSearchKeepsIt) {
  WindowDriver w;
  w.Do("mark; item RadioGroup1 1; calc; see Label16 歯数  66; drawn yes");  // the proposed 528
  EXPECT_NEAR(w.form.State().BeltLength, 528.0, 0.005);
  w.Do(
      "item RadioGroup2 0; type Edit11 520.6; calc; see Label14 警告! 方向指定が間違っています;"
      "see Edit7 84.93");
  EXPECT_NEAR(w.form.State().Wheel[2].X, 84.93, 1e-9);
}

// The S8M table, then whole pitches for types without one, from the index
// left behind (1); the stepped length is what the search looks for.
TEST(WindowStandardLengths, TheArrowsStepThroughTheTableOrWholePitches) {
  WindowDriver w;
  w.Do(
      "item RadioGroup1 1; click UpDown10 next; see Edit11 560; see Label16 歯数  70;"
      "click UpDown10 prev 2; see Edit11 4400; see Label16 歯数  550; see Label13 (min 520.56);"
      "click UpDown10 next 2; see Edit11 560; calc; see Label14 ");
  EXPECT_NEAR(w.form.State().BeltLength, 560.0, 0.005);
  w.Do(
      "choose XH1; item RadioGroup1 2; click UpDown10 next; see Edit11 44.45;"
      "see Label16 歯数  2; click UpDown10 next; see Edit11 66.675; see Label16 歯数  3");
}

// For every edit the calculate button reads (in its reading order; the
// tooth-count edits are read-only and hold only arrow-written counts) and
// every kind of unreadable text, full-width ones too: the message names the
// field, on its English line as on its Japanese one, and the text, and
// stands clear of the field; the fields read before it keep their new
// values, it and the later ones keep the old ones; when the message closes,
// the field has the focus with its text selected.
TEST(WindowBadInput, UnreadableTextNamesTheFieldAndTheTextAndKeepsWhatWasReadBefore) {
  struct Field {
    const char* Edit;
    const char* Name;  // as the message names it, in Japanese and in English
    const char* English;
    const char* NewText;
  };
  const Field order[] = {{"Edit10", "ピッチ", "the pitch", "5"},
                         {"Edit1", "NO 1 の X 座標", "X of NO 1", "1"},
                         {"Edit2", "NO 1 の Y 座標", "Y of NO 1", "２"},
                         {"Edit4", "NO 2 の X 座標", "X of NO 2", "140"},
                         {"Edit5", "NO 2 の Y 座標", "Y of NO 2", "９０"},
                         {"Edit7", "NO 3 の X 座標", "X of NO 3", "71"},
                         {"Edit8", "NO 3 の Y 座標", "Y of NO 3", "－１１"},
                         {"Edit11", "ベルト長さ", "the belt length", "530"}};
  const auto stored = [](const idrova::DriveState& s) {
    return std::array{s.Pitch,      s.Wheel[0].X, s.Wheel[0].Y, s.Wheel[1].X,
                      s.Wheel[1].Y, s.Wheel[2].X, s.Wheel[2].Y, s.SpecifiedLength};
  };
  const double read[] = {5, 1, 2, 140, 90, 71, -11, 530};
  const char* texts[] = {"",     "  ",    "abc", "1,5",    "nan",    "inf",    "1e400",
                         "0x10", "1.2.3", "-",   "１ｅ３", "１，５", "\u3000", "１\u3000２"};
  for (std::size_t bad = 0; bad < std::size(order); ++bad) {
    for (std::size_t k = 0; k < 3; ++k) {
      const QString text = QString::fromUtf8(texts[(bad * 3 + k) % std::size(texts)]);
      SCOPED_TRACE(std::string(order[bad].Edit) + " <- '" + text.toStdString() + "'");
      WindowDriver w;
      w.Do("choose N1; item RadioGroup1 1");
      for (const Field& field : order) w.Type(field.Edit, QString::fromUtf8(field.NewText));
      w.Type(order[bad].Edit, text);
      const idrova::DriveState before = w.form.State();
      w.Calculate();
      QMessageBox* box = w.ErrorBox();
      ASSERT_TRUE(box->isVisible());
      EXPECT_TRUE(
          box->text().startsWith(QStringLiteral("「%1」").arg(QString::fromUtf8(order[bad].Name))))
          << box->text().toStdString();
      const QString english = QString::fromUtf8(order[bad].English);
      EXPECT_EQ(
          box->text().section('\n', 1),
          text.trimmed().isEmpty()
              ? english + " is empty; type a number."
              : QStringLiteral("The text '%1' in %2 is not a valid number.").arg(text, english));
      EXPECT_TRUE(text.trimmed().isEmpty()
                      ? box->text().contains(QStringLiteral("空欄"))
                      : box->text().contains(QStringLiteral("'%1'").arg(text)));
      EXPECT_TRUE(box->isModal());
      auto* field = w.Find<QLineEdit>(order[bad].Edit);
      EXPECT_FALSE(
          box->frameGeometry().intersects(QRect(field->mapToGlobal(QPoint()), field->size())))
          << "the message covers the field it names";
      for (std::size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(stored(w.form.State())[i], i < bad ? read[i] : stored(before)[i])
            << order[i].Edit;
      QTest::keyClick(box, Qt::Key_Return);
      EXPECT_FALSE(box->isVisible());
      EXPECT_EQ(w.form.focusWidget(), field);
      EXPECT_EQ(field->selectedText(), field->text());
      const double y = w.form.State().Wheel[2].Y;
      w.ClickArrow("UpDown8", ArrowButton::Next);  // the window stays usable
      EXPECT_EQ(w.form.State().Wheel[2].Y, y + 0.1);
    }
  }
}

// Without a pitch there is no whole-tooth count: the last one stays, and
// the two-wheel length itself is proposed.
TEST(WindowBadInput, AZeroPitchForTheFreeTypeStopsTheButtonSilently) {
  WindowDriver w;
  w.Do("choose N1; type Edit10 0; type Edit1 5; calc");
  EXPECT_EQ(std::pair(w.form.State().Pitch, w.form.State().Wheel[0].X), std::pair(8.0, 0.0));
  w.Do("type Edit10 0.0; calc");
  EXPECT_EQ(std::pair(w.form.State().Pitch, w.form.State().Wheel[0].X), std::pair(0.0, 0.0));
  EXPECT_FALSE(w.ErrorBox()->isVisible());
  w.Do(
      "click UpDown7 next; see Label16 歯数  66; item RadioGroup1 1; see Label16 歯数  66;"
      "see Edit11 520.555; click UpDown10 next; see Label16 歯数  66");
}

// A tensioner beyond wheel 2 on the line from wheel 1 (the path misses it)
// or on wheel 1's centre (a belt shorter than the two-wheel belt): the
// length is flagged, with the real one for reference, until the layout is
// valid again. A search clears the line when it starts and keeps its own
// warnings.
TEST(WindowLayoutCheck, ALengthThatIsNotTheRealBeltIsFlaggedUntilTheLayoutIsValid) {
  WindowDriver w;
  w.Do(
      "see Label14 ; layout 150 0 250 0; see Edit11 460;"
      "see Label14 警告! この配置のベルト長さは無効です; see Label25 参考: 実際のベルト長さ 621.62;"
      "layout 150 100 0 0; see Edit11 513.52; see Label14 警告! この配置のベルト長さは無効です;"
      "layout 150 100 75 20; see Label14 ; see Label25 ; see Label22 9;"
      "item RadioGroup1 1; type Edit11 500; calc; see Label14 警告! 指定長さが短かすぎます;"
      "click UpDown8 next; see Label14 警告! 指定長さが短かすぎます");
  EXPECT_EQ(w.Find("Label18")->accessibleName(),
            QStringLiteral("NO 1 の巻付角: ") + w.Text("Label18"));
}
