// SPDX-License-Identifier: MIT
// TForm1 on the desktop: its place and size on the screen, the resolution
// of its picture, and its colours under the desktop's palette.
#include <QApplication>
#include <QLibraryInfo>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include "app/contrast.h"
#include "app/design_sheet_window.h"
#include "app/form1.h"
#include "app/form1_look.h"
#include "app/length_list_window.h"

// The design place and size when the whole window fits the screen's free
// area there (or the nearest place inside it); on a screen too small for it,
// the window takes the free area, title bar and all, and its content
// scrolls. Before the window manager has framed the window its frame is
// taken as the design's; once framed, the window is placed again.
void TForm1::PlaceOnScreen() {
  const QScreen* shownOn = screen();
  if (!shownOn) return;
  const QRect available = shownOn->availableGeometry();
  const QMargins frame =
      idrova::FrameMarginsOf(this, kDesignOuterSize - QSize(kClientWidth, kClientHeight));
  const QSize client = FitToRoom(available.size().shrunkBy(frame));
  move(idrova::PlaceInside(available, client.grownBy(frame), kDesignPosition));
}

// The window at the content's size where `room` allows, otherwise as large
// as the room and resizable up to the content's size. Returns the size.
QSize TForm1::FitToRoom(QSize room) {
  const QSize content(kClientWidth, kClientHeight);
  if (content.width() <= room.width() && content.height() <= room.height()) {
    setFixedSize(content);
  } else {
    setMinimumSize(content.boundedTo(QSize(160, 120)));
    setMaximumSize(content);
    resize(content.boundedTo(room));
  }
  return size();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ScrollBox1->setGeometry(rect());
}

// Placed again once the window manager has framed the window: its window
// is exposed after it was framed. The same for a side window when it opens
// and for the error message.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle()) {
    if (!framedPlacement_ && event->type() == QEvent::Expose) {
      const QMargins frame = windowHandle()->frameMargins();
      if (!frame.isNull()) {
        framedPlacement_ = true;
        PlaceOnScreen();
        CheckPlaced(this, [this] { PlaceOnScreen(); });
      }
    }
    return false;
  }
  if (errorMessage_ && watched == errorMessage_->windowHandle()) {
    if (event->type() == QEvent::Expose &&
        !errorMessage_->windowHandle()->frameMargins().isNull()) {
      errorMessage_->windowHandle()->removeEventFilter(this);
      PlaceErrorMessage();
      CheckPlaced(errorMessage_, [this] { PlaceErrorMessage(); });
    }
    return false;
  }
  for (SideWindow* side : {static_cast<SideWindow*>(sheet_), static_cast<SideWindow*>(list_)}) {
    if (!side || watched != side->windowHandle()) continue;
    if (event->type() == QEvent::Expose && !side->windowHandle()->frameMargins().isNull()) {
      side->windowHandle()->removeEventFilter(this);
      side->GrowToContents();
      const auto place = side == sheet_ ? &TForm1::PlaceSheet : &TForm1::PlaceList;
      (this->*place)();
      CheckPlaced(side, [this, place] { (this->*place)(); });
    }
    return false;
  }
  return KeyFilter(watched, event);
}

// A window manager may take a placement made just as it frames a window
// from the frame's corner to the window's (the title bar then ends above
// the screen), or place a dialog its own way, sooner or later on a busy
// desktop. For a moment after, a window that is not where it was put, or
// whose frame is not on the screen's free area, is placed once more (three
// checks, a quarter of a second apart).
void TForm1::CheckPlaced(QWidget* window, std::function<void()> place, int checks) {
  const QPoint wanted = window->pos();
  QTimer::singleShot(kPlacementCheckMs, window, [this, window, place, checks, wanted] {
    const QScreen* shownOn = window->screen();
    if (!window->isVisible() || !shownOn) return;
    if (!shownOn->availableGeometry().contains(window->frameGeometry()) ||
        (window->pos() - wanted).manhattanLength() > 2)
      place();
    if (checks > 1) CheckPlaced(window, place, checks - 1);
  });
}

// Places a side window that has just been shown again once it is framed.
void TForm1::PlaceWhenFramed(SideWindow* window) {
  if (window->windowHandle() && window->windowHandle()->frameMargins().isNull())
    window->windowHandle()->installEventFilter(this);
  const auto place = window == sheet_ ? &TForm1::PlaceSheet : &TForm1::PlaceList;
  CheckPlaced(window, [this, place] { (this->*place)(); });
}

// The sheet opens beside the main window, where it covers least of it: to
// its right, to its left or below it, each brought inside the screen's
// free area (the first of equals).
void TForm1::PlaceSheet() {
  const QScreen* shownOn = screen();
  if (!shownOn) return;
  const QSize outer = sheet_->OuterSize();
  const QRect main = frameGeometry();
  sheet_->move(
      LeastCovering(shownOn->availableGeometry(), outer,
                    {main.topRight() + QPoint(1, 0), main.topLeft() - QPoint(outer.width(), 0),
                     main.bottomLeft() + QPoint(0, 1)},
                    {main}));
}

// Of the places wanted for a window of the outer size `outer`, each brought
// inside the free area, the one that covers least of the windows `shown`.
QPoint TForm1::LeastCovering(const QRect& available, QSize outer, const QList<QPoint>& wanted,
                             const QList<QRect>& shown) {
  auto covered = [&](const QPoint& at) {
    const QRect placed(at, outer);
    qint64 area = 0;
    for (const QRect& other : shown) {
      const QRect common = placed.intersected(other);
      if (!common.isEmpty()) area += qint64(common.width()) * common.height();
    }
    return area;
  };
  QPoint best = idrova::PlaceInside(available, outer, wanted.front());
  for (const QPoint& at : wanted) {
    const QPoint inside = idrova::PlaceInside(available, outer, at);
    if (covered(inside) < covered(best)) best = inside;
  }
  return best;
}

// The list opens where it covers least of the main window and the sheet:
// below the sheet, below the main window, right of the sheet or right of
// the main window, each brought inside the screen's free area (the first
// of equals).
void TForm1::PlaceList() {
  const QScreen* shownOn = screen();
  if (!shownOn) return;
  const QSize outer = list_->OuterSize();
  const QRect main = frameGeometry();
  const bool sheetShown = sheet_ && sheet_->isVisible();
  const QRect sheet = sheetShown ? sheet_->frameGeometry() : QRect();
  QList<QPoint> wanted;
  if (sheetShown) wanted << sheet.bottomLeft() + QPoint(0, 1);
  wanted << main.bottomLeft() + QPoint(0, 1);
  if (sheetShown) wanted << sheet.topRight() + QPoint(1, 0);
  wanted << main.topRight() + QPoint(1, 0);
  list_->move(LeastCovering(shownOn->availableGeometry(), outer, wanted, {main, sheet}));
}

// The picture's bitmaps follow the device pixel ratio of the screen the
// window is on; a change redraws the last computed path at the new ratio.
void TForm1::UpdatePictureResolution() {
  const qreal ratio = devicePixelRatioF();
  if (ratio == Image2->Bitmap().devicePixelRatio()) return;
  Image1->SetDevicePixelRatio(ratio);
  Image2->SetDevicePixelRatio(ratio);
  canvas_ = ImageCanvas(&Image2->Bitmap());
  canvas_.SetBrushColor(palette().color(QPalette::Button));
  if (activated_) DrawLayout();
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!screenWatched_ && windowHandle()) {
    screenWatched_ = true;
    windowHandle()->installEventFilter(this);
    connect(windowHandle(), &QWindow::screenChanged, this, [this] { UpdatePictureResolution(); });
  }
  UpdatePictureResolution();
  // The start-up runs once, when the window is first shown; coming back to
  // the window later resets nothing.
  if (!activated_) {
    PlaceOnScreen();
    activated_ = true;
    FormActivate();
  }
}

// The window's colours under the desktop's palette. On a light palette they
// are the design's. On a dark one (a dark theme, a high-contrast one) the
// wheel captions and the caution line are lightened until they read against the window, the
// disabled texts likewise, and the picture's background follows the theme's
// button face with its lines lightened (image_canvas.h). The edits keep their
// designed white and pale yellow, and their dark text, on every palette.
void TForm1::ApplyLook() {
  if (applyingLook_) return;
  applyingLook_ = true;
  const QPalette app = QApplication::palette();
  const QColor window = app.color(QPalette::Window);
  // The wheel captions in their wheels' colours, the caution line in a
  // caution's amber, apart from the plain texts around it.
  const std::pair<QLabel*, QColor> captions[] = {{Label1, QColor(255, 0, 0)},
                                                 {Label2, QColor(0, 0, 255)},
                                                 {Label3, QColor(0, 128, 128)},
                                                 {Label25, QColor(153, 76, 0)}};
  for (const auto& [label, designed] : captions) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, idrova::ReadableOn(designed, window, idrova::kTextContrast));
    label->setPalette(pal);
  }
  // Only the roles set here are the window's own; the rest follow the desktop.
  QPalette own;
  if (idrova::IsDark(window)) {
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> texts[] = {
        {QPalette::WindowText, QPalette::Window},
        {QPalette::ButtonText, QPalette::Button},
        {QPalette::Text, QPalette::Base}};
    for (const auto& [text, behind] : texts)
      own.setColor(
          QPalette::Disabled, text,
          idrova::ReadableOn(app.color(QPalette::Disabled, text),
                             app.color(QPalette::Disabled, behind), idrova::kTextContrast));
  }
  setPalette(own);
  sidePalette_ = own;
  for (QWidget* side : {static_cast<QWidget*>(sheet_), static_cast<QWidget*>(list_)})
    if (side) side->setPalette(own);
  canvas_.SetBrushColor(app.color(QPalette::Button));
  if (activated_) DrawLayout();
  applyingLook_ = false;
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) ApplyLook();
}

// Qt's own texts (an edit's menu, a message box's button) in Japanese, as
// the window's own are.
void TForm1::InstallQtTranslation() {
  static QTranslator* const japanese = [] {
    auto* translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
      QCoreApplication::installTranslator(translator);
    return translator;
  }();
  (void)japanese;
}
