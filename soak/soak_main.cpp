// SPDX-License-Identifier: MIT
// idrova_soak: drives the real window offscreen with a long random sequence
// of user actions and checks after each one that the window is still sound.
//
//   idrova_soak [--seed N|random] [--actions N] [--max-action-ms N] [--trace on]
//
// The seed is printed first; the same seed replays the same actions.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numbers>
#include <optional>
#include <random>
#include <tuple>

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
      QObject::connect(unknown, &QRadioButton::toggled,
                       [this](bool on) { requestSet_ = requestSet_ || on; });
  }

  bool Run() {
    for (index_ = 0; index_ < options_.Actions; ++index_) {
      QElapsedTimer timer;
      timer.start();
      const qint64 waited = Act();
      if (options_.Trace) std::fprintf(stderr, "%ld: %s\n", index_, qPrintable(description_));
      if (const qint64 ms = timer.elapsed() - waited; ms > options_.MaxActionMs)
        return Fail("took %1 ms", ms);
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
  // The text with its %1, %2, ... filled in turn.
  template <typename... Args>
  static QString Text(const char* format, const Args&... args) {
    QString text = QString::fromUtf8(format);
    ((text = text.arg(args)), ...);
    return text;
  }
  static QString Format(const char* picture, double value) {
    return QString::fromStdString(idrova::FormatFloat(picture, value));
  }

  // A number in any of the forms people type, from 1e-4 to 1e4 and now and
  // then a power of ten up to 1e319; or text that is no number, or very long.
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

  // One random user action; returns the milliseconds spent deliberately
  // holding a mouse button, which the time check leaves out.
  qint64 Act() {
    static constexpr int kEdits[] = {1, 2, 4, 5, 7, 8, 10, 11};
    // The arrows take all these keys, the zoom bar the four arrow keys.
    static const Qt::Key kKeys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Right, Qt::Key_Left,
                                    Qt::Key_Up,     Qt::Key_Down,     Qt::Key_Home,  Qt::Key_End};
    redraws_ = samePath_ = calculated_ = requestSet_ = copied_ = false;
    qint64 waited = 0;
    const qint64 picture = form_.Image2->Bitmap().cacheKey();
    const int kind = Pick(130);
    if (kind < 30) {
      ArrowControl* arrows = Arrows(1 + Pick(10));
      const bool next = Chance(0.5);
      description_ = Text("click %1 %2", arrows->objectName(), next ? "next" : "prev");
      QTest::mouseClick(arrows, Qt::LeftButton, {}, ArrowPoint(arrows, next));
    } else if (kind < 33) {
      ArrowControl* arrows = Arrows(PickOf(kSteppers));
      description_ = Text("right-click %1", arrows->objectName());
      QTest::mouseClick(arrows, Qt::RightButton, {}, ArrowPoint(arrows, true));
    } else if (kind < 34) {
      waited = Hold(Arrows(1 + Pick(10)));
    } else if (kind < 44) {
      QAction* action = PickOf(form_.PopupMenu1->actions());
      description_ = Text("menu %1", action->objectName());
      action->trigger();
    } else if (kind < 54) {
      QRadioButton* item = PickOf(QList{form_.RadioButton1, form_.RadioButton2} +
                                  form_.RadioGroup1->findChildren<QRadioButton*>() +
                                  form_.RadioGroup2->findChildren<QRadioButton*>());
      description_ = Text("radio '%1'", item->text());
      QTest::mouseClick(item, Qt::LeftButton);
    } else if (kind < 80) {
      auto* edit = form_.findChild<QLineEdit*>(QString("Edit%1").arg(PickOf(kEdits)));
      const QString text = RandomText();
      description_ = Text("type '%1' into %2", text.left(40), edit->objectName());
      Type(edit, text);
    } else if (kind < 95) {
      description_ = Text("calculate (mode %1)", s_.UnknownKind);
      Calculate();
    } else if (kind < 100) {
      const int position = 1 + Pick(20);
      description_ = Text("zoom %1", position);
      samePath_ = true;
      form_.ScrollBar1->setValue(position);
    } else if (kind < 102) {
      description_ = Text("Return on 計算 (mode %1)", s_.UnknownKind);
      Calculate(form_.Button1, Chance(0.5) ? Qt::Key_Return : Qt::Key_Enter);
    } else if (kind < 106) {
      const bool zoom = kind == 105;
      QWidget* to = zoom ? static_cast<QWidget*>(form_.ScrollBar1) : Arrows(1 + Pick(10));
      const Qt::Key key = zoom ? kKeys[2 + Pick(4)] : kKeys[Pick(8)];
      description_ = Text("key %1 on %2", QString::number(key, 16),
                          zoom ? QString("the zoom bar") : to->objectName());
      samePath_ = zoom;
      Press(to, key);
    } else if (kind < 109) {
      ArrowControl* arrows = Arrows(1 + Pick(10));
      const QString action = Chance(0.5) ? QAccessibleActionInterface::increaseAction()
                                         : QAccessibleActionInterface::decreaseAction();
      description_ = Text("%1 %2 for a screen reader", action, arrows->objectName());
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
    redraws_ = form_.Image2->Bitmap().cacheKey() != (calculated_ ? pictureBeforePress_ : picture);
    const bool newPath = redraws_ && !samePath_;
    // Typing recalculates as it goes: the length field shows the belt before 計算.
    const bool typedPath = calculated_ && pictureBeforePress_ != picture && !samePath_;
    if (requestSet_ || newPath || typedPath) edit11ShowsBelt_ = newPath || typedPath;
    // A search that warns leaves the request in the length field. One that finds the
    // request too short, or a text that cannot be read, takes inputs over and shows nothing
    // new: the window and its sheet show the drive before the press until the next new picture.
    if (calculated_ && s_.UnknownKind != 0 && warning_ != 0) edit11ShowsBelt_ = false;
    if (calculated_ && (messageShown_ || (warning_ == 1 && !zeroPitch_))) behind_ = true;
    if (newPath) behind_ = false;
    return waited;
  }

  // A coordinate typed from its arrows, as in a spreadsheet: the first key
  // goes from the arrows into the edit, F2 goes in keeping the text; then
  // Escape (back to the arrows), Tab (on), Return (計算) or nothing.
  void TypeFromArrows() {
    static const QString kKeys = QStringLiteral("0123456789.-+．－１２３ae,");
    ArrowControl* arrows = Arrows(PickOf(kSteppers));
    QString typed;
    for (int i = 1 + Pick(9); i > 0; --i) typed += PickOf(kKeys);
    const bool f2 = Chance(0.2);
    const int end = Pick(4);
    description_ =
        Text("type '%1' from %2%3, then %4", typed, arrows->objectName(), f2 ? " after F2" : "",
             QStringList{"nothing", "Escape", "Tab", "Return"}[end]);
    QApplication::setActiveWindow(&form_);
    arrows->setFocus();
    editing_ = true;
    if (f2) QTest::keyClick(arrows, Qt::Key_F2);
    for (const QChar ch : typed)
      QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                          Qt::NoModifier);
    editing_ = false;
    QWidget* at = QApplication::focusWidget();
    if (end == 1 || end == 2) QTest::keyClick(at, end == 1 ? Qt::Key_Escape : Qt::Key_Tab);
    // With nothing typed in, Return on the arrows is no key of theirs.
    if (end == 3 && at == arrows->TypingEdit()) Calculate(at, Qt::Key_Return);
  }

  // The desktop's palette: light, dark or high contrast. The picture is
  // drawn anew on the theme's background, with the same path.
  void SwitchPalette() {
    const int which = Pick(3);
    description_ = Text("palette %1", QStringList{"light", "dark", "contrast"}[which]);
    QPalette palette = light_;
    if (which > 0) {
      using enum QPalette::ColorRole;
      const QColor window = which == 1 ? QColor(49, 54, 59) : QColor(Qt::black);
      const QColor text = which == 1 ? QColor(239, 240, 241) : QColor(Qt::white);
      palette = QPalette(window);
      for (const auto role : {Window, Button, Base}) palette.setColor(role, window);
      for (const auto role : {WindowText, ButtonText, Text}) palette.setColor(role, text);
    }
    QApplication::setPalette(palette);
    QCoreApplication::processEvents();  // the widgets hear of it in the event loop
    samePath_ = true;
  }

  // The design sheet: open it (詳細 or F4), close it (Escape or its frame),
  // set the free type's wheels, copy it (コピー or Ctrl+C).
  void UseTheSheet() {
    DesignSheetWindow* sheet = form_.Form2();
    const int what = Pick(sheet->isVisible() ? 5 : 2);
    const bool first = what >= 2 && Chance(0.5);  // of the two ways
    QRadioButton* rule = first ? sheet->FreeRuleBelt : sheet->FreeRuleChain;
    description_ = QStringList{"詳細", "F4", "sheet " + rule->objectName(), "copy the sheet",
                               "close the sheet"}[what];
    if (what == 0) QTest::mouseClick(form_.Button2, Qt::LeftButton);
    if (what == 1) Press(form_.Button1, Qt::Key_F4);
    if (what == 2) QTest::mouseClick(rule, Qt::LeftButton);
    copied_ = what == 3;
    if (copied_) QGuiApplication::clipboard()->clear();
    if (copied_ && first) QTest::mouseClick(sheet->CopyButton, Qt::LeftButton);
    if (copied_ && !first) QTest::keyClick(sheet->StringGrid1, Qt::Key_C, Qt::ControlModifier);
    if (what == 4 && first) QTest::keyClick(sheet->StringGrid1, Qt::Key_Escape);
    if (what == 4 && !first) sheet->close();
  }

  void Press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    widget->setFocus();
    QTest::keyClick(widget, key, modifiers);
  }

  // Shift+F10 or the Menu key from a control without an edit menu, then the
  // arrow keys and Return through the type menu, or Escape.
  void ChooseTypeFromKeyboard() {
    static const char* kFrom[] = {"Button1", "UpDown3", "UpDown10", "ScrollBar1", "RadioButton1"};
    QWidget* from = form_.findChild<QWidget*>(PickOf(kFrom));
    const bool shiftF10 = Chance(0.5);
    const int downs = Pick(static_cast<int>(form_.PopupMenu1->actions().size()) + 2);
    const bool escape = Chance(0.15);
    description_ = Text("%1 on %2, %3 down, %4", shiftF10 ? "Shift+F10" : "Menu",
                        from->objectName(), downs, escape ? "Escape" : "Return");
    if (!from->isEnabled()) return;
    Press(from, shiftF10 ? Qt::Key_F10 : Qt::Key_Menu,
          shiftF10 ? Qt::ShiftModifier : Qt::NoModifier);
    if (!form_.PopupMenu1->isVisible()) description_ += QStringLiteral(": no menu");
    if (!form_.PopupMenu1->isVisible()) return;
    for (int i = 0; i < downs; ++i) QTest::keyClick(form_.PopupMenu1, Qt::Key_Down);
    QTest::keyClick(form_.PopupMenu1, escape ? Qt::Key_Escape : Qt::Key_Return);
    if (form_.PopupMenu1->isVisible()) form_.PopupMenu1->close();
  }

  static QPoint ArrowPoint(const ArrowControl* arrows, bool next) {
    if (arrows->Orientation() == Qt::Horizontal)
      return {next ? arrows->width() * 3 / 4 : arrows->width() / 4, arrows->height() / 2};
    return {arrows->width() / 2, next ? arrows->height() / 4 : arrows->height() * 3 / 4};
  }

  // Press and hold until the control has repeated a chosen number of clicks.
  qint64 Hold(ArrowControl* arrows) {
    const QPoint at = ArrowPoint(arrows, Chance(0.5));
    const int clicks = 2 + Pick(5);
    description_ = Text("hold %1 for %2 clicks", arrows->objectName(), clicks);
    QSignalSpy spy(arrows, &ArrowControl::clicked);
    QElapsedTimer held;
    held.start();
    QTest::mousePress(arrows, Qt::LeftButton, {}, at);
    while (spy.count() > 0 && spy.count() < clicks && held.elapsed() < 2000)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QTest::mouseRelease(arrows, Qt::LeftButton, {}, at);
    return held.elapsed();
  }

  void Type(QLineEdit* edit, const QString& text) {
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
  }

  // 計算 by a click, or by `key` on `by`: Return or Enter on it, Return in an edit.
  void Calculate(QWidget* by = nullptr, Qt::Key key = Qt::Key_Return) {
    pictureBeforePress_ = form_.Image2->Bitmap().cacheKey();
    auto* box = form_.findChild<QMessageBox*>("ErrorMessage");
    box->setText(QString());
    if (by) Press(by, key);
    if (!by) QTest::mouseClick(form_.Button1, Qt::LeftButton);
    messageShown_ = box->isVisible();
    box->close();
    calculated_ = true;
    zeroPitch_ = form_.Edit10->text() == "0" || s_.Pitch == 0.0;
    warning_ = 0;
    for (const int code : {idrova::kLengthTooShort, idrova::kWrongDirection})
      if (form_.Label14->text() == QString::fromUtf8(idrova::WarningText(code))) warning_ = code;
  }

  template <typename... Args>
  bool Fail(const char* format, const Args&... args) {
    std::fprintf(stderr, "idrova_soak: wheels");
    for (const auto& w : s_.Wheel)
      std::fprintf(stderr, " (%.17g, %.17g, %.17g)", w.X, w.Y, w.Radius);
    std::fprintf(stderr, ", pitch %.17g, type %d, mode %d, scale %g\n", s_.Pitch, s_.BeltType,
                 s_.UnknownKind, s_.Scale);
    std::fprintf(
        stderr, "idrova_soak: FAILED at action %ld (%s): %s\n  replay: --seed %llu --actions %ld\n",
        index_, qPrintable(description_), qPrintable(Text(format, args...)), options_.Seed,
        index_ + 1);
    return false;
  }

  static std::optional<double> Read(const QString& text) {
    try {
      return idrova::StrToFloat(text.toStdString());
    } catch (const idrova::ConversionError&) {
      return std::nullopt;
    }
  }

  // A number the program wrote must read back; overflow shows as INF/NAN.
  bool ReadsBack(const QString& text, const QString& prefix = {}, const QString& suffix = {}) {
    if (!text.startsWith(prefix) || !text.endsWith(suffix)) return false;
    const QString number = text.mid(prefix.size(), text.size() - prefix.size() - suffix.size());
    return QStringList{"INF", "-INF", "NAN", "---"}.contains(number) || Read(number).has_value();
  }

  // A label's whole text: a value too long even for the smallest face shows
  // its leading characters and "…"; the accessible name carries all of it.
  static QString Whole(const QLabel* label) {
    return label->text().endsWith(u'…') ? label->accessibleName().section(": ", 1) : label->text();
  }

  bool Check() {
    static const std::tuple<int, const char*, const char*> kLabels[] = {
        {9, "φ", ""}, {10, "φ", ""}, {11, "φ", ""}, {13, "(min ", ")"}, {16, "歯数  ", ""}};
    for (const auto& [n, prefix, suffix] : kLabels) {
      const QLabel* label = Label(n);
      const QString whole = Whole(label);
      if (label->text().endsWith(u'…') && !whole.startsWith(label->text().chopped(1)))
        return Fail("%1 shows '%2' of '%3'", label->objectName(), label->text(), whole.left(60));
      if (!ReadsBack(whole, prefix, suffix))
        return Fail("%1 shows '%2'", label->objectName(), whole.left(60));
    }
    for (QLineEdit* edit : form_.findChildren<QLineEdit*>())
      if (!typed_.contains(edit) && !ReadsBack(edit->text()))
        return Fail("%1 shows '%2'", edit->objectName(), edit->text().left(60));

    if (calculated_ && (s_.UnknownKind == 1 || s_.UnknownKind == 2) && !messageShown_ &&
        !zeroPitch_) {
      const double coordinate = s_.UnknownKind == 1 ? s_.Wheel[2].X : s_.Wheel[2].Y;
      const QString shown = (s_.UnknownKind == 1 ? form_.Edit7 : form_.Edit8)->text();
      const std::optional<double> read = Read(shown);
      if (warning_ == 0 && shown != Format("###0.##", coordinate))
        return Fail("found coordinate %1 shown as '%2'", coordinate, shown);
      if (warning_ == 0 &&
          !(std::abs(s_.BeltLength - s_.SpecifiedLength) < idrova::kSearchToleranceMm))
        return Fail("no warning, but belt %1 for %2", s_.BeltLength, s_.SpecifiedLength);
      if (warning_ != 0 && !read)
        return Fail("the searched coordinate's edit does not read back after a warning");
      if (warning_ != 0 && *read != coordinate && !(std::isnan(*read) && std::isnan(coordinate)))
        return Fail("after warning %1 the state holds %2, the edit '%3'", warning_, coordinate,
                    shown);
    }

    const QImage& shownPicture = form_.Image2->Bitmap();
    if (form_.Image1->Bitmap() != shownPicture) return Fail("Image1 is not a copy of the picture");
    // The picture shows the state after every action, unless the state has
    // taken inputs over that the window does not show yet.
    if (redraws_ || !behind_) {
      QImage expected(shownPicture.size(), shownPicture.format());
      expected.setDevicePixelRatio(shownPicture.devicePixelRatio());
      ImageCanvas canvas(&expected);
      canvas.SetBrushColor(form_.palette().color(QPalette::Button));
      idrova::DrawLayout(s_, canvas);
      if (expected != shownPicture) return Fail("the picture does not show the state");
      if (!samePath_ && !CheckDesignReadouts()) return false;
    }
    return (!requestSet_ || CheckCautionLine()) && CheckSheet();
  }

  // Worked out here from the state and the makers' rules, apart from the program.
  bool IsChain() const { return s_.BeltType == 999 ? !s_.FreeTypeIsBelt : s_.BeltType >= 25; }
  bool OddRequest() const {
    const double links = s_.SpecifiedLength / s_.Pitch;
    return IsChain() && (s_.UnknownKind == 1 || s_.UnknownKind == 2) && s_.Pitch != 0 &&
           std::abs(links - std::round(links)) <= 1e-9 && std::fmod(std::round(links), 2.0) != 0;
  }

  // The sheet, while shown, agrees with the window (type, wheels, two-wheel length, belt length
  // or request and count, cautions) and with what it copies; its chain links with the path's.
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
    if (!Whole(form_.Label12).endsWith(QStringLiteral(" ") + value("種類")))
      return Fail("sheet type '%1' for '%2'", value("種類"), Whole(form_.Label12));
    for (int i = 0; i < 3; ++i) {
      const QStringList wheel = line.value(QStringLiteral("NO %1").arg(i + 1));
      if (wheel.size() != 6 || QStringLiteral("φ") + wheel[3] != Whole(Label(9 + i)) ||
          (wheel[4] == "---" ? wheel[4] : wheel[4] + u'°') != Whole(Label(18 + i)) ||
          wheel[5] != Whole(Label(22 + i)))
        return Fail("sheet wheel %1 '%2'", i + 1, wheel.join(' ').right(60));
    }
    if (QStringLiteral("(min %1)").arg(value("最短")) != Whole(form_.Label13))
      return Fail("sheet 最短 '%1' for '%2'", value("最短"), Whole(form_.Label13));
    const QString length = form_.Edit11->text();
    const bool typed = typed_.contains(form_.Edit11);
    const QString count = Whole(form_.Label16).mid(4);
    if (!typed && edit11ShowsBelt_ &&
        (value("ベルト長さ") != length ||
         (line.contains(QStringLiteral("歯数")) && count != "---" && value("歯数") != count)))
      return Fail("sheet belt '%1' '%2' for '%3' '%4'", value("ベルト長さ"), value("歯数"), length,
                  count);
    const double request = value("指定長さ").toDouble();
    if (!typed && !edit11ShowsBelt_ && line.contains(QStringLiteral("指定長さ")) &&
        std::abs(request - length.toDouble()) > 5e-4 * std::max(1.0, std::abs(request)))
      return Fail("sheet request '%1' for '%2'", value("指定長さ"), length);
    const QString caution = Whole(form_.Label25);
    const bool reference = caution.startsWith(QStringLiteral("参考"));
    if (reference != line.contains(QStringLiteral("実際のベルト長さ")) ||
        (!reference && cautions.value(0) != caution))
      return Fail("sheet cautions '%1' for '%2'", cautions.join('|'), caution);
    if (line.contains(QStringLiteral("リンク数")) != IsChain())
      return Fail("the sheet's chain figures do not follow the type");
    if (redraws_ && !samePath_ && IsChain() && value("リンク数") != "---") {
      double links = 0.0;
      for (const idrova::PolarVector& span : s_.Span) links += span.Length / s_.Pitch;
      for (int i = 0; i < 3; ++i) links += s_.WheelTurn[i] / (2.0 * std::numbers::pi) * s_.Teeth[i];
      const double shown = value("リンク数").toDouble();
      const double order = 2.0 * std::ceil(std::ceil(shown - 1e-9) / 2.0);  // even, at or above
      if (std::isfinite(links) && std::abs(links) < 1e8 &&
          (std::abs(shown - links) > 0.005 + 1e-9 * std::abs(links) ||
           value("注文リンク数") != QString::number(order, 'f', 0)))
        return Fail("sheet links '%1' order '%2' for %3", value("リンク数"), value("注文リンク数"),
                    QString::number(links, 'g', 17));
    }
    return true;
  }

  // After a new request (the proposal, a standard length): the caution line
  // still shows the first caution, now with the odd chain's.
  bool CheckCautionLine() {
    const QString line = form_.Label25->text();
    if (OddRequest() && line.isEmpty()) return Fail("an odd chain and no caution");
    return OddRequest() || line != kOddCaution || Fail("an odd-chain caution for no odd chain");
  }

  // After a redraw of a newly computed path: figures show only for a valid layout, whose wrap
  // angles add up to a full turn (a wheel far beyond any drive blinds the length check); each
  // count lies within its wheel's teeth; the caution line shows the rules' caution or real length.
  bool CheckDesignReadouts() {
    constexpr double kDegrees = 180.0 / std::numbers::pi;
    const double total = (s_.WheelTurn[0] + s_.WheelTurn[1] + s_.WheelTurn[2]) * kDegrees;
    const bool valid = idrova::BeltPathFitsLayout(s_) && std::abs(total - 360.0) <= 1e-9;
    QString caution;
    for (int i = 0; i < 3; ++i) {
      const double degrees = s_.WheelTurn[i] * kDegrees;
      const int inMesh = idrova::TeethInMesh(s_.WheelTurn[i], s_.Teeth[i]);
      const QStringList shown = {Label(18 + i)->text(), Label(22 + i)->text()};
      QStringList want = {"---", "---"};
      if (valid) want = {Format("###0.#", degrees) + u'°', QString::number(inMesh)};
      if (shown != want)
        return Fail("wheel %1 shows '%2' for '%3'", i + 1, shown.join("' '"), want.join("' '"));
      if (valid && !(inMesh >= 0 && inMesh <= s_.Teeth[i]))
        return Fail("%1 teeth in mesh of %2", inMesh, s_.Teeth[i]);
      // A belt wants 6 teeth in mesh and 60° of wrap, a chain 120° of wrap.
      const bool fewTeeth = !IsChain() && inMesh < 6;
      const int leastWrap = IsChain() ? 120 : 60;
      if (i < 2 && valid && caution.isEmpty() && (fewTeeth || degrees < leastWrap))
        caution = fewTeeth ? Text("注意! NO %1 の噛合歯数が6未満です", i + 1)
                           : Text("注意! NO %1 の巻付角が%2°未満です", i + 1, leastWrap);
    }
    // The length check sees a path that goes round twice only where a full
    // turn of the smallest wheel is more than its tolerance, a millionth of
    // the belt: a wheel far beyond the drive blinds it.
    double smallest = s_.Wheel[0].Radius;
    for (const auto& w : s_.Wheel) smallest = std::min(smallest, w.Radius);
    const double tolerance = 1e-6 * std::max(1.0, std::abs(idrova::TightBeltLength(s_.Wheel)));
    if (idrova::BeltPathFitsLayout(s_) && !valid && std::numbers::pi * smallest > tolerance)
      return Fail("a valid layout the length check can judge has wrap angles adding up to %1°",
                  QString::number(total, 'g', 17));
    if (caution.isEmpty() && OddRequest()) caution = kOddCaution;
    if (!valid)
      caution =
          Text("参考: 実際のベルト長さ %1", Format("###0.##", idrova::TightBeltLength(s_.Wheel)));
    const QString line = form_.Label25->text();
    return line == caution || (line.endsWith(u'…') && caution.startsWith(line.chopped(1))) ||
           Fail("caution line '%1', the rules say '%2'", line, caution);
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
  bool behind_ = false;  // the state holds inputs that the window does not show yet
};

}  // namespace

// The offscreen platform notes every message box it cannot size, and that it cannot raise a
// menu or hand it the keyboard; not ours to report.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (!message.contains("propagateSizeHints") && !message.contains("does not support raise") &&
      !message.contains("does not support grabbing the keyboard"))
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);  // each line out as soon as it is printed
  qInstallMessageHandler(QuietMessages);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
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
