// SPDX-License-Identifier: MIT
// Saves a PNG of the started Idrova window: idrova_screenshot OUTPUT.png
// Runs on any Qt platform (offscreen works without a display).
#include <QApplication>
#include <QTest>

#include "app/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    fprintf(stderr, "usage: idrova_screenshot OUTPUT.png\n");
    return 2;
  }
  TForm1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 1;
  QTest::qWait(100);
  return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
