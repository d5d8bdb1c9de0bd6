// SPDX-License-Identifier: MIT
// Idrova: process start. The command line decides between an export and
// the window; the window is created here and runs the event loop.
#include <QApplication>
#include <QString>

#include "app/command_line.h"
#include "app/form1.h"

int main(int argc, char** argv) {
  return RunCommandLine(argc, argv, [](const QString&) {
    TForm1 form;
    form.show();
    return QApplication::exec();
  });
}
