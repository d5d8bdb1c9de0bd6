// SPDX-License-Identifier: MIT
// Drive files through the real window: a file written by hand opens to the
// window the same values typed by hand give; a saved drive reopens text by
// text and pixel by pixel; a bad file changes nothing and says why; the
// sheet's title carries the file and its modified mark; unsaved changes are
// asked about; a dropped file opens; the keys reach the commands.
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include "files/drive_of_file.h"
#include "window_driver.h"

namespace {

// Everything the user sees of the main window and the sheet: every text
// with its control's state, and the picture.
struct Seen {
  QStringList Texts;
  QImage Picture;
  bool operator==(const Seen&) const = default;
};

Seen SeenIn(WindowDriver& w) {
  Seen seen;
  for (QWidget* control : w.form.findChildren<QWidget*>()) {
    if (control->window() != &w.form) continue;  // the message box and the side windows
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(control))
      text = edit->text();
    else if (auto* label = qobject_cast<QLabel*>(control))
      text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
      text = button->text() + (button->isChecked() ? "*" : "");
    else
      continue;
    seen.Texts << QStringLiteral("%1=%2%3").arg(control->objectName(), text,
                                                control->isEnabled() ? "" : " (off)");
  }
  seen.Texts.sort();
  if (w.form.Form2()) seen.Texts << w.form.Form2()->Text();
  seen.Picture = w.Picture();
  return seen;
}

// What differs between two views, as the user would point it out.
testing::AssertionResult SameView(const Seen& a, const Seen& b) {
  if (a == b) return testing::AssertionSuccess();
  auto failure = testing::AssertionFailure();
  for (qsizetype i = 0; i < std::max(a.Texts.size(), b.Texts.size()); ++i)
    if (a.Texts.value(i) != b.Texts.value(i))
      failure << "\n  " << a.Texts.value(i).toStdString() << "\n  "
              << b.Texts.value(i).toStdString();
  if (a.Picture != b.Picture) failure << "\n  the pictures differ";
  return failure;
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.filePath(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return path;
}

QByteArray DriveJson(const char* type, const char* wheels, const char* rest) {
  return QStringLiteral(
             R"({"format": "idrova-drive", "version": 1, "type": "%1", "wheels": [%2], %3})")
      .arg(type, wheels, rest)
      .toUtf8();
}

// The wheels of the window's design layout, as a file writes them.
const char* const design = R"({"x": 0, "y": 0, "teeth": 20}, {"x": 150, "y": 100, "teeth": 20},
                               {"x": 70, "y": 10, "teeth": 10})";

class WindowFiles : public testing::Test {
 protected:
  void SetUp() override { QStandardPaths::setTestModeEnabled(true); }
  QTemporaryDir dir_;
};

}  // namespace

// A file written by hand opens exactly as its values typed by hand (the
// layout calculated, then the request): every type's kind, the three
// unknowns, both directions, the free type both ways.
TEST_F(WindowFiles, AFileWrittenByHandOpensAsItsValuesTypedByHand) {
  const struct {
    const char* Name;
    QByteArray File;
    const char* ByHand;
  } rows[] = {
      {"S8M, the belt length", DriveJson("S8M1", design, R"("unknown": "length")"),
       "choose S8M1; calc"},
      {"RS40 moved, the belt length",
       DriveJson("RS401",
                 R"({"x": 0, "y": 0, "teeth": 17}, {"x": 300.5, "y": -20.25, "teeth": 34},
                    {"x": 120, "y": 40, "teeth": 12})",
                 R"("unknown": "length")"),
       "choose RS401; teeth UpDown3 17; teeth UpDown6 34; teeth UpDown9 12; type Edit4 300.5;"
       "type Edit5 -20.25; type Edit7 120; type Edit8 40; calc"},
      {"S8M, X of NO 3 toward +",
       DriveJson("S8M1", design, R"("unknown": "x3", "direction": 1, "requestedLength": 528)"),
       "choose S8M1; calc; item RadioGroup1 1; item RadioGroup2 0; type Edit11 528; calc"},
      {"S5M, Y of NO 3 toward -",
       DriveJson("S5M1", design, R"("unknown": "y3", "direction": -1, "requestedLength": 500)"),
       "choose S5M1; calc; item RadioGroup1 2; item RadioGroup2 1; type Edit11 500; calc"},
      {"a length out of reach",
       DriveJson("S8M1", design, R"("unknown": "x3", "direction": -1, "requestedLength": 900)"),
       "choose S8M1; calc; item RadioGroup1 1; item RadioGroup2 1; type Edit11 900; calc"},
      {"the free type as pulleys",
       DriveJson("N1", design,
                 R"("pitch": 10, "freeRule": "pulley", "unknown": "x3", "direction": 1,
                    "requestedLength": 600)"),
       "sheet; choose N1; type Edit10 10; press FreeRuleBelt; calc; item RadioGroup1 1; item "
       "RadioGroup2 0; type Edit11 600; calc"},
      {"the free type as sprockets",
       DriveJson("N1", design, R"("pitch": 12.7, "freeRule": "sprocket", "unknown": "length")"),
       "sheet; choose N1; type Edit10 12.7; calc"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    WindowDriver byHand;
    byHand.Do(QString::fromUtf8(row.ByHand));
    WindowDriver opened;
    if (byHand.form.Form2()) opened.OpenSheet();
    ASSERT_TRUE(opened.form.OpenDrive(Write(dir_, "hand.idrova", row.File)));
    EXPECT_TRUE(SameView(SeenIn(opened), SeenIn(byHand)));
    EXPECT_EQ(opened.form.State().BeltLength, byHand.form.State().BeltLength);
  }
}

// Saved after 計算 and opened in a new window, a drive shows every text,
// state and pixel it showed when saved; opened in the window that saved it
// too. Random drives reached by the user's own actions.
TEST_F(WindowFiles, ASavedDriveReopensAsItWasSaved) {
  QRandomGenerator random(20261208);
  const char* const types[] = {"S8M1", "S14M1", "XL1", "RS401", "RS801", "N1"};
  for (int drive = 0; drive < 12; ++drive) {
    WindowDriver saved;
    const QString type = types[random.bounded(6)];
    QString actions = QStringLiteral("choose %1; teeth UpDown6 %2; layout %3 %4 %5 %6")
                          .arg(type)
                          .arg(random.bounded(12, 40))
                          .arg(120 + random.bounded(200))
                          .arg(random.bounded(-80, 120))
                          .arg(random.bounded(40, 160))
                          .arg(random.bounded(-40, 60));
    if (random.bounded(3) > 0)
      actions +=
          QStringLiteral("; item RadioGroup1 %1; item RadioGroup2 %2; click UpDown10 next %3; calc")
              .arg(1 + random.bounded(2))
              .arg(random.bounded(2))
              .arg(random.bounded(6));
    if (random.bounded(2)) actions += QStringLiteral("; click UpDown1 next 3");
    SCOPED_TRACE(actions.toStdString());
    saved.Do(actions);
    saved.Calculate();
    const QString path = dir_.filePath(QStringLiteral("drive%1.idrova").arg(drive));
    ASSERT_TRUE(saved.form.SaveDrive(path));
    const Seen shown = SeenIn(saved);
    WindowDriver reopened;
    ASSERT_TRUE(reopened.form.OpenDrive(path));
    EXPECT_TRUE(SameView(SeenIn(reopened), shown));
    EXPECT_FALSE(reopened.form.DriveModified());
    ASSERT_TRUE(saved.form.OpenDrive(path));
    EXPECT_TRUE(SameView(SeenIn(saved), shown));
  }
}

// A file that cannot be read changes nothing: the window and the sheet stay
// as they were, and the message names the file and what is wrong with it.
TEST_F(WindowFiles, ABadFileChangesNothingAndSaysWhy) {
  const struct {
    const char* Name;
    QByteArray File;
    const char* Said;  // in the message, after the file's name
  } rows[] = {
      {"not JSON", "S8M 0 0 20", ""},
      {"truncated", DriveJson("S8M1", design, R"("unknown": "length")").left(60), ""},
      {"another format", R"({"format": "dxf", "version": 1})", "format"},
      {"a newer version", R"({"format": "idrova-drive", "version": 2})", "version"},
      {"no wheels",
       R"({"format": "idrova-drive", "version": 1, "type": "S8M1", "unknown": "length"})",
       "wheels"},
      {"an unknown type", DriveJson("T5", design, R"("unknown": "length")"), "type"},
      {"teeth not whole",
       DriveJson("S8M1", R"({"x": 0, "y": 0, "teeth": 20.5}, {"x": 150, "y": 100, "teeth": 20},
                            {"x": 70, "y": 10, "teeth": 10})",
                 R"("unknown": "length")"),
       "wheels[0].teeth"},
      {"teeth beyond 200",
       DriveJson("S8M1", R"({"x": 0, "y": 0, "teeth": 20}, {"x": 150, "y": 100, "teeth": 201},
                            {"x": 70, "y": 10, "teeth": 10})",
                 R"("unknown": "length")"),
       "wheels[1].teeth"},
      {"a coordinate as text",
       DriveJson("S8M1", R"({"x": "0", "y": 0, "teeth": 20}, {"x": 150, "y": 100, "teeth": 20},
                            {"x": 70, "y": 10, "teeth": 10})",
                 R"("unknown": "length")"),
       "wheels[0].x"},
      {"a request beyond any field",
       DriveJson("S8M1", design, R"("unknown": "x3", "direction": 1, "requestedLength": 1e300)"),
       "requestedLength"},
      {"no direction", DriveJson("S8M1", design, R"("unknown": "y3", "requestedLength": 528)"),
       "direction"},
      {"over a mebibyte", QByteArray(1024 * 1024 + 1, ' '), ""},
  };
  WindowDriver w;
  w.Do("item RadioGroup1 1; type Edit11 528; calc; sheet");
  const Seen before = SeenIn(w);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_FALSE(w.form.OpenDrive(Write(dir_, "bad.idrova", row.File)));
    QMessageBox* box = w.ErrorBox();
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().startsWith(QStringLiteral("「bad.idrova」")))
        << box->text().toStdString();
    EXPECT_TRUE(box->text().contains(QString::fromUtf8(row.Said))) << box->text().toStdString();
    EXPECT_EQ(box->text().count(u'\n'), 1) << "a Japanese line and an English one";
    box->accept();
    EXPECT_TRUE(SameView(SeenIn(w), before));
    EXPECT_TRUE(w.form.DrivePath().isEmpty());
  }
  EXPECT_FALSE(w.form.OpenDrive(dir_.filePath("missing.idrova")));
  EXPECT_TRUE(w.ErrorBox()->text().contains("missing.idrova"));
  w.ErrorBox()->accept();
  // A save that cannot be made says so, names the file and keeps no path.
  QFile plain(dir_.filePath("plain"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  EXPECT_FALSE(w.form.SaveDrive(dir_.filePath("plain/drive.idrova")));
  EXPECT_TRUE(w.ErrorBox()->text().startsWith(QStringLiteral("「drive.idrova」")))
      << w.ErrorBox()->text().toStdString();
  w.ErrorBox()->accept();
  EXPECT_TRUE(SameView(SeenIn(w), before));
}

// The sheet's title names the file once the drive has one, with Qt's mark
// for changes since; closing with unsaved changes asks, and Cancel keeps the
// window, Discard lets it close, Save saves. A drive never saved closes
// without a question.
TEST_F(WindowFiles, UnsavedChangesAreMarkedAndAskedAbout) {
  {
    WindowDriver fresh;
    fresh.ClickArrow("UpDown7", idrova::ArrowButton::Next);
    EXPECT_TRUE(fresh.form.close()) << "a drive never saved closes without a question";
  }
  WindowDriver w;
  DesignSheetWindow* sheet = w.OpenSheet();
  EXPECT_EQ(sheet->windowTitle(), "ドライブの詳細");
  const QString path = dir_.filePath("kept.idrova");
  ASSERT_TRUE(w.form.SaveDrive(path));
  EXPECT_EQ(sheet->windowTitle(), "ドライブの詳細 — kept.idrova[*]");
  EXPECT_FALSE(sheet->isWindowModified());
  w.ClickArrow("UpDown7", idrova::ArrowButton::Next);
  EXPECT_TRUE(sheet->isWindowModified());
  w.ClickArrow("UpDown7", idrova::ArrowButton::Previous);
  EXPECT_FALSE(sheet->isWindowModified()) << "back to the drive as saved";
  w.ClickArrow("UpDown7", idrova::ArrowButton::Next);
  const struct {
    const char* Name;
    QMessageBox::StandardButton Answer;
    bool Closed;
    bool Saved;
  } rows[] = {
      {"Cancel keeps the window", QMessageBox::Cancel, false, false},
      {"Save saves, then closes", QMessageBox::Save, true, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    w.form.show();
    bool asked = false;
    QTimer::singleShot(0, [&] {
      auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      asked = question && question->objectName() == "SaveQuestion";
      if (question) question->button(row.Answer)->click();
    });
    EXPECT_EQ(w.form.close(), row.Closed);
    EXPECT_TRUE(asked);
    EXPECT_EQ(w.form.DriveModified(), !row.Saved);
  }
  WindowDriver reopened;
  ASSERT_TRUE(reopened.form.OpenDrive(path));
  EXPECT_EQ(reopened.Text("Edit7"), "70.1") << "the changes saved on closing";
}

// A drive file dropped on the main window or the sheet opens; the keys
// reach the commands in either window (Ctrl+S saves to the file, Ctrl+O
// opens the file chooser).
TEST_F(WindowFiles, ADroppedFileOpensAndTheKeysReachTheCommands) {
  WindowDriver source;
  source.Do("choose RS401; layout 200 50 90 20");
  const QString path = dir_.filePath("dropped.IDROVA");
  ASSERT_TRUE(source.form.SaveDrive(path));
  WindowDriver w;
  DesignSheetWindow* sheet = w.OpenSheet();
  for (QWidget* target : {static_cast<QWidget*>(&w.form), static_cast<QWidget*>(sheet)}) {
    SCOPED_TRACE(target->objectName().toStdString());
    w.Choose("S8M1");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(dir_.filePath("other.txt"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    // The second drop replaces a drive opened and changed since: asked first.
    bool asked = false;
    QTimer::singleShot(0, [&] {
      if (auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        asked = question->objectName() == "SaveQuestion";
        question->button(QMessageBox::Discard)->click();
      }
    });
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(asked, target == sheet);
    EXPECT_EQ(w.Text("Edit4"), "200");
    EXPECT_EQ(w.form.State().BeltType, 40);
  }
  QMimeData text;
  text.setUrls({QUrl::fromLocalFile(dir_.filePath("notes.txt"))});
  QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w.form, &refused);
  EXPECT_FALSE(refused.isAccepted()) << "only drive files";
  // Ctrl+S in the sheet saves to the drive's file.
  w.ClickArrow("UpDown1", idrova::ArrowButton::Next);
  ASSERT_TRUE(w.form.DriveModified());
  QApplication::setActiveWindow(sheet);
  QTest::keyClick(sheet->StringGrid1, Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(w.form.DriveModified());
  // Ctrl+O in the main window opens the chooser in the last folder.
  QApplication::setActiveWindow(&w.form);
  QString folder;
  QTimer::singleShot(0, [&] {
    if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      folder = chooser->directory().absolutePath();
      chooser->reject();
    }
  });
  QTest::keyClick(w.Find("Button1"), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(folder, QDir(dir_.path()).absolutePath());
}

// 書き出し… writes what the window shows in the form the file's type names
// (the sheet's text equal to what コピー copies), and says so where it
// cannot; 印刷… and Ctrl+P open the print dialog.
TEST_F(WindowFiles, ExportAndPrintFromTheSheet) {
  WindowDriver w;
  w.Do("choose RS401; item RadioGroup1 1; type Edit11 600; calc");
  DesignSheetWindow* sheet = w.OpenSheet();
  auto exportTo = [&](const QString& path) {
    QTimer::singleShot(0, [&] {
      if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        chooser->selectFile(path);
        QMetaObject::invokeMethod(chooser, "accept");
      }
    });
    QTest::mouseClick(sheet->ExportButton, Qt::LeftButton);
  };
  for (const char* name : {"drive.dxf", "drive.svg", "drive.pdf", "drive.txt"}) {
    SCOPED_TRACE(name);
    exportTo(dir_.filePath(name));
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_GT(file.size(), 100);
    if (QByteArray(name).endsWith("txt")) {
      EXPECT_EQ(QString::fromUtf8(file.readAll()), sheet->Text());
    }
  }
  EXPECT_FALSE(w.ErrorBox()->isVisible());
  QFile plain(dir_.filePath("plain"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  exportTo(dir_.filePath("plain/drive.dxf"));
  ASSERT_TRUE(w.ErrorBox()->isVisible());
  EXPECT_TRUE(w.ErrorBox()->text().startsWith(QStringLiteral("「drive.dxf」")))
      << w.ErrorBox()->text().toStdString();
  w.ErrorBox()->accept();
  for (const bool byKey : {false, true}) {
    QString shown;
    QTimer::singleShot(0, [&] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        shown = dialog->objectName();
        dialog->close();
      }
    });
    if (byKey) {
      QApplication::setActiveWindow(sheet);
      QTest::keyClick(sheet->StringGrid1, Qt::Key_P, Qt::ControlModifier);
    } else {
      QTest::mouseClick(sheet->PrintButton, Qt::LeftButton);
    }
    EXPECT_EQ(shown, "PrintDialog") << (byKey ? "Ctrl+P" : "印刷…");
  }
}

// The command line's export computes a file's drive as the window shows it
// once opened: the same belt, the same tensioner, to the last bit.
TEST_F(WindowFiles, TheCommandLineComputesTheDriveTheWindowOpens) {
  const std::pair<const char*, QByteArray> rows[] = {
      {"the belt length", DriveJson("XL1", design, R"("unknown": "length")")},
      {"X of NO 3",
       DriveJson("S8M1", design, R"("unknown": "x3", "direction": 1, "requestedLength": 528)")},
      {"Y of NO 3 on a chain",
       DriveJson("RS401", design, R"("unknown": "y3", "direction": -1, "requestedLength": 635)")},
      {"the free type",
       DriveJson("N1", design, R"("pitch": 10, "freeRule": "pulley", "unknown": "x3",
                                                  "direction": 1, "requestedLength": 600)")},
      {"out of reach",
       DriveJson("S8M1", design, R"("unknown": "x3", "direction": -1, "requestedLength": 900)")},
  };
  for (const auto& [name, bytes] : rows) {
    SCOPED_TRACE(name);
    const QString path = Write(dir_, "cli.idrova", bytes);
    WindowDriver w;
    ASSERT_TRUE(w.form.OpenDrive(path));
    const idrova::DriveFileRead read = idrova::ReadDriveFile(path);
    ASSERT_TRUE(read.File);
    const idrova::DriveState computed = idrova::CalculateDrive(*read.File).State;
    EXPECT_EQ(computed.BeltLength, w.form.State().BeltLength);
    EXPECT_EQ(computed.Wheel[2].X, w.form.State().Wheel[2].X);
    EXPECT_EQ(computed.Wheel[2].Y, w.form.State().Wheel[2].Y);
    EXPECT_EQ(computed.Wheel[1].Radius, w.form.State().Wheel[1].Radius);
  }
}
