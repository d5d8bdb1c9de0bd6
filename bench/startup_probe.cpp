// SPDX-License-Identifier: MIT
// Start-up probe: runs the program's own start-up (QApplication, TForm1,
// show, event loop) until the picture first reaches the screen, then prints
// the time since the process was launched and the peak resident memory
// (MB of 10^6 bytes):
//   startup_ms=123.4 maxrss_mb=56.7
// Usage: idrova_startup_probe [--bare|--bare-japanese] [LAUNCH_TIME_US]
// With --bare it starts a bare Qt window instead (a label and an edit), the
// yardstick the program's start-up is measured against; --bare-japanese
// gives that window Japanese text in the program's face, to tell the cost
// of the face from the cost of the program.
// LAUNCH_TIME_US is the wall-clock time (microseconds since the epoch) at
// which the caller launched the probe; without it the kernel's record of the
// process start is used (10 ms resolution).
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "app/form1.h"
#include "app/form1_look.h"

namespace {

double NowSeconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Seconds since boot at which this process started, from /proc/self/stat.
double ProcessStartSinceBoot() {
  std::ifstream file("/proc/self/stat");
  std::string line;
  std::getline(file, line);
  // The command name may hold spaces; the fields after it are plain.
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Quits the event loop once the watched widget has finished its first paint.
class FirstPaint : public QObject {
 public:
  bool Seen = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !Seen) {
      Seen = true;
      // Queued: runs after the paint event has been handled.
      QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }
};

// True when the bitmap holds more than one colour, i.e. a drawing.
bool IsDrawn(const QImage& bitmap) {
  if (bitmap.isNull()) return false;
  const QRgb first = bitmap.pixel(0, 0);
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x)
      if (bitmap.pixel(x, y) != first) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const bool japanese = mode == "--bare-japanese";
  const bool bare = mode == "--bare" || japanese;
  const int launchArg = bare ? 2 : 1;
  const bool launchGiven = argc > launchArg;
  const double launched = launchGiven ? std::strtod(argv[launchArg], nullptr) * 1e-6 : 0.0;

  QApplication app(argc, argv);
  QApplication::setApplicationName("Idrova");
  FirstPaint firstPaint;
  QTimer::singleShot(10'000, &app, &QCoreApplication::quit);  // never wait for ever
  if (bare) {
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    if (japanese) {
      QFont face(idrova::kWindowFace);
      face.setPixelSize(idrova::kWindowPixelSize);
      window.setFont(face);
    }
    auto* label =
        new QLabel(japanese ? QStringLiteral("歯数  66") : QStringLiteral("Label"), &window);
    layout->addWidget(label);
    layout->addWidget(new QLineEdit(QStringLiteral("0"), &window));
    label->installEventFilter(&firstPaint);
    window.show();
    QApplication::exec();
  } else {
    TForm1 form;
    form.Image2->installEventFilter(&firstPaint);
    form.show();
    QApplication::exec();
    if (firstPaint.Seen && !IsDrawn(form.Image2->Bitmap())) {
      std::fprintf(stderr, "the picture is blank\n");
      return 1;
    }
  }

  const double elapsed = launchGiven ? NowSeconds(CLOCK_REALTIME) - launched
                                     : NowSeconds(CLOCK_BOOTTIME) - ProcessStartSinceBoot();
  if (!firstPaint.Seen) {
    std::fprintf(stderr, "the window was never painted\n");
    return 1;
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("startup_ms=%.1f maxrss_mb=%.1f\n", elapsed * 1e3,
              static_cast<double>(usage.ru_maxrss) * 1024.0 / 1e6);
  return 0;
}
