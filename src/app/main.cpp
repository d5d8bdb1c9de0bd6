// SPDX-License-Identifier: MIT
// Idrova: process start. Creates the window and runs the event loop.
#include <QApplication>
#include <cstdio>

#include "app/command_line.h"
#include "app/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);  // takes Qt's own options out of argv
  ReportIgnoredArguments(argc, argv, stderr);
  QApplication::setApplicationName("Idrova");
  // The desktop entry's name, so that a desktop shows the window with its
  // entry and icon.
  QGuiApplication::setDesktopFileName("org.idrova.Idrova");
  TForm1 form;
  form.show();
  return QApplication::exec();
}
