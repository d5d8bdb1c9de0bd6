// SPDX-License-Identifier: MIT
// The figures a designer orders by, through the real window: whole counts as
// belt and chain makers count them, the free type both ways, and the design
// sheet (Form2) with its copied text, cautions and screen-reader view.
// Expected figures are the makers' published centres and hand computations:
// a chain of N links on sprockets of z1 and z2 teeth at the handbook centre
//   C = p/4 (L - (z1+z2)/2 + sqrt((L - (z1+z2)/2)^2 - 8 ((z2-z1)/2pi)^2)),
// which the pitch-polygon count meets within 0.002 link.
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QClipboard>
#include <tuple>

#include "window_driver.h"

using idrova::ArrowButton;

namespace {

// Rows give two wheels of the given teeth on the X axis and a 10-tooth
// tensioner on the centre line between them, clear of the belt (or, for
// equal wheels, touching both spans without bending them).
// Name, steps (WindowDriver::Do), Edit11, the count of Label16 and the sheet's 歯数, the
// sheet's リンク数 and 注文リンク数 (nullptr: no such line, a belt).
using CountRow = std::tuple<const char*, const char*, const char*, int, const char*, const char*>;

#define IDROVA_TWO_WHEELS(type, teeth1, teeth2, centre, half)                                      \
  "choose " type "; teeth UpDown3 " teeth1 "; teeth UpDown6 " teeth2 "; layout " centre " 0 " half \
  " 0"
#define IDROVA_FREE_10MM "choose N1; type Edit10 10; "
const CountRow kCounts[] = {
    {"S5M belt of 100 teeth at its exact centre, 500.00000000000006 mm",
     IDROVA_TWO_WHEELS("S5M1", "12", "36", "189.03438868937008", "94.5"), "500", 100, nullptr,
     nullptr},
    {"RS40 10/10 at the centre of 80 links",
     IDROVA_TWO_WHEELS("RS401", "10", "10", "444.5", "222.25"), "1018.11", 81, "80.00", "80"},
    {"RS40 17/34 at the centre of 100 links",
     IDROVA_TWO_WHEELS("RS401", "17", "34", "471.823774", "235.9"), "1270.91", 101, "100.00",
     "100"},
    {"RS50 19/38 at the centre of 120 links",
     IDROVA_TWO_WHEELS("RS501", "19", "38", "724.691269", "362.3"), "1906.02", 121, "120.00",
     "120"},
    {"RS35 15/45 at the centre of 90 links",
     IDROVA_TWO_WHEELS("RS351", "15", "45", "282.083899", "141"), "857.93", 91, "90.00", "90"},
    {"RS80 12/24 at the centre of 70 links",
     IDROVA_TWO_WHEELS("RS801", "12", "24", "658.613473", "329.3"), "1780.59", 71, "70.00", "70"},
    {"RS40 20/20, 65 links: an odd chain is ordered one link longer",
     IDROVA_TWO_WHEELS("RS401", "20", "20", "285.75", "142.875"), "826.55", 66, "65.00", "66"},
    {"RS40 20/20, 64.09 links", IDROVA_TWO_WHEELS("RS401", "20", "20", "280", "140"), "815.05", 65,
     "64.09", "66"},
    {"free pitch 10 on 12/24 at the centre of an 80-tooth belt, as sprockets",
     IDROVA_FREE_10MM IDROVA_TWO_WHEELS("N1", "12", "24", "309.4103749655935", "150"), "801.02", 81,
     "80.00", "80"},
    {"the same as belt pulleys",
     "choose N1; press FreeRuleBelt; " IDROVA_FREE_10MM IDROVA_TWO_WHEELS(
         "N1", "12", "24", "309.4103749655935", "150"),
     "800", 80, nullptr, nullptr},
};

}  // namespace

TEST(WindowSheet, WholeCountsAsBeltAndChainMakersCountThem) {
  for (const auto& [name, steps, length, teeth, links, order] : kCounts) {
    SCOPED_TRACE(name);
    WindowDriver w;
    w.OpenSheet();
    w.Do(QString::fromUtf8(steps));
    EXPECT_EQ(w.Text("Edit11"), length);
    EXPECT_EQ(w.Text("Label16"), QStringLiteral("歯数  %1").arg(teeth));
    EXPECT_EQ(w.SheetValues("ベルト長さ"), QStringList{length});
    EXPECT_EQ(w.SheetValues("歯数"), QStringList{QString::number(teeth)});
    EXPECT_EQ(w.SheetValues("リンク数"), links ? QStringList{links} : QStringList{});
    EXPECT_EQ(w.SheetValues("注文リンク数"), order ? QStringList{order} : QStringList{});
  }
}

TEST(WindowSheet, TheDesignLayoutPastesIntoASpreadsheetLineByLine) {
  WindowDriver w;
  w.OpenSheet();
  QTest::mouseClick(w.form.Form2()->CopyButton, Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("種類\tS8M\n"
                           "ピッチ\t8\n"
                           "車\tX (mm)\tY (mm)\t歯数\t直径 (mm)\t巻付角 (°)\t噛合歯数\n"
                           "NO 1\t0\t0\t20\t50.93\t164.8\t9\n"
                           "NO 2\t150\t100\t20\t50.93\t171.4\t9\n"
                           "NO 3\t70\t10\t10\t25.46\t23.8\t0\n"
                           "区間\tから\tまで\t長さ (mm)\tたわみ (mm)\n"
                           "スパン\tNO 1\tNO 3\t69.55\t1.09\n"
                           "スパン\tNO 3\tNO 2\t119.74\t1.87\n"
                           "スパン\tNO 2\tNO 1\t180.28\t2.82\n"
                           "ベルト長さ\t524.29\n"
                           "歯数\t66\n"
                           "最短\t520.56\n"));
  // Ctrl+C anywhere in the sheet copies the same, after the drive changed.
  w.ClickArrow("UpDown7", ArrowButton::Next);
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(w.form.Form2()->StringGrid1, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("\nNO 3\t70.1\t10\t")));
  // Wheel 2 level with wheel 1 to its left, the tensioner to the right: the
  // spans in travel order from NO 1.
  w.Do("teeth UpDown9 20; layout -150 0 70 0");
  QStringList spans;
  for (const QStringList& line : w.SheetLines())
    if (line.front() == QStringLiteral("スパン")) spans << line.mid(1, 3).join(' ');
  EXPECT_EQ(spans, (QStringList{"NO 1 NO 2 150", "NO 2 NO 3 220", "NO 3 NO 1 70"}));
  // Tensioner clear of the belt: two spans, wheel 3 wraps nothing.
  w.Do("teeth UpDown9 10");
  w.Do("layout 150 100 75 50; row スパン NO 1|NO 2|180.28|2.82; row NO_3 75|50|10|25.46|0|0");
  EXPECT_EQ(w.form.Form2()->Text().count(QStringLiteral("スパン")), 2);
}

// The sheet shows what the main window shows, after every change (the
// request, not the belt, after a proposal or a standard step), and opening,
// copying, zooming or closing it changes nothing there.
TEST(WindowSheet, FollowsTheMainWindowAndNeverChangesIt) {
  WindowDriver w;
  const char* kShown =
      "see Edit7 70; see Edit11 524.29; see Label13 (min 520.56); see Label16 歯数  66;";
  DesignSheetWindow* sheet = w.OpenSheet();
  EXPECT_EQ(sheet->windowTitle(), QStringLiteral("ドライブの詳細"));
  w.Do(QString::fromUtf8(kShown) +
       "off RadioGroup3; click UpDown7 next; row NO_3 70.1|10|10|25.46|23.9|0;"
       "row ベルト長さ 524.31; item RadioGroup1 1; row 指定長さ 528; row ベルト長さ 524.31;"
       "click UpDown10 next; row 指定長さ 560");
  const QString shown = sheet->Text();
  w.Find<QScrollBar>("ScrollBar1")->setValue(3);
  EXPECT_EQ(sheet->Text(), shown) << "a zoom is no change of the drive";
  QTest::keyClick(sheet->StringGrid1, Qt::Key_Escape);
  EXPECT_FALSE(sheet->isVisible());
  w.Do("item RadioGroup1 0; focus Button1; key F4; row 指定長さ ; row ベルト長さ 524.31");
  EXPECT_TRUE(sheet->isVisible()) << "F4 opens the sheet, up to date";
  EXPECT_EQ(sheet->focusWidget(), sheet->StringGrid1) << "keys go to the table";
  WindowDriver copied;
  copied.OpenSheet();
  QTest::mouseClick(copied.form.Form2()->CopyButton, Qt::LeftButton);
  copied.Do(kShown);
}

TEST(WindowSheet, EveryCautionOnALineOfItsOwn) {
  WindowDriver w;
  w.Do("sheet; teeth UpDown3 10; teeth UpDown6 12; see Label25 注意! NO 1 の噛合歯数が6未満です");
  QStringList cautions;
  const QList<QStringList> lines = w.SheetLines();
  for (int r = 0; r < lines.size(); ++r)
    if (lines[r].front() == QStringLiteral("注意")) {
      cautions << lines[r].mid(1).join('|');
      EXPECT_EQ(w.form.Form2()->StringGrid1->columnSpan(r, 1), 6)
          << "the caution to the right edge";
    }
  EXPECT_EQ(cautions, (QStringList{QStringLiteral("注意! NO 1 の噛合歯数が6未満です"),
                                   QStringLiteral("注意! NO 2 の噛合歯数が6未満です")}));
  // A pulley short of both teeth and wrap has both cautions, teeth first;
  // the caution line shows the first. NO 2 here: 1 tooth in 33.4 degrees.
  w.Do(
      "layout 40 0 150 100; teeth UpDown6 12; teeth UpDown9 30; teeth UpDown3 12;"
      "row NO_2 40|0|12|30.56|33.4|1; see Label25 注意! NO 1 の噛合歯数が6未満です");
  EXPECT_EQ(w.form.Form2()->Text().section(QStringLiteral("最短"), 1).section('\n', 1),
            QStringLiteral("注意\t注意! NO 1 の噛合歯数が6未満です\n"
                           "注意\t注意! NO 2 の噛合歯数が6未満です\n"
                           "注意\t注意! NO 2 の巻付角が60°未満です\n"));
  // A layout whose length is not the real belt: no spans, the real length.
  Tell({{"not the real belt",
         "sheet; layout 150 0 250 0; row スパン ; row 実際のベルト長さ 621.62;"
         "row NO_1 0|0|20|50.93|---|---"}});
}

// RS40 sprockets of 10 teeth 444.5 apart (80 links round the two) and a
// 10-tooth tensioner between them, searched upward: a chain of L links is
// tight where (444.5 + 2 D) / 12.7 + 10 = L, D the distance from each
// sprocket's centre to the tensioner's, D^2 = 222.25^2 + Y^2.
TEST(WindowSheet, WhereAChainOfTheRequestedLinksIsTight) {
  const char* kDrive = "sheet; " IDROVA_TWO_WHEELS("RS401", "10", "10", "444.5", "222.25") ";"
                       "item RadioGroup1 2; type Edit11 ";
  const char* kOdd =
      "row 注意 注意! 奇数リンク: オフセットリンクが必要;"
      "see Label25 注意! 奇数リンク: オフセットリンクが必要";
  // The request; where the chain count makes it tight as the sheet shows it
  // to two decimals (by hand 76.2, 53.506 and 93.971 mm, which the search
  // meets within 0.008 mm); the tensioner's Y by the window's search round
  // the pitch circles; the odd chain's caution or none.
  for (const auto& [request, chainY, windowY, caution] :
       {std::tuple("1041.4", "76.19", 72.8767, "row 注意 ; see Label25 "),
        {"1028.7", "53.5", 48.7944, kOdd},
        {"1054.1", "93.97", 91.2181, kOdd}}) {
    SCOPED_TRACE(request);
    WindowDriver w;
    w.Do(QString::fromUtf8(kDrive) + request + "; calc; see Label14 ; row 張る位置 " + chainY +
         "|NO 3 の Y; " + QString::fromUtf8(caution));
    EXPECT_NEAR(w.form.State().Wheel[2].Y, windowY, 0.01);
    // Any new drive makes the position unknown until the next search; back
    // at 全長 no length is requested, so no chain is odd.
    w.Do("click UpDown1 next; row 張る位置 ; item RadioGroup1 0; row 注意 ; see Label25 ");
  }
}

// After a search that fits the request, the count beside the length is the
// request's: the belt found is within the search's 0.005 mm of it, and may
// round one tooth over. After a warning, the count is that of the length
// Edit11 still shows. RS40, NO 1 at (10, 0), the tensioner at (123.1, -5.5):
// the two-wheel chain is 47.x pitches, so 609.6 (48) is proposed; 622.3 is
// 49 pitches, reached at X3 117.5 with 622.3046 mm.
TEST(WindowSheet, TheCountBesideTheLengthIsTheRequestsAfterASearch) {
  Tell({{"found: 49 pitches asked, 49 shown and counted, the odd chain cautioned",
         "sheet; choose RS401; type Edit1 10; layout 150 100 123.1 -5.5; item RadioGroup1 1;"
         "see Edit11 609.6; see Label16 歯数  48; item RadioGroup2 1; type Edit11 622.3; calc;"
         "see Label14 ; see Edit7 117.5; see Edit11 622.3; see Label16 歯数  49; row 歯数 49;"
         "row 指定長さ 622.3; see Label25 注意! 奇数リンク: オフセットリンクが必要;"
         "item RadioGroup1 0; see Label16 歯数  50; row 歯数 50; see Label25 "},
        {"wrong direction: the count of the request beside it",
         "sheet; choose RS401; type Edit1 10; layout 150 100 123.1 -5.5; item RadioGroup1 1;"
         "type Edit11 622.3; calc; see Label14 警告! 方向指定が間違っています;"
         "see Edit11 622.3; see Label16 歯数  49"},
        {"too short: the count of the request beside it",
         "choose RS401; item RadioGroup1 1; type Edit11 508; calc;"
         "see Label14 警告! 指定長さが短かすぎます; see Label16 歯数  40"},
        {"a standard step after the search: the step's count, the belt's on the sheet",
         "sheet; choose RS401; type Edit1 10; layout 150 100 123.1 -5.5; item RadioGroup1 1;"
         "item RadioGroup2 1; type Edit11 622.3; calc; click UpDown10 next; see Label16 歯数  1;"
         "row 歯数 50"}});
}

// The free type's wheels: chain sprockets unless set to belt pulleys (a
// belt wants 60 degrees and 6 teeth in mesh; its spans have a deflection, a
// chain's none), a setting kept through other types and offered only for
// the free type; kept, it gives 20 x 12.7 / pi, not RS40's φ81.18.
TEST(WindowSheet, TheFreeTypeEitherWay) {
  WindowDriver w;
  DesignSheetWindow* sheet = w.OpenSheet();
  w.Do(
      "choose N1; row 車の規則 チェーン用スプロケット; type Edit10 8; layout 150 100 70 -60;"
      "see Label9 φ51.14; see Label25 注意! NO 1 の巻付角が120°未満です;"
      "row 区間 から|まで|長さ (mm); row スパン NO 1|NO 3|91.33");
  ASSERT_TRUE(sheet->FreeRuleBelt->isEnabled());
  EXPECT_TRUE(sheet->FreeRuleChain->isChecked());
  w.Do(
      "press FreeRuleBelt; see Label9 φ50.93; see Label25 ; row 車の規則 ベルト用プーリ;"
      "row スパン NO 1|NO 3|91.31|1.43; choose RS401; row 車の規則 ");
  EXPECT_FALSE(sheet->FreeRuleBelt->isEnabled());
  w.Do("choose N1; calc; see Label9 φ80.85");
  EXPECT_TRUE(sheet->FreeRuleBelt->isChecked()) << "kept through another type";
}

TEST(WindowSheet, AScreenReaderReadsEveryCell) {
  WindowDriver w;
  DesignSheetWindow* sheet = w.OpenSheet();
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(sheet->StringGrid1);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("設計表"));
  QAccessibleTableInterface* cells = table->tableInterface();
  ASSERT_NE(cells, nullptr);
  const QList<QStringList> lines = w.SheetLines();
  ASSERT_EQ(cells->rowCount(), lines.size());
  for (int r = 0; r < lines.size(); ++r)
    for (int c = 0; c < lines[r].size(); ++c)
      EXPECT_EQ(cells->cellAt(r, c)->text(QAccessible::Name), lines[r][c]) << r << ", " << c;
  EXPECT_EQ(QAccessible::queryAccessibleInterface(sheet)->text(QAccessible::Name),
            QStringLiteral("ドライブの詳細"));
  // Rows and columns named by what they hold, not by their numbers.
  EXPECT_EQ(cells->rowDescription(3), QStringLiteral("NO 1"));
  EXPECT_EQ(cells->rowDescription(lines.size() - 1), QStringLiteral("最短"));
  EXPECT_EQ(cells->columnDescription(1), QStringLiteral("X (mm)"));
  EXPECT_EQ(cells->columnDescription(6), QStringLiteral("噛合歯数"));
}
