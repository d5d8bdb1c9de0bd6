// SPDX-License-Identifier: MIT
// idrova_soak [--seed N|random] [--actions N] [--max-action-ms N] [--trace on] drives the real
// window offscreen with a long random sequence of user actions and checks after each one that
// the window is still sound. The seed is printed first; the same seed replays the same actions.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numbers>
#include <optional>
#include <random>
#include <utility>

#include "app/form1.h"
#include "calc/design_check.h"
#include "calc/layout_check.h"
#include "calc/solver.h"
#include "draw/layout_drawing.h"
#include "geometry/hull.h"
#include "text/number_text.h"

namespace {

struct Options {
  unsigned long long Seed = 20261206;
  long Actions = 20000;
  long MaxActionMs = 1000;
  bool Trace = false;  // print every action as it is done
};

class Soak {
 public:
  Soak(TForm1& form, const Options& options) : form_(form), options_(options), rng_(options.Seed) {
    for (QLineEdit* edit : form_.findChildren<QLineEdit*>()) {
      // Text the user typed may be anything; text the program wrote must read back.
      QObject::connect(edit, &QLineEdit::textEdited, [this, edit] { typed_.insert(edit); });
      QObject::connect(edit, &QLineEdit::textChanged, [this, edit] {
        if (!editing_) typed_.remove(edit);
      });
    }
    // A new request, however it was made: the proposal, a standard length.
    QObject::connect(form_.UpDown10, &ArrowControl::clicked, [this] { requestSet_ = true; });
    for (QRadioButton* unknown : form_.RadioGroup1->findChildren<QRadioButton*>().mid(1))
      QObject::connect(unknown, &QRadioButton::toggled, [this](bool on) { requestSet_ |= on; });
  }

  bool Run() {
    for (; index_ < options_.Actions; ++index_) {
      const qint64 ms = Act();
      if (options_.Trace) std::fprintf(stderr, "%ld: %s\n", index_, qPrintable(description_));
      if (ms > options_.MaxActionMs) return Fail("took %1 ms", ms);
      if (!Check()) return false;
      if ((index_ + 1) % 100000 == 0) std::printf("idrova_soak: %ld actions\n", index_ + 1);
    }
    return true;
  }

 private:
  static constexpr int kSteppers[] = {1, 2, 4, 5, 7, 8};  // the arrows of a coordinate
  static constexpr const char* kOddCaution = "注意! 奇数リンク: オフセットリンクが必要";

  ArrowControl* Arrows(int n) { return form_.findChild<ArrowControl*>(QString("UpDown%1").arg(n)); }
  QLabel* Label(int n) { return form_.findChild<QLabel*>(QString("Label%1").arg(n)); }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  template <typename List>
  auto PickOf(const List& list) {
    return list[Pick(static_cast<int>(std::size(list)))];
  }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  template <typename... Args>  // the text with its %1, %2, ... filled in turn
  static QString Text(const char* format, const Args&... args) {
    QString text = QString::fromUtf8(format);
    ((text = text.arg(args)), ...);
    return text;
  }
  static QString Format(const char* picture, double value) {
    return QString::fromStdString(idrova::FormatFloat(picture, value));
  }
  void Press(QWidget* widget, const QKeySequence& keys) {
    widget->setFocus();
    QTest::keySequence(widget, keys);
  }

  // A number as people type it (1e-4 to 1e4, now and then 1e319), no number, or a long text.
  QString RandomText() {
    static const char* kOdd[] = {"",   " ", "abc", "1,5", "nan",  "inf",  "1e400", "-",
                                 "1e", "0", "0.0", "+.5", " 12 ", "0x1A", "1.2.3", "五"};
    const int form = Pick(10);
    if (form == 0) return QString::fromUtf8(PickOf(kOdd));
    if (form == 1) return QString(Pick(3000) + 300, QChar(Chance(0.5) ? '7' : 'x'));
    if (form == 2) return QString::number(std::pow(10.0, Pick(320)) * (Chance(0.5) ? 1 : -1), 'g');
    const double value = (Chance(0.3) ? -1 : 1) *
                         std::pow(10.0, std::uniform_real_distribution<double>(-4, 4)(rng_));
    if (form < 5) return QString::number(std::round(value));
    return form < 8 ? QString::number(value, 'f', Pick(4)) : QString::number(value, 'g', 17);
  }

  // One random user action; returns the ms it took, less any spent holding a mouse button.
  qint64 Act() {
    QElapsedTimer timer;
    timer.start();
    static constexpr int kEdits[] = {1, 2, 4, 5, 7, 8, 10, 11};
    // The arrows take all these keys, the zoom bar the four arrow keys.
    static const Qt::Key kKeys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Right, Qt::Key_Left,
                                    Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Home,  Qt::Key_End};
    redraws_ = samePath_ = calculated_ = requestSet_ = copied_ = listCopied_ = false;
    reopenFault_.clear();
    applied_.clear();
    qint64 held = 0;
    const qint64 picture = form_.Image2->Bitmap().cacheKey();
    const int kind = Pick(140);
    const bool heads = Chance(0.5);
    // A right click (the coarse step) and typing go to a coordinate's arrows.
    ArrowControl* arrows = Arrows(kind >= 31 && kind < 41 ? PickOf(kSteppers) : 1 + Pick(10));
    const QString name = arrows->objectName();
    if (kind < 34) {  // a click, a hold until the arrows have repeated some clicks, a right click
      const int clicks = kind == 30 ? 2 + Pick(5) : 0;
      const Qt::MouseButton button = kind > 30 ? Qt::RightButton : Qt::LeftButton;
      const bool across = arrows->Orientation() == Qt::Horizontal;
      const int w = arrows->width(), h = arrows->height(), quarters = heads == across ? 3 : 1;
      const QPoint at = across ? QPoint(w * quarters / 4, h / 2) : QPoint(w / 2, h * quarters / 4);
      description_ =
          clicks ? Text("hold %1 for %2 clicks", name, clicks)
                 : Text("%1click %2 %3", kind > 30 ? "right-" : "", name, heads ? "next" : "prev");
      QSignalSpy spy(arrows, &ArrowControl::clicked);
      const qint64 pressed = timer.elapsed();
      QTest::mousePress(arrows, button, {}, at);
      while (spy.count() > 0 && spy.count() < clicks && timer.elapsed() - pressed < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
      QTest::mouseRelease(arrows, button, {}, at);
      if (clicks > 0) held = timer.elapsed() - pressed;
      if (clicks > 0) description_ += Text(" (%1 made)", spy.count());  // timing decides
    } else if (kind < 41) {
      // A coordinate typed from its arrows, as in a spreadsheet: the first key goes into the edit,
      // F2 goes in keeping the text; then Escape (back), Tab (on), Return (計算) or nothing.
      QString typed;
      for (int i = 1 + Pick(9); i > 0; --i) typed += PickOf(QString("0123456789.-+．－１２３ae,"));
      const bool f2 = Chance(0.2);
      const int end = Pick(4);
      description_ = Text("type '%1' from %2%3, then %4", typed, name, f2 ? " after F2" : "",
                          QStringList{"nothing", "Escape", "Tab", "Return"}[end]);
      QApplication::setActiveWindow(&form_);
      arrows->setFocus();
      editing_ = true;
      if (f2) QTest::keyClick(arrows, Qt::Key_F2);
      for (const QChar ch : typed)
        QTest::sendKeyEvent(QTest::Click, qApp->focusWidget(), Qt::Key_unknown, ch, Qt::NoModifier);
      editing_ = false;
      QWidget* at = qApp->focusWidget();
      if (end == 1 || end == 2) QTest::keyClick(at, end == 1 ? Qt::Key_Escape : Qt::Key_Tab);
      // With nothing typed in, Return on the arrows is no key of theirs.
      if (end == 3 && at == arrows->TypingEdit()) Calculate(at, Qt::Key_Return);
    } else if (kind < 51) {
      QAction* action = PickOf(form_.PopupMenu1->actions());
      description_ = Text("menu %1", action->objectName());
      action->trigger();
    } else if (kind < 61) {
      QRadioButton* item = PickOf(form_.Panel1->findChildren<QRadioButton*>());
      description_ = Text("radio '%1'", item->text());
      QTest::mouseClick(item, Qt::LeftButton);
    } else if (kind < 87) {
      auto* edit = form_.findChild<QLineEdit*>(QString("Edit%1").arg(PickOf(kEdits)));
      const QString text = RandomText();
      description_ = Text("type '%1' into %2", text.left(40), edit->objectName());
      editing_ = true;
      edit->setFocus();
      if (!edit->isReadOnly()) edit->selectAll();
      if (!edit->isReadOnly() && text.size() > 60) edit->insert(text);  // a paste
      if (!edit->isReadOnly() && text.size() <= 60) {
        QTest::keyClick(edit, Qt::Key_Delete);
        for (const QChar ch : text)  // key by key, any character
          QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
      }
      editing_ = false;
    } else if (kind < 104) {  // 計算 by a click, or by Return or Enter on it
      description_ =
          Text("%1 (mode %2)", kind < 102 ? "calculate" : "Return on 計算", s_.UnknownKind);
      Calculate(kind < 102 ? nullptr : form_.Button1, heads ? Qt::Key_Return : Qt::Key_Enter);
    } else if (kind < 109) {
      form_.ScrollBar1->setValue(1 + Pick(20));  // all its range
      description_ = Text("zoom %1", form_.ScrollBar1->value());
      samePath_ = true;
    } else if (kind < 113) {
      const bool zoom = kind == 112;
      const Qt::Key key = kKeys[zoom ? 2 + Pick(4) : Pick(8)];
      description_ = Text("key %1 on %2", QString::number(key, 16), zoom ? "the zoom bar" : name);
      samePath_ = zoom;
      Press(zoom ? static_cast<QWidget*>(form_.ScrollBar1) : arrows, key);
    } else if (kind < 116) {
      const QString action = heads ? QAccessibleActionInterface::increaseAction()
                                   : QAccessibleActionInterface::decreaseAction();
      description_ = Text("%1 %2 for a screen reader", action, name);
      QAccessible::queryAccessibleInterface(arrows)->actionInterface()->doAction(action);
    } else if (kind < 119) {
      // Shift+F10 or the Menu key from a control without an edit menu, then the arrow keys and
      // Return through the type menu, or Escape.
      QWidget* from = PickOf(QList<QWidget*>{form_.Button1, form_.UpDown3, form_.UpDown10,
                                             form_.ScrollBar1, form_.RadioButton1});
      QMenu* menu = form_.PopupMenu1;
      const int downs = Pick(static_cast<int>(menu->actions().size()) + 2);
      const bool escape = Chance(0.15);
      description_ = Text("%1 on %2, %3 down, %4", heads ? "Shift+F10" : "Menu", from->objectName(),
                          downs, escape ? "Escape" : "Return");
      if (from->isEnabled())
        Press(from, heads ? QKeySequence(Qt::SHIFT | Qt::Key_F10) : Qt::Key_Menu);
      if (!menu->isVisible()) description_ += QStringLiteral(": no menu");
      for (int i = 0; menu->isVisible() && i < downs; ++i) QTest::keyClick(menu, Qt::Key_Down);
      if (menu->isVisible()) QTest::keyClick(menu, escape ? Qt::Key_Escape : Qt::Key_Return);
      if (menu->isVisible()) menu->close();
    } else if (kind < 127) {
      // The design sheet: open it, set the free type's wheels, copy it, close it; two ways each.
      DesignSheetWindow* sheet = form_.Form2();
      const int what = Pick(sheet && sheet->isVisible() ? 5 : 2);
      description_ = "sheet " + QStringList{"詳細", "F4", "rule", "copy", "hide"}[what];
      if (what == 0) QTest::mouseClick(form_.Button2, Qt::LeftButton);
      if (what == 1) Press(form_.Button1, Qt::Key_F4);
      if (what == 2)
        QTest::mouseClick(heads ? sheet->FreeRuleBelt : sheet->FreeRuleChain, Qt::LeftButton);
      copied_ = what == 3;
      if (copied_) QGuiApplication::clipboard()->clear();
      if (copied_ && heads) QTest::mouseClick(sheet->CopyButton, Qt::LeftButton);
      if (copied_ && !heads) QTest::keyClick(sheet->StringGrid1, Qt::Key_C, Qt::ControlModifier);
      if (what == 4 && heads) QTest::keyClick(sheet->StringGrid1, Qt::Key_Escape);
      if (what == 4 && !heads) sheet->close();
    } else if (kind < 135) {
      // The list of fitting lengths: open it (F5 in either window, 一覧), apply a row (Enter, a
      // double-click), copy it, close it.
      LengthListWindow* list = form_.Form3();
      const bool shown = list && list->isVisible();
      const int rows = shown ? list->StringGrid2->model()->rowCount() : 0;
      const int what = shown ? 2 + Pick(4) : Pick(2);
      description_ = "list " + QStringList{"F5", "一覧", "apply", "copy", "hide", "F5"}[what];
      if (what == 0 || what == 5)
        Press(heads ? static_cast<QWidget*>(form_.Button1) : form_.UpDown3, Qt::Key_F5);
      if (what == 1) {
        if (!form_.Form2() || !form_.Form2()->isVisible())
          QTest::mouseClick(form_.Button2, Qt::LeftButton);
        QTest::mouseClick(form_.Form2()->Button3, Qt::LeftButton);
      }
      if (what == 2 && rows > 0) {
        QTableView* view = list->StringGrid2;
        const int row = Pick(rows);
        for (int c = 0; c < 3; ++c) applied_ << view->model()->index(row, c).data().toString();
        description_ +=
            Text(" %1 %2", applied_.join(' '), heads ? "by Enter" : "by a double-click");
        view->scrollTo(view->model()->index(row, 0));
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (heads) QTest::keyClick(view, Qt::Key_Return);
        if (!heads) QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        calculated_ = true;
        warning_ = 0;
        messageShown_ = zeroPitch_ = false;
        pictureBeforePress_ = picture;
      }
      listCopied_ = what == 3;
      if (listCopied_) QGuiApplication::clipboard()->clear();
      if (listCopied_ && heads) QTest::mouseClick(list->CopyButton, Qt::LeftButton);
      if (listCopied_ && !heads) QTest::keyClick(list->StringGrid2, Qt::Key_C, Qt::ControlModifier);
      if (what == 4 && heads) QTest::keyClick(list->StringGrid2, Qt::Key_Escape);
      if (what == 4 && !heads) list->close();
    } else if (kind < 140) {
      // 計算, then the drive saved and opened again: saved once more, the file is the same, and
      // where the window showed the drive just calculated, the picture is too. A drive beyond
      // what a file takes is refused with a message naming the file, the window untouched.
      // Saved by Ctrl+S where the drive already has that file, and opened by a drop of the file
      // on the main window or the sheet, as a user would.
      description_ = "save and reopen";
      Calculate(nullptr, Qt::Key_Return);
      if (!messageShown_ && !zeroPitch_) {
        const QImage before = form_.Image2->Bitmap();
        const bool current = !behind_ && warning_ == 0;
        const QString path = files_.filePath("soak.idrova"),
                      again = files_.filePath("again.idrova");
        auto* box = form_.findChild<QMessageBox*>("ErrorMessage");
        // Opening presses 計算 twice: the bound holds for each press, so the whole round trip
        // is held to three (the 計算 before it, and the two of the opening).
        QElapsedTimer roundTrip;
        roundTrip.start();
        // Ctrl+S where the drive's file is this one (no chooser), else a save to it.
        auto saved = [&] {
          if (form_.DrivePath() != QFileInfo(path).absoluteFilePath()) return form_.SaveDrive(path);
          QApplication::setActiveWindow(&form_);
          QTest::keyClick(form_.Button1, Qt::Key_S, Qt::ControlModifier);
          return !form_.DriveModified() && !box->isVisible();
        };
        // The file dropped on the sheet where it is shown, else on the main window.
        auto dropped = [&] {
          QWidget* target = form_.Form2() && form_.Form2()->isVisible() && heads
                                ? static_cast<QWidget*>(form_.Form2())
                                : static_cast<QWidget*>(&form_);
          QMimeData data;
          data.setUrls({QUrl::fromLocalFile(path)});
          QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton,
                                Qt::NoModifier);
          QApplication::sendEvent(target, &enter);
          QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
          QApplication::sendEvent(target, &drop);
          return enter.isAccepted() && drop.isAccepted() && !box->isVisible();
        };
        if (!saved()) {
          if (!box->text().startsWith(QStringLiteral("「soak.idrova」に保存できません")))
            reopenFault_ = "the failed save said: " + box->text();
          else if (form_.Image2->Bitmap() != before)
            reopenFault_ = "the failed save changed the picture";
          box->close();
        } else if (!dropped() || !form_.SaveDrive(again)) {
          reopenFault_ = "the saved drive did not open: " + box->text();
          box->close();
        } else if (ReadAll(path) != ReadAll(again)) {
          reopenFault_ = "saved again, the drive differs:\n" + ReadAll(path) + ReadAll(again);
        } else if (current && form_.Image2->Bitmap() != before) {
          reopenFault_ = "reopened, the picture differs";
        }
        if (form_.DrivePath() == QFileInfo(again).absoluteFilePath()) form_.SaveDrive(path);
        held = roundTrip.elapsed();
        if (timer.elapsed() > 3 * options_.MaxActionMs)
          reopenFault_ = Text("save and reopen took %1 ms", timer.elapsed());
        calculated_ = true;
        pictureBeforePress_ = picture;
        warning_ = 0;
        for (const int code : {idrova::kLengthTooShort, idrova::kWrongDirection})
          if (form_.Label14->text() == QString::fromUtf8(idrova::WarningText(code)))
            warning_ = code;
        // Opening draws the layout, then a request too short leaves the window behind it.
        samePath_ = warning_ == idrova::kLengthTooShort;
        // Its last step is 計算, not the request: the caution line follows the search.
        requestSet_ = false;
      }
    } else {  // the desktop's palette: the picture is drawn anew on its background, same path
      const int which = Pick(3);
      description_ = Text("palette %1", QStringList{"light", "dark", "contrast"}[which]);
      const QColor window = which == 1 ? QColor(49, 54, 59) : QColor(Qt::black);
      const QColor text = which == 1 ? QColor(239, 240, 241) : QColor(Qt::white);
      QPalette palette = which == 0 ? light_ : QPalette(window);
      using enum QPalette::ColorRole;  // the backgrounds, then the text on them
      const QPalette::ColorRole roles[] = {Window, Button, Base, WindowText, ButtonText, Text};
      for (int i = 0; which > 0 && i < 6; ++i) palette.setColor(roles[i], i < 3 ? window : text);
      QApplication::setPalette(palette);
      QCoreApplication::processEvents();  // the widgets hear of it in the event loop
      samePath_ = true;
    }
    // Each drawing makes a new bitmap; after 計算, what counts is whether the press drew.
    redraws_ = form_.Image2->Bitmap().cacheKey() != (calculated_ ? pictureBeforePress_ : picture);
    const bool newPath = redraws_ && !samePath_;
    // Typing recalculates as it goes: the length field shows the belt before 計算.
    const bool typedPath = calculated_ && pictureBeforePress_ != picture && !samePath_;
    if (requestSet_ || newPath || typedPath) edit11ShowsBelt_ = newPath || typedPath;
    // A search that warns leaves the request in the length field; one that finds it too short, or a
    // text that cannot be read, takes inputs over: the window shows the old drive till a new path.
    if (calculated_ && s_.UnknownKind != 0 && warning_ != 0) edit11ShowsBelt_ = false;
    if (calculated_ && (messageShown_ || (warning_ == 1 && !zeroPitch_))) behind_ = true;
    if (newPath) behind_ = false;
    return timer.elapsed() - held;
  }

  // 計算 by a click, or by `key` on `by`: Return or Enter on it, Return in an edit.
  void Calculate(QWidget* by, Qt::Key key) {
    pictureBeforePress_ = form_.Image2->Bitmap().cacheKey();
    auto* box = form_.findChild<QMessageBox*>("ErrorMessage");
    box->setText(QString());
    if (by) Press(by, key);
    if (!by) QTest::mouseClick(form_.Button1, Qt::LeftButton);
    messageShown_ = box->isVisible();
    box->close();
    calculated_ = true;
    zeroPitch_ = form_.Edit10->text() == "0" || s_.Pitch == 0.0;
    warning_ = 0;  // a zero pitch stops 計算 before any search: a warning shown is an old one
    for (const int code : {idrova::kLengthTooShort, idrova::kWrongDirection})
      if (!zeroPitch_ && form_.Label14->text() == QString::fromUtf8(idrova::WarningText(code)))
        warning_ = code;
  }

  template <typename... Args>
  bool Fail(const char* format, const Args&... args) {
    std::fprintf(stderr, "idrova_soak: wheels");
    for (auto& w : s_.Wheel) std::fprintf(stderr, " (%.17g, %.17g, %.17g)", w.X, w.Y, w.Radius);
    std::fprintf(stderr, ", pitch %.17g, type %d, mode %d, scale %g\n", s_.Pitch, s_.BeltType,
                 s_.UnknownKind, s_.Scale);
    std::fprintf(stderr, "idrova_soak: FAILED at action %ld (%s): %s\n", index_,
                 qPrintable(description_), qPrintable(Text(format, args...)));
    std::fprintf(stderr, "  replay: --seed %llu --actions %ld\n", options_.Seed, index_ + 1);
    return false;
  }

  static std::optional<double> Read(const QString& text) try {
    return idrova::StrToFloat(text.toStdString());
  } catch (const idrova::ConversionError&) {
    return std::nullopt;
  }

  // A label's whole text: one too long for the smallest face ends in "…"; accessibleName has it.
  static QString Whole(const QLabel* label) {
    return label->text().endsWith(u'…') ? label->accessibleName().section(": ", 1) : label->text();
  }

  static QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  bool Check() {
    if (!reopenFault_.isEmpty()) return Fail("%1", reopenFault_);
    // A number the program wrote must read back; overflow shows as INF/NAN.
    auto readsBack = [](const QString& number) {
      return QStringList{"INF", "-INF", "NAN", "---"}.contains(number) || Read(number);
    };
    static const std::pair<int, const char*> kLabels[] = {
        {9, "φ%1"}, {10, "φ%1"}, {11, "φ%1"}, {13, "(min %1)"}, {16, "歯数  %1"}};
    for (const auto& [n, format] : kLabels) {
      const QLabel* label = Label(n);
      const QString whole = Whole(label), pattern = QString::fromUtf8(format);
      const QString number = whole.mid(pattern.indexOf("%1"), whole.size() - pattern.size() + 2);
      if ((label->text().endsWith(u'…') && !whole.startsWith(label->text().chopped(1))) ||
          pattern.arg(number) != whole || !readsBack(number))
        return Fail("%1 shows '%2' of '%3'", label->objectName(), label->text(), whole.left(60));
    }
    for (QLineEdit* edit : form_.findChildren<QLineEdit*>())
      if (!typed_.contains(edit) && !readsBack(edit->text()))
        return Fail("%1 shows '%2'", edit->objectName(), edit->text().left(60));

    // A search that finds the coordinate shows it, the belt of the request; a warning, the state's.
    const double coordinate = s_.UnknownKind == 1 ? s_.Wheel[2].X : s_.Wheel[2].Y;
    const QString found = (s_.UnknownKind == 1 ? form_.Edit7 : form_.Edit8)->text();
    const bool agrees = warning_ != 0 ? Read(found) == coordinate
                                      : found == Format("###0.##", coordinate) &&
                                            std::abs(s_.BeltLength - s_.SpecifiedLength) <
                                                idrova::kSearchToleranceMm;
    if (calculated_ && (s_.UnknownKind == 1 || s_.UnknownKind == 2) && !messageShown_ &&
        !zeroPitch_ && !agrees)
      return Fail("after warning %1 the state holds %2 and belt %3 for %4, the edit '%5'", warning_,
                  coordinate, s_.BeltLength, s_.SpecifiedLength, found);

    // A row of the list applied: the main window found what the row says, for the row's length,
    // and the list, rebuilt from there, lists that length again (a search from the coordinate
    // as shown). While shown, the list is empty outside the searches and copies as it shows.
    if (!applied_.isEmpty()) {
      // The length field shows the belt found, to two decimals: a standard length of three
      // (17446.625 mm of XH) shows as the belt within the search's tolerance rounds.
      const std::optional<double> belt = Read(form_.Edit11->text());
      const std::optional<double> row = Read(applied_[0]);
      const QStringList shows = {found, form_.Label14->text()};
      if (!belt || !row || std::abs(*belt - *row) > 0.005 + idrova::kSearchToleranceMm ||
          shows != QStringList{applied_[2], QString()})
        return Fail("the row '%1' applied shows '%2|%3'", applied_.join('|'), form_.Edit11->text(),
                    shows.join('|'));
      if (Whole(form_.Label16) != QStringLiteral("歯数  ") + applied_[1])
        return Fail("the row '%1' applied counts '%2'", applied_.join('|'), Whole(form_.Label16));
    }
    if (LengthListWindow* list = form_.Form3(); list && list->isVisible()) {
      const QAbstractItemModel* rows = list->StringGrid2->model();
      if ((s_.UnknownKind == 0 && rows->rowCount() != 0) || rows->rowCount() > 400)
        return Fail("the list shows %1 rows in mode %2", rows->rowCount(), s_.UnknownKind);
      if (listCopied_ && QGuiApplication::clipboard()->text() != list->Text())
        return Fail("the clipboard does not hold the list");
      std::optional<double> last;  // the lengths rise from row to row
      for (int r = 0; r < rows->rowCount(); ++r) {
        const std::optional<double> length = Read(rows->index(r, 0).data().toString());
        if (!length || (last && !(*length > *last)))
          return Fail("the list shows %1 after %2", rows->index(r, 0).data().toString(),
                      last.value_or(0.0));
        last = length;
      }
    }

    // After a new request (the proposal, a standard length), the caution line still shows the
    // first caution, now with the odd chain's.
    const QString line = form_.Label25->text();
    if (requestSet_ && (OddRequest() ? line.isEmpty() : line == kOddCaution))
      return Fail("%1, caution '%2'", OddRequest() ? "an odd chain" : "no odd chain", line);

    // The sheet, while shown, agrees with the window (type, wheels, two-wheel length, belt length
    // or request and count, cautions) and with what it copies; its chain links with the path's.
    if (DesignSheetWindow* sheet = form_.Form2(); sheet && sheet->isVisible() && !behind_) {
      if (copied_ && QGuiApplication::clipboard()->text() != sheet->Text())
        return Fail("the clipboard does not hold the sheet");
      QHash<QString, QStringList> row;  // the first row of each name, the name its first cell
      for (const QString& text : sheet->Text().split('\n', Qt::SkipEmptyParts))
        row.insert(text.section('\t', 0, 0), row.value(text.section('\t', 0, 0), text.split('\t')));
      auto has = [&row](const char* name) { return row.contains(QString::fromUtf8(name)); };
      auto value = [&row](const char* name) { return row.value(QString::fromUtf8(name)).value(1); };
      const QString type = value("種類"), length = form_.Edit11->text();
      const QString caution = Whole(form_.Label25), count = Whole(form_.Label16).mid(4);
      const bool typed = typed_.contains(form_.Edit11);
      // What the sheet says, as the window would show it, against what the window shows.
      QStringList says = {has("リンク数") ? "links" : "", " " + type, "(min " + value("最短") + ")",
                          has("実際のベルト長さ") ? "参考" : row.value("注意").mid(1).join('\t')};
      QStringList shows = {IsChain() ? "links" : "", Whole(form_.Label12).right(type.size() + 1),
                           Whole(form_.Label13), caution.startsWith(u"参考") ? "参考" : caution};
      for (int i = 0; i < 3; ++i) {
        const QStringList wheel = row.value(QStringLiteral("NO %1").arg(i + 1));
        says << QString::number(wheel.size()) << "φ" + wheel.value(4) << wheel.value(6)
             << (wheel.value(5) == "---" ? wheel.value(5) : wheel.value(5) + u'°');
        shows << "7" << Whole(Label(9 + i)) << Whole(Label(22 + i)) << Whole(Label(18 + i));
      }
      if (!typed && edit11ShowsBelt_) {
        says << value("ベルト長さ") << (has("歯数") && count != "---" ? value("歯数") : count);
        shows << length << count;
      }
      if (says != shows)
        return Fail("the sheet shows '%1' for '%2'", says.join('|'), shows.join('|'));
      const double request = value("指定長さ").toDouble();
      if (!typed && !edit11ShowsBelt_ && has("指定長さ") &&
          std::abs(request - length.toDouble()) > 5e-4 * std::max(1.0, std::abs(request)))
        return Fail("sheet request '%1' for '%2'", value("指定長さ"), length);
      double links = 0.0;
      for (const idrova::PolarVector& span : s_.Span) links += span.Length / s_.Pitch;
      for (int i = 0; i < 3; ++i) links += s_.WheelTurn[i] / (2.0 * std::numbers::pi) * s_.Teeth[i];
      const double shown = value("リンク数").toDouble();
      const double order = 2.0 * std::ceil(std::ceil(shown - 1e-9) / 2.0);  // even, at or above
      if (redraws_ && !samePath_ && IsChain() && value("リンク数") != "---" &&
          std::isfinite(links) && std::abs(links) < 1e8 &&
          (std::abs(shown - links) > 0.005 + 1e-9 * std::abs(links) ||
           value("注文リンク数") != QString::number(order, 'f', 0)))
        return Fail("sheet links '%1' order '%2' for %3", value("リンク数"), value("注文リンク数"),
                    QString::number(links, 'g', 17));
    }

    const QImage& picture = form_.Image2->Bitmap();
    if (form_.Image1->Bitmap() != picture) return Fail("Image1 is not a copy of the picture");
    // The picture shows the state, unless the state holds inputs the window does not show yet.
    if (!redraws_ && behind_) return true;
    QImage expected(picture.size(), picture.format());
    expected.setDevicePixelRatio(picture.devicePixelRatio());
    ImageCanvas canvas(&expected);
    canvas.SetBrushColor(form_.palette().color(QPalette::Button));
    idrova::DrawLayout(s_, canvas);
    if (expected != picture) return Fail("the picture does not show the state");

    // After a redraw of a new path: figures show only for a valid layout, whose wrap angles add
    // up to a full turn; each count lies within its wheel's teeth; the caution line shows the
    // rules' caution or the real length.
    if (samePath_) return true;
    constexpr double kDegrees = 180.0 / std::numbers::pi;
    const double total = (s_.WheelTurn[0] + s_.WheelTurn[1] + s_.WheelTurn[2]) * kDegrees;
    const double tight = idrova::TightBeltLength(s_.Wheel);
    const bool fits = idrova::BeltPathFitsLayout(s_);
    const bool valid = fits && std::abs(total - 360.0) <= 1e-9;
    // The length check sees a path that goes round twice only where a full turn of the smallest
    // wheel is more than its tolerance, a millionth of the belt: a wheel far away blinds it.
    if (fits && !valid &&
        std::numbers::pi * std::min({s_.Wheel[0].Radius, s_.Wheel[1].Radius, s_.Wheel[2].Radius}) >
            1e-6 * std::max(1.0, std::abs(tight)))
      return Fail("a valid layout the length check can judge has wrap angles adding up to %1°",
                  QString::number(total, 'g', 17));
    QString caution =
        valid ? QString() : Text("参考: 実際のベルト長さ %1", Format("###0.##", tight));
    for (int i = 0; i < 3; ++i) {
      const double degrees = s_.WheelTurn[i] * kDegrees;
      const int inMesh = idrova::TeethInMesh(s_.WheelTurn[i], s_.Teeth[i]);
      const QStringList shown = {Label(18 + i)->text(), Label(22 + i)->text()};
      const QStringList want =
          valid ? QStringList{Format("###0.#", degrees) + u'°', QString::number(inMesh)}
                : QStringList{"---", "---"};
      if (shown != want || (valid && !(inMesh >= 0 && inMesh <= s_.Teeth[i])))
        return Fail("wheel %1 of %2 teeth shows '%3' for '%4'", i + 1, s_.Teeth[i],
                    shown.join("' '"), want.join("' '"));
      // A belt wants 6 teeth in mesh and 60° of wrap, a chain 120° of wrap.
      const bool fewTeeth = !IsChain() && inMesh < 6;
      const int leastWrap = IsChain() ? 120 : 60;
      if (i < 2 && caution.isEmpty() && (fewTeeth || degrees < leastWrap))
        caution = fewTeeth ? Text("注意! NO %1 の噛合歯数が6未満です", i + 1)
                           : Text("注意! NO %1 の巻付角が%2°未満です", i + 1, leastWrap);
    }
    if (caution.isEmpty() && OddRequest()) caution = kOddCaution;
    return line == caution || (line.endsWith(u'…') && caution.startsWith(line.chopped(1))) ||
           Fail("caution line '%1', the rules say '%2'", line, caution);
  }

  // Worked out here from the state and the makers' rules, apart from the program.
  bool IsChain() const { return s_.BeltType == 999 ? !s_.FreeTypeIsBelt : s_.BeltType >= 25; }
  bool OddRequest() const {
    const double links = s_.SpecifiedLength / s_.Pitch;
    return IsChain() && (s_.UnknownKind == 1 || s_.UnknownKind == 2) && s_.Pitch != 0 &&
           std::abs(links - std::round(links)) <= 1e-9 && std::fmod(std::round(links), 2.0) != 0;
  }

  TForm1& form_;
  const idrova::DriveState& s_ = form_.State();  // the drive the window holds
  Options options_;
  std::mt19937_64 rng_;
  const QPalette light_ = QApplication::palette();
  QSet<QLineEdit*> typed_;
  bool editing_ = false;
  long index_ = 0;
  QString description_;
  QTemporaryDir files_;  // where the drive is saved and opened again
  QString reopenFault_;  // what a save and reopen found wrong
  // What the last action did: drew the picture anew (the path already shown: zoom, palette),
  // pressed 計算, set a new request (the proposal or a standard length), copied the sheet.
  bool redraws_ = false, samePath_ = false, calculated_ = false, requestSet_ = false,
       copied_ = false, listCopied_ = false;
  QStringList applied_;  // a row of the list just applied: its length, count and coordinate
  // What the last 計算 met: the picture before the press, a message, a zero pitch, a warning.
  qint64 pictureBeforePress_ = 0;
  bool messageShown_ = false, zeroPitch_ = false;
  int warning_ = 0;
  bool edit11ShowsBelt_ = true;  // the length field shows the belt, not a request
  bool behind_ = false;          // the state holds inputs that the window does not show yet
};

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);  // each line out as soon as it is printed
  // The offscreen platform notes every message box it cannot size, and that it cannot raise a
  // menu or hand it the keyboard; not ours to report.
  qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains("propagateSizeHints") && !text.contains("does not support raise") &&
            !text.contains("does not support grabbing the keyboard"))
          std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
      });
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The drives it saves leave the user's own settings (the last folder) alone.
  QStandardPaths::setTestModeEnabled(true);
  Options options;
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == "--seed")
      options.Seed = args[i + 1] == "random" ? std::random_device{}() : args[i + 1].toULongLong();
    if (args[i] == "--actions") options.Actions = args[i + 1].toLong();
    if (args[i] == "--max-action-ms") options.MaxActionMs = args[i + 1].toLong();
    if (args[i] == "--trace") options.Trace = args[i + 1] == "on";
  }
  std::printf("idrova_soak: seed %llu, %ld actions\n", options.Seed, options.Actions);
  ArrowControl::SetRepeatTiming(20, 5);  // holds repeat quickly; the clicks are the same
  TForm1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 2;
  QElapsedTimer timer;
  timer.start();
  QTest::mouseClick(form.Button2, Qt::LeftButton);  // the soak starts with the sheet open
  if (!Soak(form, options).Run()) return 1;
  std::printf("idrova_soak: %ld actions passed in %.1f s\n", options.Actions,
              timer.elapsed() / 1000.0);
  return 0;
}
