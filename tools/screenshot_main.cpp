// SPDX-License-Identifier: MIT
// Saves PNGs of the started Idrova window and, when more files are named,
// of its design sheet opened beside it and of the list of standard lengths
// that fit the design layout with x３座標 chosen:
//   idrova_screenshot WINDOW.png [SHEET.png [LIST.png]]
// Runs on any Qt platform (offscreen works without a display).
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "app/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2 || argc > 4) {
    fprintf(stderr, "usage: idrova_screenshot WINDOW.png [SHEET.png [LIST.png]]\n");
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
  if (!form.Form2()->grab().save(QString::fromLocal8Bit(argv[2]))) return 1;
  if (argc == 3) return 0;
  QTest::mouseClick(form.RadioGroup1->findChildren<QRadioButton*>().at(1), Qt::LeftButton);
  QTest::mouseClick(form.Form2()->Button3, Qt::LeftButton);
  if (!QTest::qWaitForWindowExposed(form.Form3())) return 1;
  QTest::qWait(100);
  return form.Form3()->grab().save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}
