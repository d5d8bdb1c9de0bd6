// SPDX-License-Identifier: MIT
// The list of standard lengths that fit (Form3), through the real windows:
// every row against the main window's own search, run by hand in a second
// window for every standard length (the length arrows, then 計算 from the
// same start); a row applied and the three windows compared; the list
// following the main window; its copy.
#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTableView>

#include "window_driver.h"

namespace {

// The list's cells as the view shows them: its heading, then a row a line.
QList<QStringList> ListedRows(WindowDriver& w) {
  const QAbstractItemModel* model = w.form.Form3()->StringGrid2->model();
  QList<QStringList> rows;
  QStringList heading;
  for (int c = 0; c < model->columnCount(); ++c)
    heading << model->headerData(c, Qt::Horizontal).toString();
  rows << heading;
  for (int r = 0; r < model->rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < model->columnCount(); ++c) cells << model->index(r, c).data().toString();
    rows << cells;
  }
  return rows;
}

// A drive, the edit of the coordinate searched, and how many standard
// lengths (clicks of the length arrows from the start) to run by hand.
struct ListCase {
  const char* Name;
  const char* Setup;
  const char* Coordinate;
  int Lengths;
};

const ListCase kCases[] = {
    {"S8M, design layout, X3 up", "item RadioGroup1 1", "Edit7", 55},
    {"S8M, design layout, X3 down", "item RadioGroup1 1; item RadioGroup2 1", "Edit7", 55},
    {"S5M, tensioner below, Y3 down",
     "choose S5M1; type Edit8 -20; calc; item RadioGroup1 2; item RadioGroup2 1", "Edit8", 64},
    {"S5M, tensioner below, Y3 up", "choose S5M1; type Edit8 -20; calc; item RadioGroup1 2",
     "Edit8", 64},
    {"S14M 30/20 teeth, X3 up", "choose S14M1; teeth UpDown3 30; item RadioGroup1 1", "Edit7", 29},
    {"RS40 (even links), the issue's layout, X3 down",
     "choose RS401; type Edit1 10; layout 150 100 123.1 -5.5; item RadioGroup1 1;"
     "item RadioGroup2 1",
     "Edit7", 100},
    {"XL (whole pitches), Y3 up", "choose XL1; item RadioGroup1 2", "Edit8", 130},
    {"free pitch 6 as belt pulleys, X3 up",
     "sheet; choose N1; press FreeRuleBelt; type Edit10 6; calc; item RadioGroup1 1", "Edit7", 110},
};

}  // namespace

// Each listed coordinate is the one the main window finds for that length;
// every standard length it finds without a warning is listed; the line
// under the list counts those the direction cannot reach.
TEST(WindowList, EveryRowIsWhatTheArrowsAnd計算Give) {
  for (const ListCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    WindowDriver listed;
    listed.Do(QString::fromUtf8(c.Setup) + "; focus Button1; key F5");
    ASSERT_NE(listed.form.Form3(), nullptr);
    ASSERT_TRUE(listed.form.Form3()->isVisible());
    const QList<QStringList> rows = ListedRows(listed);
    const QStringList heading = rows.front();
    EXPECT_EQ(heading.mid(2, 5).join('|'), QString(c.Coordinate) == "Edit7"
                                               ? "X3|NO 1 巻付角|NO 1 噛合|NO 2 巻付角|NO 2 噛合"
                                               : "Y3|NO 1 巻付角|NO 1 噛合|NO 2 巻付角|NO 2 噛合");
    QHash<QString, QStringList> byLength;
    for (const QStringList& row : rows.mid(1)) byLength.insert(row.front(), row);

    WindowDriver byHand;
    byHand.Do(QString::fromUtf8(c.Setup) + "; sheet");
    const QString start = byHand.Text(c.Coordinate);
    int found = 0;
    int unreachable = 0;
    for (int k = 0; k < c.Lengths; ++k) {
      byHand.Do(QStringLiteral("type %1 %2; click UpDown10 next").arg(c.Coordinate, start));
      const QString length = byHand.Text("Edit11");
      const QString count = byHand.Text("Label16").mid(4);
      // A chain of an odd count needs an offset link: no standard length.
      if (heading[1] == QStringLiteral("リンク数") && count.toInt() % 2 != 0) continue;
      byHand.Calculate();
      SCOPED_TRACE(length.toStdString());
      const QString warning = byHand.Text("Label14");
      if (!warning.isEmpty()) {
        EXPECT_FALSE(byLength.contains(length)) << warning.toStdString();
        if (warning == QStringLiteral("警告! 方向指定が間違っています")) ++unreachable;
        continue;
      }
      ++found;
      ASSERT_TRUE(byLength.contains(length));
      QStringList cautions = byHand.SheetValues("注意");
      for (const QStringList& line : byHand.SheetLines())
        if (line.front() == QStringLiteral("注意") && line.value(1) != cautions.value(0))
          cautions << line.value(1);
      EXPECT_EQ(byLength.value(length),
                (QStringList{length, count, byHand.Text(c.Coordinate), byHand.Text("Label18"),
                             byHand.Text("Label22"), byHand.Text("Label19"), byHand.Text("Label23"),
                             cautions.join(QStringLiteral("、"))}));
      EXPECT_EQ(byHand.Text("Label16").mid(4), count) << "the count of the length fitted";
    }
    if (c.Lengths == 55 || c.Lengths == 64 || c.Lengths == 29) {  // a whole table
      EXPECT_EQ(found, rows.size() - 1);
      const QString line = listed.Text("Label26");
      EXPECT_TRUE(unreachable == 0 ? line.contains(QStringLiteral("すべて届きます"))
                                   : line.contains(QStringLiteral(" %1 本:").arg(unreachable)))
          << line.toStdString();
    } else {
      EXPECT_GT(found, 10);
    }
  }
}

// A chosen row is applied as the arrows and 計算 would: the main window, the
// sheet and the list then agree, and the arrows go on from that length.
TEST(WindowList, AChosenRowIsAppliedAndTheThreeWindowsAgree) {
  WindowDriver w;
  w.Do("sheet; item RadioGroup1 1; item RadioGroup2 1; press Button3");
  LengthListWindow* list = w.form.Form3();
  QTableView* view = list->StringGrid2;
  const QList<QStringList> before = ListedRows(w);
  ASSERT_GT(before.size(), 5);
  const QStringList row = before[4];
  view->setFocus();
  view->setCurrentIndex(view->model()->index(3, 0));
  QTest::keyClick(view, Qt::Key_Return);
  w.Do(QStringLiteral("see Edit11 %1; see Label16 歯数  %2; see Edit7 %3; see Label14 ;"
                      "row 指定長さ %1; row 歯数 %2; see Label18 %4; see Label22 %5")
           .arg(row[0], row[1], row[2], row[3], row[4]));
  const int current = view->currentIndex().row();
  ASSERT_GE(current, 0);
  EXPECT_EQ(ListedRows(w)[current + 1], row) << "the list, now from the found coordinate";
  // The arrows go on from the applied length; a double-click applies too.
  w.Do(QStringLiteral("click UpDown10 next; see Edit11 %1").arg(before[5][0]));
  const QStringList first = ListedRows(w).value(1);
  const QRect cell = view->visualRect(view->model()->index(0, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  w.Do(QStringLiteral("see Edit11 %1; see Edit7 %2; see Label14 ").arg(first[0], first[2]));
}

// Tab and Shift+Tab leave each table for the window's buttons and come back:
// the keyboard reaches every control of the sheet and the list.
TEST(WindowList, TabLeavesTheTablesOfTheSheetAndTheList) {
  WindowDriver w;
  w.Do("sheet; choose N1");
  DesignSheetWindow* sheet = w.form.Form2();
  auto tabs = [](QWidget* window, Qt::KeyboardModifiers modifiers, int presses) {
    QStringList visited;
    for (int i = 0; i < presses; ++i) {
      QTest::keyClick(window->focusWidget(), Qt::Key_Tab, modifiers);
      visited << window->focusWidget()->objectName();
    }
    return visited.join(' ');
  };
  sheet->StringGrid1->setFocus();
  EXPECT_EQ(tabs(sheet, Qt::NoModifier, 9),
            "OpenButton SaveButton ExportButton PrintButton Button3 CopyButton FreeRuleBelt "
            "FreeRuleChain StringGrid1");
  EXPECT_EQ(tabs(sheet, Qt::ShiftModifier, 2), "FreeRuleChain FreeRuleBelt");
  w.Do("press Button3");
  LengthListWindow* list = w.form.Form3();
  list->StringGrid2->setFocus();
  EXPECT_EQ(tabs(list, Qt::NoModifier, 2), "CopyButton StringGrid2");
  EXPECT_EQ(tabs(list, Qt::ShiftModifier, 1), "CopyButton");
}

// The list follows the main window: the mode, the direction, the drive and
// typed texts; its copy is the heading and the rows, tab-separated.
TEST(WindowList, FollowsTheMainWindowAndCopiesWhatItShows) {
  WindowDriver w;
  w.Do("focus Button1; key F5");
  LengthListWindow* list = w.form.Form3();
  EXPECT_EQ(list->windowTitle(), QStringLiteral("標準長さの一覧"));
  EXPECT_EQ(list->StringGrid2->model()->rowCount(), 0);
  EXPECT_TRUE(w.Text("Label26").contains(QStringLiteral("x３座標 か Y3座標")));
  w.Do("item RadioGroup1 2");
  const QString up = list->Text();
  EXPECT_TRUE(up.startsWith(
      QStringLiteral("長さ\t歯数\tY3\tNO 1 巻付角\tNO 1 噛合\tNO 2 巻付角\tNO 2 噛合\t注意\n")));
  w.Do("item RadioGroup2 1");
  EXPECT_NE(list->Text(), up) << "another direction, another list";
  w.Do("click UpDown7 next");
  const QString stepped = w.form.Form3()->Text();
  EXPECT_NE(stepped, up);
  // Typed keys: the list follows a moment after the last of them.
  w.Do("type Edit1 abc");
  EXPECT_TRUE(QTest::qWaitFor([&] { return list->StringGrid2->model()->rowCount() == 0; }));
  EXPECT_TRUE(w.Text("Label26").contains(QStringLiteral("「NO 1 の X 座標」の 'abc'")));
  w.Do("type Edit1 0");
  EXPECT_TRUE(QTest::qWaitFor([&] { return list->Text() == stepped; }));
  QTest::mouseClick(list->CopyButton, Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), stepped);
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(list->StringGrid2, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), stepped);
  // A chain lists links, even numbers only.
  w.Do("choose RS401; item RadioGroup1 1");
  const QList<QStringList> chain = ListedRows(w);
  EXPECT_EQ(chain.front()[1], QStringLiteral("リンク数"));
  for (const QStringList& row : chain.mid(1))
    EXPECT_EQ(row[1].toInt() % 2, 0) << row[1].toStdString();
  QTest::keyClick(list->StringGrid2, Qt::Key_Escape);
  EXPECT_FALSE(list->isVisible());
}
