// SPDX-License-Identifier: MIT
// Idrova: process start. The command line decides between an export and
// the window; the window is created here and runs the event loop.
#include <QApplication>
#include <QString>
#include <QTimer>

#include "app/command_line.h"
#include "app/form1.h"

namespace {

// Opens the drive file named on the command line as the window's Open
// command does, once the event loop runs: after the start-up sequence, with
// the window on the screen to show a message about a file it cannot open.
void OpenDriveAtStart(TForm1& form, const QString& path) {
  QTimer::singleShot(0, &form, [&form, path] { form.OpenDrive(path); });
}

}  // namespace

int main(int argc, char** argv) {
  return RunCommandLine(argc, argv, [](const QString& file) {
    TForm1 form;
    form.show();
    if (!file.isEmpty()) OpenDriveAtStart(form, file);
    return QApplication::exec();
  });
}
