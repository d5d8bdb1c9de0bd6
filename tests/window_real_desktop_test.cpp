// SPDX-License-Identifier: MIT
// The windows on a real desktop, where a window manager frames and places
// them, keys come through the X server and a screen reader asks over AT-SPI.
// CTest runs this program through on-real-desktop.sh once per screen
// (1024 x 768, 1366 x 768, 1600 x 1000) and scale (1, 1.5, 2): what the
// offscreen platform cannot show, because it has no frames and no window
// manager, is checked here.
#include <QHeaderView>
#include <QProcess>
#include <QScreen>
#include <QTableView>
#include <QWindow>

#include "app/design_sheet_window.h"
#include "app/length_list_window.h"
#include "window_driver.h"

namespace {

QRect Available(const QWidget* window) { return window->screen()->availableGeometry(); }

// Waits until the window manager has framed and placed a window, and the
// window has settled where it was put.
void WaitPlaced(QWidget* window) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  for (int waited = 0; window->windowHandle()->frameMargins().isNull() && waited < 3000;
       waited += 20)
    QTest::qWait(20);
  QTest::qWait(1000);  // past the window's own checks of its placement
  QRect last;
  for (int waited = 0; waited < 3000 && window->frameGeometry() != last; waited += 150) {
    last = window->frameGeometry();
    QTest::qWait(150);
  }
}

// Keys typed on the X server's keyboard (xdotool's key names), to the
// window that has the focus.
void PressKeys(const QStringList& keys) {
  for (const QString& key : keys) {
    QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
    QTest::qWait(120);
  }
}

// The name of the control with the focus; the free wheel rule's two radio
// buttons are one stop, either of them.
QString FocusName() {
  const QWidget* focus = QApplication::focusWidget();
  if (!focus) return QStringLiteral("(none)");
  return focus->objectName().startsWith(QStringLiteral("FreeRule")) ? QStringLiteral("FreeRule")
                                                                    : focus->objectName();
}

testing::AssertionResult WholeOnScreen(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  if (Available(window).contains(frame)) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << window->objectName().toStdString() << " frame " << frame.x() << "," << frame.y() << " "
         << frame.width() << "x" << frame.height() << " outside the free area "
         << Available(window).width() << "x" << Available(window).height();
}

}  // namespace

// The first message, like every later one, stands clear of the field it
// names: it is placed again once the window manager has framed it.
TEST(RealDesktop, EveryErrorMessageStandsClearOfItsField) {
  WindowDriver w;
  WaitPlaced(&w.form);
  for (const char* field : {"Edit1", "Edit8", "Edit1"}) {
    SCOPED_TRACE(field);
    w.Type(field, QStringLiteral("abc"));
    w.Calculate();
    auto* box = w.form.findChild<QMessageBox*>("ErrorMessage");
    ASSERT_TRUE(box && box->isVisible());
    WaitPlaced(box);
    QWidget* edit = w.Find(field);
    const QRect place(edit->mapToGlobal(QPoint(0, 0)), edit->size());
    EXPECT_FALSE(box->frameGeometry().intersects(place));
    EXPECT_TRUE(WholeOnScreen(box));
    box->accept();
    QTest::qWait(100);
    w.Type(field, QStringLiteral("0"));
  }
}

// Every window opens with its whole frame on the screen's free area, the
// first time as every time; the sheet beside the main window where the
// screen has room on either side of it, whole without scroll bars where
// the screen has room for its table.
TEST(RealDesktop, EveryWindowOpensWholeOnTheScreen) {
  WindowDriver w;
  WaitPlaced(&w.form);
  EXPECT_TRUE(WholeOnScreen(&w.form));
  for (const char* time : {"first", "second"}) {
    SCOPED_TRACE(time);
    DesignSheetWindow* sheet = w.OpenSheet();
    WaitPlaced(sheet);
    EXPECT_TRUE(WholeOnScreen(sheet));
    const QRect main = w.form.frameGeometry();
    const QRect beside = sheet->frameGeometry();
    const QRect available = Available(sheet);
    if (available.right() - main.right() >= beside.width() ||
        main.left() - available.left() >= beside.width()) {
      EXPECT_FALSE(beside.intersects(main)) << "the sheet covers the main window";
    }
    const QTableView* table = sheet->StringGrid1;
    const bool fills = beside.height() >= available.height() - 1;
    const bool fillsAcross = beside.width() >= available.width() - 1;
    EXPECT_TRUE(fills || !table->verticalScrollBar()->isVisible()) << "the table scrolls";
    EXPECT_TRUE(fillsAcross || !table->horizontalScrollBar()->isVisible()) << "scrolls across";
    QTest::keyClick(sheet, Qt::Key_F5);
    LengthListWindow* list = w.form.Form3();
    ASSERT_NE(list, nullptr);
    WaitPlaced(list);
    EXPECT_TRUE(WholeOnScreen(list));
    list->close();
    sheet->close();
    QTest::qWait(200);
  }
}

// Tab and Shift+Tab, typed on the keyboard, go round the sheet's controls
// with the table as one stop, and round the list's.
TEST(RealDesktop, TabGoesRoundTheSheetAndTheList) {
  WindowDriver w;
  WaitPlaced(&w.form);
  DesignSheetWindow* sheet = w.OpenSheet();
  WaitPlaced(sheet);
  sheet->activateWindow();
  QTest::qWait(200);
  w.Choose("N1");  // the free type: its wheel rule can be chosen
  const QStringList round{"FreeRule",     "StringGrid1", "OpenButton", "SaveButton",
                          "ExportButton", "PrintButton", "Button3",    "CopyButton"};
  QStringList seen;
  for (int i = 0; i < round.size(); ++i) {
    PressKeys({QStringLiteral("Tab")});
    seen << FocusName();
  }
  QStringList wanted = round;
  std::rotate(wanted.begin(), wanted.begin() + 2, wanted.end());  // from the table on
  EXPECT_EQ(seen.join(' '), wanted.join(' '));
  seen.clear();
  for (int i = 0; i < round.size(); ++i) {
    PressKeys({QStringLiteral("shift+Tab")});
    seen << FocusName();
  }
  std::reverse(wanted.begin(), wanted.end());
  std::rotate(wanted.begin(), wanted.begin() + 1, wanted.end());
  EXPECT_EQ(seen.join(' '), wanted.join(' '));
  // The list: from its table to its button and back.
  PressKeys({QStringLiteral("F5")});
  ASSERT_NE(w.form.Form3(), nullptr);
  WaitPlaced(w.form.Form3());
  EXPECT_EQ(FocusName(), "StringGrid2");
  PressKeys({QStringLiteral("Tab")});
  EXPECT_EQ(FocusName(), "CopyButton");
  PressKeys({QStringLiteral("Tab")});
  EXPECT_EQ(FocusName(), "StringGrid2");
}

// A screen reader, asking over AT-SPI, hears the sheet's columns and rows by
// what they hold and the zoom by its scale.
TEST(RealDesktop, AScreenReaderHearsHeadingsAndTheScale) {
  WindowDriver w;
  WaitPlaced(&w.form);
  DesignSheetWindow* sheet = w.OpenSheet();
  WaitPlaced(sheet);
  QProcess reader;
  reader.start(
      QStringLiteral("/usr/bin/python3"),
      {QStringLiteral(IDROVA_TESTS_DIR "/atspi_read.py"), QApplication::applicationName()});
  // The reader asks while this program answers.
  for (int waited = 0; reader.state() != QProcess::NotRunning && waited < 30000; waited += 50)
    QTest::qWait(50);
  ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
  const QStringList heard = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n');
  auto line = [&heard](const QString& head) {
    for (const QString& l : heard)
      if (l.startsWith(head)) return l.mid(head.size());
    return QString();
  };
  EXPECT_EQ(line(QStringLiteral("columns: ")),
            "車|X (mm)|Y (mm)|歯数|直径 (mm)|巻付角 (°)|噛合歯数");
  EXPECT_TRUE(line(QStringLiteral("rows: ")).startsWith("種類|ピッチ|車|NO 1|NO 2|NO 3|"));
  EXPECT_EQ(line(QStringLiteral("zoom: ")), "1.0");
  EXPECT_TRUE(line(QStringLiteral("zoom description: ")).startsWith("1 px/mm"));
}
