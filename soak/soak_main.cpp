// SPDX-License-Identifier: MIT
// idrova_soak: drives the real window offscreen with a long random sequence
// of user actions and checks after each one that the window is still sound.
//
//   idrova_soak [--seed N|random] [--actions N] [--max-action-ms N] [--trace on]
//
// The seed is printed first; the same seed replays the same actions.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QSignalSpy>
#include <QTest>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <random>

#include "app/form1.h"
#include "calc/design_check.h"
#include "calc/layout_check.h"
#include "calc/solver.h"
#include "draw/layout_drawing.h"
#include "geometry/hull.h"
#include "text/number_text.h"

namespace {

struct Options {
  std::uint64_t Seed = 20261206;
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
    const QList<QRadioButton*> unknowns =
        Find<QGroupBox>("RadioGroup1")->findChildren<QRadioButton*>();
    for (qsizetype i = 1; i < unknowns.size(); ++i)
      QObject::connect(unknowns[i], &QRadioButton::toggled, [this](bool on) {
        if (on) requestSet_ = true;
      });
  }

  bool Run() {
    for (long i = 0; i < options_.Actions; ++i) {
      index_ = i;
      QElapsedTimer timer;
      timer.start();
      const qint64 waited = Act();
      if (options_.Trace) std::fprintf(stderr, "%ld: %s\n", i, qPrintable(description_));
      const qint64 ms = timer.elapsed() - waited;
      if (ms > options_.MaxActionMs) return Fail(QStringLiteral("took %1 ms").arg(ms));
      if (!Check()) return false;
      if ((i + 1) % 100000 == 0) {
        std::printf("idrova_soak: %ld actions\n", i + 1);
        std::fflush(stdout);
      }
    }
    return true;
  }

 private:
  static constexpr const char* kArrows[] = {"UpDown1", "UpDown2", "UpDown3", "UpDown4",
                                             "UpDown5", "UpDown6", "UpDown7", "UpDown8",
                                             "UpDown9", "UpDown10"};
  static constexpr const char* kSteppers[] = {"UpDown1", "UpDown2", "UpDown4",
                                              "UpDown5", "UpDown7", "UpDown8"};

  template <typename T = QWidget>
  T* Find(const char* name) {
    return form_.findChild<T*>(name);
  }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

  // A number in any of the forms people type, from 1e-4 to 1e4 and now and
  // then a power of ten up to 1e319; or text that is no number, or very long.
  QString RandomText() {
    static const char* kOdd[] = {"",   " ", "abc", "1,5", "nan",  "inf",  "1e400", "-",
                                 "1e", "0", "0.0", "+.5", " 12 ", "0x1A", "1.2.3", "五"};
    const int form = Pick(10);
    if (form == 0) return QString::fromUtf8(kOdd[Pick(std::size(kOdd))]);
    if (form == 1) return QString(Pick(3000) + 300, QChar(Chance(0.5) ? '7' : 'x'));
    if (form == 2) return QString::number(std::pow(10.0, Pick(320)) * (Chance(0.5) ? 1 : -1), 'g');
    const double value = (Chance(0.3) ? -1 : 1) *
                         std::pow(10.0, std::uniform_real_distribution<double>(-4, 4)(rng_));
    if (form < 5) return QString::number(std::round(value));
    return form < 8 ? QString::number(value, 'f', Pick(4)) : QString::number(value, 'g', 17);
  }

  // One random user action; returns the milliseconds spent deliberately
  // holding a mouse button, which the time check leaves out.
  qint64 Act() {
    static const char* kEdits[] = {"Edit1", "Edit2", "Edit4",  "Edit5",
                                   "Edit7", "Edit8", "Edit10", "Edit11"};
    redraws_ = false;
    samePath_ = false;
    calculated_ = false;
    requestSet_ = false;
    copied_ = false;
    qint64 waited = 0;
    const qint64 picture = PictureKey();
    const int kind = Pick(130);
    if (kind < 30) {
      auto* arrows = Find<ArrowControl>(kArrows[Pick(10)]);
      const bool next = Chance(0.5);
      description_ =
          QStringLiteral("click %1 %2").arg(arrows->objectName(), next ? "next" : "prev");
      QTest::mouseClick(arrows, Qt::LeftButton, {}, ArrowPoint(arrows, next));
    } else if (kind < 33) {
      auto* arrows = Find<ArrowControl>(kSteppers[Pick(6)]);
      description_ = QStringLiteral("right-click %1").arg(arrows->objectName());
      QTest::mouseClick(arrows, Qt::RightButton, {}, ArrowPoint(arrows, true));
    } else if (kind < 34) {
      waited = Hold(Find<ArrowControl>(kArrows[Pick(10)]));
    } else if (kind < 44) {
      const QList<QAction*> actions = Find<QMenu>("PopupMenu1")->actions();
      QAction* action = actions[Pick(static_cast<int>(actions.size()))];
      description_ = QStringLiteral("menu %1").arg(action->objectName());
      action->trigger();
    } else if (kind < 54) {
      QList<QAbstractButton*> items = {Find<QAbstractButton>("RadioButton1"),
                                       Find<QAbstractButton>("RadioButton2")};
      for (const char* group : {"RadioGroup1", "RadioGroup2"})
        for (QRadioButton* item : Find<QGroupBox>(group)->findChildren<QRadioButton*>())
          items.append(item);
      QAbstractButton* item = items[Pick(static_cast<int>(items.size()))];
      description_ = QStringLiteral("radio '%1'").arg(item->text());
      QTest::mouseClick(item, Qt::LeftButton);
    } else if (kind < 80) {
      QLineEdit* edit = Find<QLineEdit>(kEdits[Pick(8)]);
      const QString text = RandomText();
      description_ = QStringLiteral("type '%1' into %2").arg(text.left(40), edit->objectName());
      Type(edit, text);
    } else if (kind < 95) {
      description_ = QStringLiteral("calculate (mode %1)").arg(form_.State().UnknownKind);
      Calculate();
    } else if (kind < 100) {
      auto* zoom = Find<QScrollBar>("ScrollBar1");
      const int position = 1 + Pick(20);
      description_ = QStringLiteral("zoom %1").arg(position);
      samePath_ = true;
      zoom->setValue(position);
    } else if (kind < 102) {
      description_ = QStringLiteral("Return on 計算 (mode %1)").arg(form_.State().UnknownKind);
      Calculate(true);
    } else if (kind < 105) {
      auto* arrows = Find<ArrowControl>(kArrows[Pick(10)]);
      static const Qt::Key kKeys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Right, Qt::Key_Left,
                                      Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Home,  Qt::Key_End};
      const Qt::Key key = kKeys[Pick(8)];
      description_ = QStringLiteral("key %1 on %2").arg(key, 0, 16).arg(arrows->objectName());
      Press(arrows, key);
    } else if (kind < 106) {
      auto* zoom = Find<QScrollBar>("ScrollBar1");
      static const Qt::Key kKeys[] = {Qt::Key_Right, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down};
      const Qt::Key key = kKeys[Pick(4)];
      description_ = QStringLiteral("key %1 on the zoom bar").arg(key, 0, 16);
      samePath_ = true;
      Press(zoom, key);
    } else if (kind < 109) {
      auto* arrows = Find<ArrowControl>(kArrows[Pick(10)]);
      const QString action = Chance(0.5) ? QAccessibleActionInterface::increaseAction()
                                         : QAccessibleActionInterface::decreaseAction();
      description_ = QStringLiteral("%1 %2 for a screen reader").arg(action, arrows->objectName());
      QAccessible::queryAccessibleInterface(arrows)->actionInterface()->doAction(action);
    } else if (kind < 112) {
      ChooseTypeFromKeyboard();
    } else if (kind < 120) {
      UseTheSheet();
    } else if (kind < 127) {
      TypeFromArrows();
    } else {
      SwitchPalette();
    }
    // Every drawing of the picture changes its bitmap; after 計算, what
    // counts is whether the press drew.
    redraws_ = PictureKey() != (calculated_ ? pictureBeforePress_ : picture);
    if (requestSet_) edit11ShowsBelt_ = false;
    if (redraws_ && !samePath_) edit11ShowsBelt_ = true;
    // A search that warns leaves the request in the length field. One that
    // finds the request too short, or a text that cannot be read, takes
    // inputs over and shows nothing new: the window and its sheet show the
    // drive before the press until the next new picture.
    if (calculated_ && form_.State().UnknownKind != 0 && warning_ != 0) edit11ShowsBelt_ = false;
    if (calculated_ && (messageShown_ || (warning_ == 1 && !zeroPitch_))) behind_ = true;
    if (redraws_ && !samePath_) behind_ = false;
    return waited;
  }

  // A coordinate typed from its arrows, as in a spreadsheet: the first key
  // goes from the arrows into the edit, F2 goes in keeping the text; then
  // Escape (back to the arrows), Tab (on), Return (計算) or nothing.
  void TypeFromArrows() {
    static const QString kKeys = QStringLiteral("0123456789.-+．－１２３ae,");
    auto* arrows = Find<ArrowControl>(kSteppers[Pick(6)]);
    QString typed;
    for (int i = 1 + Pick(9); i > 0; --i) typed += kKeys[Pick(static_cast<int>(kKeys.size()))];
    const bool f2 = Chance(0.2);
    const int end = Pick(4);
    description_ = QStringLiteral("type '%1' from %2%3, then %4")
                       .arg(typed, arrows->objectName(), f2 ? " after F2" : "")
                       .arg(QStringList{"nothing", "Escape", "Tab", "Return"}[end]);
    QApplication::setActiveWindow(&form_);
    arrows->setFocus();
    editing_ = true;
    if (f2) QTest::keyClick(arrows, Qt::Key_F2);
    for (const QChar ch : typed)
      QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                          Qt::NoModifier);
    editing_ = false;
    QWidget* at = QApplication::focusWidget();
    if (end == 1) QTest::keyClick(at, Qt::Key_Escape);
    if (end == 2) QTest::keyClick(at, Qt::Key_Tab);
    if (end == 3) {
      if (at != arrows->TypingEdit())
        return;  // nothing typed in: Return on the arrows is no key of theirs
      Calculate(false, [at] { QTest::keyClick(at, Qt::Key_Return); });
    }
  }

  // The desktop's palette: light, dark or high contrast. The picture is
  // drawn anew on the theme's background, with the same path.
  void SwitchPalette() {
    const int which = Pick(3);
    description_ =
        QStringLiteral("palette %1").arg(QStringList{"light", "dark", "contrast"}[which]);
    QPalette palette = light_;
    if (which > 0) {
      const QColor window = which == 1 ? QColor(49, 54, 59) : QColor(Qt::black);
      const QColor text = which == 1 ? QColor(239, 240, 241) : QColor(Qt::white);
      palette = QPalette(window);
      for (QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(role, window);
      for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, text);
    }
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();  // the widgets hear of it in the event loop
    samePath_ = true;
  }

  // The design sheet: open it (詳細 or F4), close it (Escape or its frame),
  // set the free type's wheels, copy it (コピー or Ctrl+C).
  void UseTheSheet() {
    DesignSheetWindow* sheet = form_.Form2();
    switch (Pick(sheet->isVisible() ? 5 : 2)) {
      case 0:
        description_ = QStringLiteral("詳細");
        QTest::mouseClick(Find<QPushButton>("Button2"), Qt::LeftButton);
        break;
      case 1:
        description_ = QStringLiteral("F4");
        Press(Find("Button1"), Qt::Key_F4);
        break;
      case 2: {
        QRadioButton* rule = Chance(0.5) ? sheet->FreeRuleBelt : sheet->FreeRuleChain;
        description_ = QStringLiteral("sheet %1").arg(rule->objectName());
        QTest::mouseClick(rule, Qt::LeftButton);
        break;
      }
      case 3:
        description_ = QStringLiteral("copy the sheet");
        QGuiApplication::clipboard()->clear();
        if (Chance(0.5))
          QTest::mouseClick(sheet->CopyButton, Qt::LeftButton);
        else
          QTest::keyClick(sheet->StringGrid1, Qt::Key_C, Qt::ControlModifier);
        copied_ = true;
        break;
      default:
        description_ = QStringLiteral("close the sheet");
        if (Chance(0.5))
          QTest::keyClick(sheet->StringGrid1, Qt::Key_Escape);
        else
          sheet->close();
    }
  }

  void Press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    widget->setFocus();
    QTest::keyClick(widget, key, modifiers);
  }

  // Shift+F10 or the Menu key from a control without an edit menu, then the
  // arrow keys and Return through the type menu, or Escape.
  void ChooseTypeFromKeyboard() {
    static const char* kFrom[] = {"Button1", "UpDown3", "UpDown10", "ScrollBar1", "RadioButton1"};
    QWidget* from = Find(kFrom[Pick(5)]);
    const bool shiftF10 = Chance(0.5);
    auto* menu = Find<QMenu>("PopupMenu1");
    const int downs = Pick(static_cast<int>(menu->actions().size()) + 2);
    const bool escape = Chance(0.15);
    description_ = QStringLiteral("%1 on %2, %3 down, %4")
                       .arg(shiftF10 ? "Shift+F10" : "Menu", from->objectName())
                       .arg(downs)
                       .arg(escape ? "Escape" : "Return");
    if (!from->isEnabled()) return;
    Press(from, shiftF10 ? Qt::Key_F10 : Qt::Key_Menu,
          shiftF10 ? Qt::ShiftModifier : Qt::NoModifier);
    if (!menu->isVisible()) {
      description_ += QStringLiteral(": no menu");
      return;
    }
    for (int i = 0; i < downs; ++i) QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, escape ? Qt::Key_Escape : Qt::Key_Return);
    if (menu->isVisible()) menu->close();
  }

  static QPoint ArrowPoint(const ArrowControl* arrows, bool next) {
    if (arrows->Orientation() == Qt::Horizontal)
      return {next ? arrows->width() * 3 / 4 : arrows->width() / 4, arrows->height() / 2};
    return {arrows->width() / 2, next ? arrows->height() / 4 : arrows->height() * 3 / 4};
  }

  // Press and hold until the control has repeated a chosen number of clicks.
  qint64 Hold(ArrowControl* arrows) {
    const bool next = Chance(0.5);
    const int clicks = 2 + Pick(5);
    description_ = QStringLiteral("hold %1 for %2 clicks").arg(arrows->objectName()).arg(clicks);
    QSignalSpy spy(arrows, &ArrowControl::clicked);
    QElapsedTimer held;
    held.start();
    QTest::mousePress(arrows, Qt::LeftButton, {}, ArrowPoint(arrows, next));
    while (spy.count() > 0 && spy.count() < clicks && held.elapsed() < 2000)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QTest::mouseRelease(arrows, Qt::LeftButton, {}, ArrowPoint(arrows, next));
    return held.elapsed();
  }

  void Type(QLineEdit* edit, const QString& text) {
    editing_ = true;
    if (text.size() > 60 || edit->isReadOnly()) {
      edit->setFocus();
      if (!edit->isReadOnly()) {
        edit->selectAll();
        edit->insert(text);  // a paste
      }
    } else {
      edit->setFocus();
      edit->selectAll();
      QTest::keyClick(edit, Qt::Key_Delete);
      for (const QChar ch : text)  // key by key, any character
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    editing_ = false;
  }

  // 計算 by a click, by Return or Enter on it, or by `press`.
  qint64 PictureKey() { return Find<PictureBox>("Image2")->Bitmap().cacheKey(); }

  void Calculate(bool byKey = false, const std::function<void()>& press = {}) {
    pictureBeforePress_ = PictureKey();
    QMessageBox* box = Find<QMessageBox>("ErrorMessage");
    box->setText(QString());
    auto* button = Find<QPushButton>("Button1");
    if (press)
      press();
    else if (byKey)
      Press(button, Chance(0.5) ? Qt::Key_Return : Qt::Key_Enter);
    else
      QTest::mouseClick(button, Qt::LeftButton);
    messageShown_ = box->isVisible();
    box->close();
    calculated_ = true;
    const QString pitchText = Find<QLineEdit>("Edit10")->text();
    const bool noPitch = pitchText == "0" || form_.State().Pitch == 0.0;
    const QString warning = Find<QLabel>("Label14")->text();
    warning_ = warning == QString::fromUtf8(idrova::WarningText(idrova::kLengthTooShort))   ? 1
               : warning == QString::fromUtf8(idrova::WarningText(idrova::kWrongDirection)) ? 2
                                                                                            : 0;
    zeroPitch_ = noPitch;
  }

  bool Fail(const QString& what) {
    const idrova::DriveState& s = form_.State();
    std::fprintf(stderr,
                 "idrova_soak: wheels (%.17g, %.17g, %.17g) (%.17g, %.17g, %.17g) "
                 "(%.17g, %.17g, %.17g), pitch %.17g, type %d, mode %d, scale %g\n",
                 s.Wheel[0].X, s.Wheel[0].Y, s.Wheel[0].Radius, s.Wheel[1].X, s.Wheel[1].Y,
                 s.Wheel[1].Radius, s.Wheel[2].X, s.Wheel[2].Y, s.Wheel[2].Radius, s.Pitch,
                 s.BeltType, s.UnknownKind, s.Scale);
    std::fprintf(
        stderr, "idrova_soak: FAILED at action %ld (%s): %s\n  replay: --seed %llu --actions %ld\n",
        index_, qPrintable(description_), qPrintable(what),
        static_cast<unsigned long long>(options_.Seed), index_ + 1);
    return false;
  }

  // A number the program wrote must read back; overflow shows as INF/NAN.
  bool ReadsBack(const QString& shown, const QString& prefix, const QString& suffix) {
    if (!shown.startsWith(prefix) || !shown.endsWith(suffix)) return false;
    const QString number = shown.mid(prefix.size(), shown.size() - prefix.size() - suffix.size());
    if (number == "INF" || number == "-INF" || number == "NAN" || number == "---") return true;
    try {
      (void)idrova::StrToFloat(number.toStdString());
      return true;
    } catch (const idrova::ConversionError&) {
      return false;
    }
  }

  bool Check() {
    const idrova::DriveState& s = form_.State();
    struct Shown {
      const char* Name;
      const char* Prefix;
      const char* Suffix;
    };
    static const Shown kLabels[] = {{"Label9", "φ", ""},
                                    {"Label10", "φ", ""},
                                    {"Label11", "φ", ""},
                                    {"Label13", "(min ", ")"},
                                    {"Label16", "歯数  ", ""}};
    for (const Shown& label : kLabels) {
      const QLabel* shown = Find<QLabel>(label.Name);
      QString text = shown->text();
      // A value too long even for the smallest face shows its leading
      // characters and "…"; the accessible name carries all of it.
      if (text.endsWith(QChar(0x2026))) {
        const QString whole = shown->accessibleName().section(QStringLiteral(": "), 1);
        if (!whole.startsWith(text.chopped(1)))
          return Fail(
              QStringLiteral("%1 shows '%2' of '%3'").arg(label.Name, text, whole.left(60)));
        text = whole;
      }
      if (!ReadsBack(text, QString::fromUtf8(label.Prefix), QString::fromUtf8(label.Suffix)))
        return Fail(QStringLiteral("%1 shows '%2'").arg(label.Name, text.left(60)));
    }
    for (QLineEdit* edit : form_.findChildren<QLineEdit*>())
      if (!typed_.contains(edit) && !ReadsBack(edit->text(), "", ""))
        return Fail(QStringLiteral("%1 shows '%2'").arg(edit->objectName(), edit->text().left(60)));

    if (calculated_ && (s.UnknownKind == 1 || s.UnknownKind == 2) && !messageShown_ &&
        !zeroPitch_) {
      const bool searchX = s.UnknownKind == 1;
      const double coordinate = searchX ? s.Wheel[2].X : s.Wheel[2].Y;
      const QString shown = Find<QLineEdit>(searchX ? "Edit7" : "Edit8")->text();
      if (warning_ == 0) {
        if (shown.toStdString() != idrova::FormatFloat("###0.##", coordinate))
          return Fail(
              QStringLiteral("found coordinate %1 shown as '%2'").arg(coordinate).arg(shown));
        if (!(std::abs(s.BeltLength - s.SpecifiedLength) < idrova::kSearchToleranceMm))
          return Fail(QStringLiteral("no warning, but belt %1 for %2")
                          .arg(s.BeltLength)
                          .arg(s.SpecifiedLength));
      } else {
        double read = 0;
        try {
          read = idrova::StrToFloat(shown.toStdString());
        } catch (const idrova::ConversionError&) {
          return Fail("the searched coordinate's edit does not read back after a warning");
        }
        if (read != coordinate && !(std::isnan(read) && std::isnan(coordinate)))
          return Fail(QStringLiteral("after warning %1 the state holds %2, the edit '%3'")
                          .arg(warning_)
                          .arg(coordinate)
                          .arg(shown));
      }
    }

    const QImage& shownPicture = Find<PictureBox>("Image2")->Bitmap();
    if (Find<PictureBox>("Image1")->Bitmap() != shownPicture)
      return Fail("Image1 is not a copy of the picture");
    // The picture shows the state after every action, unless the state has
    // taken inputs over that the window does not show yet.
    if (redraws_ || !behind_) {
      QImage expected(shownPicture.size(), shownPicture.format());
      expected.setDevicePixelRatio(shownPicture.devicePixelRatio());
      ImageCanvas canvas(&expected);
      canvas.SetBrushColor(form_.palette().color(QPalette::Button));
      idrova::DrawLayout(s, canvas);
      if (expected != shownPicture) return Fail("the picture does not show the state");
      if (!samePath_ && !CheckDesignReadouts()) return false;
    }
    if (requestSet_ && !CheckCautionLine()) return false;
    return CheckSheet();
  }

  // What a chain count and the caution rules give, worked out here from the
  // state's spans and turns and the makers' rules.
  bool IsChain() const {
    const idrova::DriveState& s = form_.State();
    return s.BeltType == 999 ? !s.FreeTypeIsBelt : s.BeltType >= 25;
  }
  bool OddRequest() const {
    const idrova::DriveState& s = form_.State();
    const double links = s.SpecifiedLength / s.Pitch;
    return IsChain() && (s.UnknownKind == 1 || s.UnknownKind == 2) && s.Pitch != 0 &&
           std::abs(links - std::round(links)) <= 1e-9 && std::fmod(std::round(links), 2.0) != 0;
  }

  // The sheet, while shown, agrees with the main window: its type, the
  // diameters, wrap angles and teeth in mesh of the wheels, the two-wheel
  // length, the belt length (or the request) and its count, every caution
  // (the first on the caution line), the links of a chain, and what it
  // copies.
  bool CheckSheet() {
    DesignSheetWindow* sheet = form_.Form2();
    if (!sheet->isVisible() || behind_) return true;
    QHash<QString, QStringList> line;
    QStringList cautions;
    for (const QString& text : sheet->Text().split('\n', Qt::SkipEmptyParts)) {
      QStringList cells = text.split('\t');
      const QString name = cells.takeFirst();
      if (name == QStringLiteral("注意")) cautions << cells.join('\t');
      if (!line.contains(name)) line.insert(name, cells);
    }
    if (copied_ && QGuiApplication::clipboard()->text() != sheet->Text())
      return Fail("the clipboard does not hold the sheet");
    auto value = [&line](const char* name) { return line.value(QString::fromUtf8(name)).value(0); };
    // A label's whole text: where it had to end in "…", its accessible name has it.
    auto label = [this](const char* name) {
      const QLabel* shown = Find<QLabel>(name);
      return shown->text().endsWith(QChar(0x2026))
                 ? shown->accessibleName().section(QStringLiteral(": "), 1)
                 : shown->text();
    };
    if (!label("Label12").endsWith(QStringLiteral(" ") + value("種類")))
      return Fail(QStringLiteral("sheet type '%1' for '%2'").arg(value("種類"), label("Label12")));
    for (int i = 0; i < 3; ++i) {
      const QStringList wheel = line.value(QStringLiteral("NO %1").arg(i + 1));
      const QString wrap = label(qPrintable(QStringLiteral("Label%1").arg(18 + i)));
      if (wheel.size() != 6 ||
          QStringLiteral("φ") + wheel[3] !=
              label(qPrintable(QStringLiteral("Label%1").arg(9 + i))) ||
          (wheel[4] == "---" ? wheel[4] : wheel[4] + QChar(0x00B0)) != wrap ||
          wheel[5] != label(qPrintable(QStringLiteral("Label%1").arg(22 + i))))
        return Fail(
            QStringLiteral("sheet wheel %1 '%2'").arg(i + 1).arg(wheel.join(' ').right(60)));
    }
    if (QStringLiteral("(min %1)").arg(value("最短")) != label("Label13"))
      return Fail(QStringLiteral("sheet 最短 '%1' for '%2'").arg(value("最短"), label("Label13")));
    const bool typed = typed_.contains(Find<QLineEdit>("Edit11"));
    const QString count = label("Label16").mid(4);
    if (!typed && edit11ShowsBelt_ &&
        (value("ベルト長さ") != Find<QLineEdit>("Edit11")->text() ||
         (line.contains(QStringLiteral("歯数")) && count != "---" && value("歯数") != count)))
      return Fail(
          QStringLiteral("sheet belt '%1' '%2' for '%3' '%4'")
              .arg(value("ベルト長さ"), value("歯数"), Find<QLineEdit>("Edit11")->text(), count));
    if (!typed && !edit11ShowsBelt_ && line.contains(QStringLiteral("指定長さ")) &&
        std::abs(value("指定長さ").toDouble() - Find<QLineEdit>("Edit11")->text().toDouble()) >
            5e-4 * std::max(1.0, std::abs(value("指定長さ").toDouble())))
      return Fail(QStringLiteral("sheet request '%1' for '%2'")
                      .arg(value("指定長さ"), Find<QLineEdit>("Edit11")->text()));
    const QString caution = label("Label25");
    const bool reference = caution.startsWith(QStringLiteral("参考"));
    if (reference != line.contains(QStringLiteral("実際のベルト長さ")) ||
        (!reference && cautions.value(0) != caution))
      return Fail(QStringLiteral("sheet cautions '%1' for '%2'").arg(cautions.join('|'), caution));
    if (line.contains(QStringLiteral("リンク数")) != IsChain())
      return Fail("the sheet's chain figures do not follow the type");
    if (redraws_ && !samePath_ && IsChain() && value("リンク数") != "---") {
      const idrova::DriveState& s = form_.State();
      double links = 0.0;
      for (const idrova::PolarVector& span : s.Span) links += span.Length / s.Pitch;
      for (int i = 0; i < 3; ++i) links += s.WheelTurn[i] / (2.0 * std::numbers::pi) * s.Teeth[i];
      const double shown = value("リンク数").toDouble();
      double order = std::ceil(shown - 1e-9);  // the whole count at or above, then even
      if (std::fmod(order, 2.0) != 0.0) order += 1.0;
      if (std::isfinite(links) && std::abs(links) < 1e8 &&
          (std::abs(shown - links) > 0.005 + 1e-9 * std::abs(links) ||
           value("注文リンク数") != QString::number(order, 'f', 0)))
        return Fail(QStringLiteral("sheet links '%1' order '%2' for %3")
                        .arg(value("リンク数"), value("注文リンク数"))
                        .arg(links, 0, 'g', 17));
    }
    return true;
  }

  // After a new request (the proposal, a standard length): the caution line
  // still shows the first caution, now with the odd chain's.
  bool CheckCautionLine() {
    const QString line = Find<QLabel>("Label25")->text();
    const QString odd = QStringLiteral("注意! 奇数リンク: オフセットリンクが必要");
    if (OddRequest() && line.isEmpty()) return Fail("an odd chain and no caution");
    if (!OddRequest() && line == odd) return Fail("an odd-chain caution for no odd chain");
    return true;
  }

  // After a redraw of a newly computed path: the wrap angles of a valid
  // layout add up to a full turn, every count lies within its wheel's teeth,
  // and the caution line shows the caution of the rules or, for a layout
  // that is not valid, the real belt length.
  bool CheckDesignReadouts() {
    const idrova::DriveState& s = form_.State();
    // Figures are shown only for a valid layout whose wrap angles add up to a
    // full turn: a wheel far beyond any drive blinds the length check.
    const double total =
        (s.WheelTurn[0] + s.WheelTurn[1] + s.WheelTurn[2]) * (180.0 / std::numbers::pi);
    const bool valid = idrova::BeltPathFitsLayout(s) && std::abs(total - 360.0) <= 1e-9;
    QString caution;
    for (int i = 0; i < 3; ++i) {
      const double degrees = s.WheelTurn[i] * (180.0 / std::numbers::pi);
      const int inMesh = idrova::TeethInMesh(s.WheelTurn[i], s.Teeth[i]);
      const QString wrap = Find<QLabel>(qPrintable(QStringLiteral("Label%1").arg(18 + i)))->text();
      const QString mesh = Find<QLabel>(qPrintable(QStringLiteral("Label%1").arg(22 + i)))->text();
      const QString wantWrap =
          valid ? QString::fromStdString(idrova::FormatFloat("###0.#", degrees)) + QChar(0x00B0)
                : QStringLiteral("---");
      const QString wantMesh = valid ? QString::number(inMesh) : QStringLiteral("---");
      if (wrap != wantWrap || mesh != wantMesh)
        return Fail(QStringLiteral("wheel %1 shows '%2' '%3' for '%4' '%5'")
                        .arg(i + 1)
                        .arg(wrap, mesh, wantWrap, wantMesh));
      if (valid && !(inMesh >= 0 && inMesh <= s.Teeth[i]))
        return Fail(QStringLiteral("%1 teeth in mesh of %2").arg(inMesh).arg(s.Teeth[i]));
      if (i < 2 && valid && caution.isEmpty()) {
        const QString who = QStringLiteral("注意! NO %1 ").arg(i + 1);
        if (!IsChain() && inMesh < 6)
          caution = who + QStringLiteral("の噛合歯数が6未満です");
        else if (!IsChain() && degrees < 60)
          caution = who + QStringLiteral("の巻付角が60°未満です");
        else if (IsChain() && degrees < 120)
          caution = who + QStringLiteral("の巻付角が120°未満です");
      }
    }
    if (idrova::BeltPathFitsLayout(s) && !valid &&
        std::abs(s.Wheel[0].X) + std::abs(s.Wheel[0].Y) + std::abs(s.Wheel[1].X) +
                std::abs(s.Wheel[1].Y) + std::abs(s.Wheel[2].X) + std::abs(s.Wheel[2].Y) <
            1e9)
      return Fail(QStringLiteral("a valid layout with coordinates below 1e9 mm has wrap angles "
                                 "adding up to %1°")
                      .arg(total, 0, 'g', 17));
    if (caution.isEmpty() && OddRequest())
      caution = QStringLiteral("注意! 奇数リンク: オフセットリンクが必要");
    const QString line = Find<QLabel>("Label25")->text();
    const QString want = valid ? caution
                               : QStringLiteral("参考: 実際のベルト長さ ") +
                                     QString::fromStdString(idrova::FormatFloat(
                                         "###0.##", idrova::TightBeltLength(s.Wheel)));
    if (line != want && !(line.endsWith(QChar(0x2026)) && want.startsWith(line.chopped(1))))
      return Fail(QStringLiteral("caution line '%1', the rules say '%2'").arg(line, want));
    return true;
  }

  TForm1& form_;
  Options options_;
  std::mt19937_64 rng_;
  QSet<QLineEdit*> typed_;
  bool editing_ = false;
  long index_ = 0;
  QString description_;
  bool redraws_ = false;
  qint64 pictureBeforePress_ = 0;
  bool samePath_ = false;  // the redraw shows the path already shown (zoom)
  bool calculated_ = false;
  bool messageShown_ = false;
  bool zeroPitch_ = false;
  int warning_ = 0;
  bool requestSet_ = false;      // the proposal or a standard length was set
  bool edit11ShowsBelt_ = true;  // the length field shows the belt, not a request
  bool copied_ = false;
  bool behind_ = false;
  const QPalette light_ =
      QApplication::palette();  // the state holds inputs that the window does not show yet
};

}  // namespace

// The offscreen platform notes every message box it cannot size; not ours to report.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  // Nor can it raise a menu or hand it the keyboard.
  if (message.contains("propagateSizeHints") || message.contains("does not support raise") ||
      message.contains("does not support grabbing the keyboard"))
    return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Options options;
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == "--seed")
      options.Seed = args[i + 1] == "random" ? std::random_device{}() : args[i + 1].toULongLong();
    else if (args[i] == "--actions")
      options.Actions = args[i + 1].toLong();
    else if (args[i] == "--max-action-ms")
      options.MaxActionMs = args[i + 1].toLong();
    else if (args[i] == "--trace")
      options.Trace = args[i + 1] == "on";
  }
  std::printf("idrova_soak: seed %llu, %ld actions\n",
              static_cast<unsigned long long>(options.Seed), options.Actions);
  std::fflush(stdout);
  ArrowControl::SetRepeatTiming(20, 5);  // holds repeat quickly; the clicks are the same
  TForm1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return 2;
  QElapsedTimer timer;
  timer.start();
  QTest::mouseClick(form.Button2, Qt::LeftButton);  // the soak starts with the sheet open
  Soak soak(form, options);
  if (!soak.Run()) return 1;
  std::printf("idrova_soak: %ld actions passed in %.1f s\n", options.Actions,
              timer.elapsed() / 1000.0);
  return 0;
}
