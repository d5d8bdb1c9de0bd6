// Idrova: process start. Creates the window and runs the event loop.
#include <QApplication>

#include "app/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Idrova");
  TForm1 form;
  form.show();
  return QApplication::exec();
}
