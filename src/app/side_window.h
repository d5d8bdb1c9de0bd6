// SPDX-License-Identifier: MIT
// SideWindow: what the windows beside the main one share. Each is a window
// of its own owned by the main window; Escape closes it, and Ctrl+C
// anywhere in it copies the whole of what it shows (a table would copy its
// current cell alone). It opens at the size of what it holds, within the
// screen's free area less its frame.
#pragma once

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

#include "app/fit.h"

class QMimeData;
namespace idrova {
// The first local file among dropped data whose name ends in ".idrova" (in
// any case); empty where there is none.
QString DroppedDrive(const QMimeData* data);
}  // namespace idrova

class SideWindow : public QWidget {
 public:
  explicit SideWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {}

  // What the clipboard receives, tab-separated.
  virtual QString Text() const = 0;
  void Copy() { QGuiApplication::clipboard()->setText(Text()); }
  // Grows the window to show what it holds, within the screen's free area.
  virtual void GrowToContents() = 0;
  // The frame taken for the window until the window manager has framed it
  // (the main window's).
  void SetFrameEstimate(QSize frame) { frameEstimate_ = frame; }
  // The window's size with its frame.
  QSize OuterSize() const {
    const QMargins frame = idrova::FrameMarginsOf(this, frameEstimate_);
    return size().grownBy(frame);
  }

 protected:
  // The largest size the window may take: the screen's free area less the frame.
  QSize Room() const {
    const QScreen* shownOn = screen();
    if (!shownOn) return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QMargins frame = idrova::FrameMarginsOf(this, frameEstimate_);
    return shownOn->availableGeometry().size().shrunkBy(frame);
  }

  // Passes every control's Ctrl+C by the window; call once the controls stand.
  void WatchCopyKeys() {
    for (QWidget* widget : findChildren<QWidget*>()) widget->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
      if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (event->type() == QEvent::KeyPress) Copy();
        event->accept();
        return true;
      }
    }
    return QWidget::eventFilter(watched, event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape) {
      close();
      return;
    }
    QWidget::keyPressEvent(event);
  }

 private:
  QSize frameEstimate_;
};
