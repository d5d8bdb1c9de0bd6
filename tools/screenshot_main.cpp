// SPDX-License-Identifier: MIT
// Saves PNGs of the started Idrova window and, when a second file is named,
// of its design sheet opened beside it:
//   idrova_screenshot WINDOW.png [SHEET.png]
// Runs on any Qt platform (offscreen works without a display).
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "app/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    fprintf(stderr, "usage: idrova_screenshot WINDOW.png [SHEET.png]\n");
    return 2;
  }
  TForm1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  QTest::qWait(100);
  if (!form.grab().save(QString::fromLocal8Bit(argv[1]))) return 1;
  if (argc == 2) return 0;
  QTest::mouseClick(form.Button2, Qt::LeftButton);
  if (!QTest::qWaitForWindowExposed(form.Form2())) return 1;
  QTest::qWait(100);
  return form.Form2()->grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
