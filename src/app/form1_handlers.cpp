// SPDX-License-Identifier: MIT
// TForm1's handlers: thin, they read what the event gives, call the core and
// write texts.
#include <QAccessible>
#include <QApplication>
#include <QScreen>
#include <QWindow>

#include "app/control_texts.h"
#include "app/form1.h"
#include "app/form1_look.h"
#include "calc/belt_teeth.h"
#include "calc/design_check.h"
#include "calc/design_sheet.h"
#include "calc/fitting_lengths.h"
#include "calc/layout_check.h"
#include "calc/modes.h"
#include "calc/solver.h"
#include "draw/layout_drawing.h"
#include "input/catalogue.h"
#include "input/standard_lengths.h"
#include "input/stepper.h"
#include "input/wheel_sizing.h"
#include "text/number_text.h"

using idrova::ArrowButton;
using idrova::FormatQ;
using idrova::ToQ;

namespace {

constexpr idrova::Rgb kNavy{0, 0, 128};
const QString kTeethPrefix = QStringLiteral("歯数  ");
constexpr int kMaxShownBadText = 40;

}  // namespace

// ---------------------------------------------------------------------------
// Helpers

template <typename Handler>
void TForm1::Guarded(Handler handler) {
  try {
    handler();
  } catch (const idrova::ConversionError& error) {
    ShowConversionError(reading_, QString::fromStdString(error.Text()));
  }
}

// Reads an edit's number; a text that is no number stops the handler, and
// the message names this edit.
double TForm1::ReadNumber(QLineEdit* edit) {
  reading_ = edit;
  return idrova::StrToFloat(edit->text().toStdString());
}

// Labels grow with their text from their design place and, where their row
// leaves room, to the left; a value label's accessible name carries the value.
void TForm1::SetCaption(QLabel* label, const QString& text) {
  const auto room = labelRooms_.constFind(label);
  if (room == labelRooms_.constEnd()) {
    label->setText(text);
  } else {
    idrova::FitLabelText(label, text, *room, idrova::kWindowPixelSize);
  }
  // The name carries the whole value, also where the label had to cut it.
  if (const QString name = idrova::AccessibleNameOf(label, &text); !name.isEmpty())
    label->setAccessibleName(name);
}

// Writes a number into an edit and shows it from its first character: a
// text longer than the edit shows its sign and leading digits, never a tail
// that reads as another number.
void TForm1::WriteEdit(QLineEdit* edit, const QString& text) {
  const bool wasWriting = writing_;
  writing_ = true;
  edit->setText(text);
  edit->setCursorPosition(0);
  writing_ = wasWriting;
}

// The message names the field and its text, stands clear of the field where
// the screen allows, and when it closes the field has the focus with its
// text selected, ready to be typed over.
void TForm1::ShowConversionError(QLineEdit* field, const QString& text) {
  QString shown = text;
  if (shown.size() > kMaxShownBadText) shown = shown.left(kMaxShownBadText) + QStringLiteral("…");
  const idrova::ControlText* row = field ? idrova::ControlTextOf(field->objectName()) : nullptr;
  const QString japanese = row ? QString::fromUtf8(row->AccessibleName) : QString();
  const QString english = row ? QString::fromUtf8(row->EnglishName) : QString();
  if (shown.trimmed().isEmpty()) {
    errorMessage_->setText(
        QStringLiteral("「%1」が空欄です。数値を入力してください。\n%2 is empty; type a number.")
            .arg(japanese, english));
  } else {
    errorMessage_->setText(
        QStringLiteral(
            "「%1」の '%2' は数値として読めません。\nThe text '%2' in %3 is not a valid number.")
            .arg(japanese, shown, english));
  }
  ShowErrorMessage(field);
}

// Opens the error message with its text set: clear of the field it names,
// placed before it shows (the first time as every time) and once more when
// the window manager has framed it.
void TForm1::ShowErrorMessage(QLineEdit* field) {
  errorField_ = field;
  PlaceErrorMessage();
  errorMessage_->open();
  if (!errorField_) return;
  // The box takes its final size as it shows.
  PlaceErrorMessage();
  if (errorMessage_->windowHandle() && errorMessage_->windowHandle()->frameMargins().isNull())
    errorMessage_->windowHandle()->installEventFilter(this);
  CheckPlaced(errorMessage_, [this] { PlaceErrorMessage(); });
}

void TForm1::PlaceErrorMessage() {
  if (!errorField_ || !screen()) return;
  errorMessage_->adjustSize();
  const QRect avoid(errorField_->mapToGlobal(QPoint(0, 0)), errorField_->size());
  const QMargins frame = idrova::FrameMarginsOf(errorMessage_, frameGeometry().size() - size());
  errorMessage_->move(idrova::PlaceClearOf(screen()->availableGeometry(),
                                           errorMessage_->size().grownBy(frame), avoid));
}

void TForm1::ConversionErrorClosed() {
  if (!errorField_) return;
  errorField_->setFocus(Qt::OtherFocusReason);
  errorField_->selectAll();
}

// ---------------------------------------------------------------------------
// Start-up, recalculation and drawing

void TForm1::FormActivate() {
  idrova::ApplyStartValues(state_);
  ShowStepSize();
  canvas_.SetBrushColor(palette().color(QPalette::Button));
  canvas_.SetPenColor(kNavy);
  Guarded([this] {
    ReadInputs();
    ClearPicture();
    Recalculate();
  });
}

void TForm1::ReadInputs() {
  state_.Wheel[0].X = ReadNumber(Edit1);
  state_.Wheel[0].Y = ReadNumber(Edit2);
  state_.Wheel[1].X = ReadNumber(Edit4);
  state_.Wheel[1].Y = ReadNumber(Edit5);
  state_.Wheel[2].X = ReadNumber(Edit7);
  state_.Wheel[2].Y = ReadNumber(Edit8);
  state_.Pitch = ReadNumber(Edit10);
  QLineEdit* const teethEdits[3] = {Edit3, Edit6, Edit9};
  for (int i = 0; i < 3; ++i) {
    state_.Teeth[i] = ReadNumber(teethEdits[i]);
    state_.Wheel[i].Radius = idrova::StartupPulleyRadius(state_.Teeth[i], state_.Pitch);
  }
}

void TForm1::Recalculate() {
  // A new drive: where a chain of the last request is tight is no longer known.
  state_.ChainTight = {};
  state_.RequestFitted = false;
  const idrova::PathCase path = idrova::ComputeBeltPath(state_);
  WriteEdit(Edit11, FormatQ("###0.##", state_.BeltLength));
  SetCaption(Label13, FormatQ("(min ###0.##)", state_.MinBeltLength));
  ShowBeltTeeth();
  if (path != idrova::PathCase::None) ShowLayoutCheck(idrova::BeltPathFitsLayout(state_));
  DrawComputedLayout();
}

// A layout whose belt length is not the real one is flagged on the warning
// line until a recalculation finds the layout valid again. The search
// warnings share the line and keep their own rules.
void TForm1::ShowLayoutCheck(bool valid) {
  if (!valid) {
    SetCaption(Label14, QString::fromUtf8(idrova::kLayoutWarningText));
    layoutWarningShown_ = true;
  } else if (layoutWarningShown_) {
    SetCaption(Label14, QString());
    layoutWarningShown_ = false;
  }
}

// The belt length in whole teeth: the computed belt's, or the requested
// length's once a search has fitted it.
void TForm1::ShowBeltTeeth() {
  const auto teeth = idrova::ShownBeltTeeth(state_);
  if (teeth) state_.BeltTeeth = *teeth;
  ShowToothCount(teeth.has_value());
}

// The tooth-count label after a new count was formed (`known`) or could not
// be. Without a pitch there is no whole-tooth count: the previous one stays
// on screen. A count beyond what can be held shows as "---" rather than as a
// wrong number, or an old one.
void TForm1::ShowToothCount(bool known) {
  if (known)
    SetCaption(Label16, kTeethPrefix + ToQ(idrova::IntToStr(state_.BeltTeeth)));
  else if (state_.Pitch != 0.0)
    SetCaption(Label16, kTeethPrefix + QStringLiteral("---"));
}

void TForm1::ClearPicture() {
  idrova::ClearPicture(canvas_);
  Image2->update();
}

void TForm1::DrawLayout() {
  idrova::DrawLayout(state_, canvas_);
  SetCaption(Label9, FormatQ("φ##0.##", 2 * state_.Wheel[0].Radius));
  SetCaption(Label10, FormatQ("φ##0.##", 2 * state_.Wheel[1].Radius));
  SetCaption(Label11, FormatQ("φ##0.##", 2 * state_.Wheel[2].Radius));
  Image1->Bitmap() = Image2->Bitmap().copy();
  Image1->update();
  Image2->update();
  const QString description =
      QStringLiteral(
          "ベルト長さ %1 mm、最小ベルト長さ %2 mm / belt length %1 mm, two-wheel belt %2 mm")
          .arg(FormatQ("###0.##", state_.BeltLength), FormatQ("###0.##", state_.MinBeltLength));
  Image2->setAccessibleDescription(description);
}

// A picture of a newly computed path comes with the design check of that
// path and the sheet; a redraw of the same path (zoom, a new screen) leaves
// them as they are.
void TForm1::DrawComputedLayout() {
  DrawLayout();
  ShowDrive();
}

// The design check and the sheet of the drive as it now stands: after a new
// picture, and after a change of the request (the proposal, a standard
// length), which may bring or take away the odd-chain caution.
void TForm1::ShowDrive() {
  ShowDesignCheck();
  ShowSheet();
  ShowList();
  ShowDriveTitle();
}

// The sheet is written only while it is shown; it is brought up to date
// when it opens.
void TForm1::ShowSheet() {
  if (!Showing(sheet_)) return;
  const idrova::CatalogueEntry* type = idrova::FindCatalogueEntryByCode(state_.BeltType);
  sheet_->ShowRows(idrova::DesignSheetRows(state_, type ? type->Caption : ""),
                   state_.BeltType == idrova::kFreeTypeCode, state_.FreeTypeIsBelt);
}

// The sheet and the list: the window's focus frame, tooltips, accessible
// names and palette, as the main window's controls have them.
void TForm1::BuildSideWindow(QWidget* window) {
  for (QWidget* widget : window->findChildren<QWidget*>()) widget->setStyle(focusStyle_);
  idrova::ApplyControlTexts(window);
  window->setPalette(sidePalette_);
}

void TForm1::Button2Click() {
  if (!sheet_) {
    sheet_ = new DesignSheetWindow(this);
    BuildSideWindow(sheet_);
    connect(sheet_, &DesignSheetWindow::freeRuleChosen, this, &TForm1::FreeRuleClick);
    connect(sheet_, &DesignSheetWindow::listRequested, this, &TForm1::Button3Click);
    WireSheetFileCommands();
  }
  OpenSideWindow(sheet_, &TForm1::ShowSheet, &TForm1::PlaceSheet, sheet_->StringGrid1);
}

// Shows a side window up to date, in front with the keys in its table. A
// window that opens is filled, sized and placed before it shows, so that
// the window manager maps it where it belongs, and once more when the
// window manager has framed it and its frame is known.
void TForm1::OpenSideWindow(SideWindow* window, void (TForm1::*fill)(), void (TForm1::*place)(),
                            QWidget* keys) {
  if (!window->isVisible()) {
    opening_ = window;
    window->SetFrameEstimate(frameGeometry().size() - size());
    window->ensurePolished();
    (this->*fill)();
    window->GrowToContents();
    (this->*place)();
    opening_ = nullptr;
    window->show();
    PlaceWhenFramed(window);
  } else {
    (this->*fill)();
  }
  window->raise();
  window->activateWindow();
  keys->setFocus(Qt::OtherFocusReason);
}

// Whether a side window is shown, or about to be: only then is it written.
bool TForm1::Showing(const SideWindow* window) const {
  return window && (window->isVisible() || window == opening_);
}

void TForm1::Button3Click() {
  if (!list_) {
    list_ = new LengthListWindow(this);
    BuildSideWindow(list_);
    connect(list_, &LengthListWindow::rowChosen, this, &TForm1::ListRowChosen);
  }
  OpenSideWindow(list_, &TForm1::ShowList, &TForm1::PlaceList, list_->StringGrid2);
}

LengthListWindow* TForm1::Form3() {
  if (listBurst_.isActive()) ShowList();
  return list_;
}

// The list is written only while it is shown. From the inputs 計算 would
// read (typed texts included), every standard length of the type is
// searched for as the length arrows write it; lengths below the two-wheel
// minimum are left out, and so are those the chosen direction cannot reach.
void TForm1::ShowList() {
  if (stepping_) {  // a burst of steps or keys
    ShowListSoon();
    return;
  }
  listBurst_.stop();
  if (!Showing(list_)) return;
  if (state_.UnknownKind != 1 && state_.UnknownKind != 2) {
    list_->ShowList({}, {}, {},
                    QStringLiteral("未知数に x３座標 か Y3座標 を選ぶと、張れる標準長さと"
                                   " NO 3 の位置を一覧にします。"));
    return;
  }
  idrova::DriveState start = state_;
  QString problem;
  QLineEdit* const wasReading = reading_;
  try {
    if (!ReadCalculationInputs(start)) problem = QStringLiteral("ピッチが 0 では一覧できません。");
  } catch (const idrova::ConversionError& error) {
    const idrova::ControlText* row = idrova::ControlTextOf(reading_->objectName());
    problem = QStringLiteral("「%1」の '%2' は数値として読めません。直すと一覧します。")
                  .arg(row ? QString::fromUtf8(row->AccessibleName) : reading_->objectName(),
                       QString::fromStdString(error.Text()).left(kMaxShownBadText));
  }
  reading_ = wasReading;
  const bool chain = idrova::IsChainDrive(state_);
  std::vector<std::string> heading = idrova::FittingLengthHeading(state_.UnknownKind, chain);
  if (!problem.isEmpty()) {
    list_->ShowList(std::move(heading), {}, {}, problem);
    return;
  }
  const idrova::StandardSeries series{idrova::StandardTeethTable(state_.BeltType),
                                      idrova::StandardTeethFactor(state_.BeltType), state_.Pitch,
                                      chain};
  const idrova::FittingLengths list = idrova::ListFittingLengths(start, series);
  std::vector<std::vector<std::string>> rows;
  std::vector<int> indexes;
  for (const idrova::FittingLength& row : list.Rows) {
    rows.push_back(idrova::FittingLengthCells(row));
    indexes.push_back(row.Index);
  }
  list_->ShowList(std::move(heading), std::move(rows), std::move(indexes),
                  ToQ(idrova::FittingLengthSummary(list, state_.Direction)));
}

void TForm1::ShowListSoon() {
  if (list_ && list_->isVisible() && !listBurst_.isActive()) listBurst_.start();
}

void TForm1::ListRowChosen(int index) {
  if (state_.UnknownKind != 1 && state_.UnknownKind != 2) return;
  ShowStandardLength(idrova::SelectStandardLength(state_, index));
  Button1Click();
}

// The free type's wheels as belt pulleys or chain sprockets: the radii and
// the design rules follow at once, as after a type choice.
void TForm1::FreeRuleClick(bool belt) {
  if (state_.FreeTypeIsBelt == belt) return;
  state_.FreeTypeIsBelt = belt;
  if (state_.BeltType != idrova::kFreeTypeCode) {
    ShowSheet();
    return;
  }
  idrova::UpdateWheelRadii(state_);
  Recalculate();
}

// Wrap angle and teeth in mesh of each wheel, and the caution line: "---"
// and the real belt length for reference where the layout check finds the
// shown length not the real belt.
void TForm1::ShowDesignCheck() {
  const idrova::DesignCheck check = idrova::CheckDesign(state_);
  QLabel* const wraps[3] = {Label18, Label19, Label20};
  QLabel* const meshes[3] = {Label22, Label23, Label24};
  const QString none = QStringLiteral("---");
  for (int i = 0; i < 3; ++i) {
    const idrova::WheelMesh& wheel = check.Wheel[i];
    SetCaption(wraps[i], check.Valid ? FormatQ("###0.#", wheel.WrapDegrees) + QChar(0x00B0) : none);
    SetCaption(meshes[i], check.Valid ? ToQ(idrova::IntToStr(wheel.TeethInMesh)) : none);
  }
  SetCaption(Label25, ToQ(idrova::DesignCheckLine(check)));
}

// A coordinate typed key by key rebuilds the open list once per burst of
// keys, as a held arrow does; what the window writes itself, at once.
void TForm1::EditChange() {
  const bool wasStepping = stepping_;
  if (!writing_) stepping_ = true;
  Recalculate();
  stepping_ = wasStepping;
}

void TForm1::ScrollBar1Change() {
  state_.Scale = idrova::ScaleForZoomPosition(ScrollBar1->value());
  ClearPicture();
  DrawLayout();
}

// ---------------------------------------------------------------------------
// Type menu and tooth counts

void TForm1::TypeMenuClick(const idrova::CatalogueEntry& entry) {
  idrova::SelectType(state_, entry);
  SetCaption(Label12, QString::fromUtf8(entry.TypeLabel));
  if (entry.Free) {
    // The free type only unlocks the pitch; it is read by the calculate
    // button. Its wheels may follow other design rules than the last type's.
    Edit10->setReadOnly(false);
    ShowDrive();
    return;
  }
  WriteEdit(Edit10, FormatQ("##0.###", state_.Pitch));
  Edit10->setReadOnly(true);
  Recalculate();
  if (entry.Code == 5) SetCaption(Label15, ToQ(idrova::IntToStr(entry.Tag)));
}

void TForm1::ToothCountChange(int wheel, QLineEdit* edit) {
  Guarded([&] {
    idrova::SetWheelTeeth(state_, wheel, ReadNumber(edit));
    Recalculate();
  });
}

void TForm1::Edit3Change() { ToothCountChange(0, Edit3); }
void TForm1::Edit6Change() { ToothCountChange(1, Edit6); }
void TForm1::Edit9Change() { ToothCountChange(2, Edit9); }

// ---------------------------------------------------------------------------
// Coordinate steppers

// A click steps by the stepper's own step; `coarse` (Page Up / Page Down)
// makes one 10 mm step and leaves the press state alone.
void TForm1::StepWheelCoordinate(int wheel, bool yCoordinate, QLineEdit* edit, ArrowButton button,
                                 bool coarse) {
  double& coordinate = yCoordinate ? state_.Wheel[wheel].Y : state_.Wheel[wheel].X;
  coordinate = coarse ? idrova::PageStepCoordinate(coordinate, button)
                      : idrova::StepCoordinate(state_, coordinate, button);
  // Writing the text recalculates through EditChange; the state keeps the
  // exact sum, the edit shows it to one decimal. A typed text that already
  // reads as the stepped value is no change to hear: recalculate all the same.
  const QString shown = FormatQ("###0.#", coordinate);
  const bool unchanged = edit->text() == shown;
  stepping_ = true;
  WriteEdit(edit, shown);
  if (unchanged) EditChange();
  stepping_ = false;
}

void TForm1::UpDown1Click(ArrowButton button) {
  StepWheelCoordinate(0, false, Edit1, button, false);
}
void TForm1::UpDown2Click(ArrowButton button) {
  StepWheelCoordinate(0, true, Edit2, button, false);
}
void TForm1::UpDown4Click(ArrowButton button) {
  StepWheelCoordinate(1, false, Edit4, button, false);
}
void TForm1::UpDown5Click(ArrowButton button) {
  StepWheelCoordinate(1, true, Edit5, button, false);
}
void TForm1::UpDown7Click(ArrowButton button) {
  StepWheelCoordinate(2, false, Edit7, button, false);
}
void TForm1::UpDown8Click(ArrowButton button) {
  StepWheelCoordinate(2, true, Edit8, button, false);
}

void TForm1::UpDownMouseDown(Qt::MouseButtons buttons) {
  idrova::StepperMouseDown(state_, buttons.testFlag(Qt::RightButton));
  ShowStepSize();
}

// The step of the six coordinate arrows, on the arrows (doubled arrow heads
// on the selection colour for 10 mm), in their tooltips and for a screen
// reader.
void TForm1::ShowStepSize() {
  const bool coarse = state_.StepSize != idrova::kFineStepMm;
  const QString step = FormatQ("###0.#", state_.StepSize);
  for (ArrowControl* arrows : {UpDown1, UpDown2, UpDown4, UpDown5, UpDown7, UpDown8}) {
    if (arrows->Coarse() == coarse && arrows->StepSize() == state_.StepSize) continue;
    arrows->SetStep(state_.StepSize, coarse);
    const idrova::ControlText* row = idrova::ControlTextOf(arrows->objectName());
    // The present step leads, where a glance at the tooltip finds it, and
    // a click steps by it.
    const QString japanese =
        QString::fromUtf8(row->TipJapanese)
            .replace(QStringLiteral("を 0.1 mm 増減"), QStringLiteral("を %1 mm 増減").arg(step));
    const QString english =
        QString::fromUtf8(row->TipEnglish)
            .replace(QStringLiteral("by 0.1 mm;"), QStringLiteral("by %1 mm;").arg(step));
    arrows->setToolTip(
        QStringLiteral("いまは %1 mm 刻み。%2\nNow %1 mm steps. %3").arg(step, japanese, english));
    arrows->setAccessibleDescription(QStringLiteral("%1 mm 刻み / %1 mm steps").arg(step));
  }
}

void TForm1::UpDownMouseUp() { idrova::StepperMouseUp(state_); }

void TForm1::UpDown10Click(ArrowButton button) {
  ShowStandardLength(idrova::StepStandardLength(state_, button));
}

// The standard length just stepped to, in the length field, with its count.
void TForm1::ShowStandardLength(bool teethKnown) {
  WriteEdit(Edit11, ToQ(idrova::FloatToStr(state_.SpecifiedLength)));
  ShowToothCount(teethKnown);
  state_.ChainTight = {};
  state_.RequestFitted = false;
  ShowDrive();
}

// ---------------------------------------------------------------------------
// Calculation modes

namespace {
int SelectedItem(const QGroupBox* group) {
  const QList<QRadioButton*> items = group->findChildren<QRadioButton*>();
  for (qsizetype i = 0; i < items.size(); ++i)
    if (items[i]->isChecked()) return static_cast<int>(i);
  return -1;
}
}  // namespace

void TForm1::RadioGroup1Click() {
  const int item = SelectedItem(RadioGroup1);
  if (item < 0 || item > 2) return;
  state_.UnknownKind = item;
  RadioGroup2->setEnabled(item != 0);
  using idrova::kPlainFieldColor;
  using idrova::kUnknownFieldColor;
  using idrova::SetBase;
  SetBase(Edit11, item == 0 ? kUnknownFieldColor : kPlainFieldColor);
  SetBase(Edit7, item == 1 ? kUnknownFieldColor : kPlainFieldColor);
  SetBase(Edit8, item == 2 ? kUnknownFieldColor : kPlainFieldColor);
  UpDown7->setEnabled(item != 1);
  UpDown8->setEnabled(item != 2);
  if (item == 0) {
    UpDown10->setEnabled(false);
    Recalculate();
    return;
  }
  // Propose the shortest whole-tooth belt round wheels 1 and 2, without a
  // new path computation and without redrawing.
  const bool teethKnown = idrova::ProposeRequestedLength(state_);
  UpDown10->setEnabled(true);
  if (teethKnown) UpDown10->SetPosition(state_.BeltTeeth);
  WriteEdit(Edit11, FormatQ("###0.###", state_.SpecifiedLength));
  ShowToothCount(teethKnown);
  state_.ChainTight = {};
  state_.RequestFitted = false;
  ShowDrive();
}

void TForm1::RadioGroup2Click() {
  const int item = SelectedItem(RadioGroup2);
  if (item == 0) state_.Direction = 1;
  if (item == 1) state_.Direction = -1;
  ShowList();
}

void TForm1::RadioButton1Click() { state_.WindingMode = 0; }
void TForm1::RadioButton2Click() { state_.WindingMode = 1; }

// ---------------------------------------------------------------------------
// Calculate button and search

// What 計算 takes over, in its order: the pitch (a text "0", or a pitch
// that reads as zero, stops it there: false), the wheels and their teeth,
// then the radii. A text that is no number stops it at that field, with
// what was read before it kept.
bool TForm1::ReadCalculationInputs(idrova::DriveState& into) {
  if (Edit10->text() == QStringLiteral("0")) return false;
  into.Pitch = ReadNumber(Edit10);
  if (into.Pitch == 0.0) return false;
  into.Wheel[0].X = ReadNumber(Edit1);
  into.Wheel[0].Y = ReadNumber(Edit2);
  into.Teeth[0] = ReadNumber(Edit3);
  into.Wheel[1].X = ReadNumber(Edit4);
  into.Wheel[1].Y = ReadNumber(Edit5);
  into.Teeth[1] = ReadNumber(Edit6);
  into.Wheel[2].X = ReadNumber(Edit7);
  into.Wheel[2].Y = ReadNumber(Edit8);
  into.Teeth[2] = ReadNumber(Edit9);
  idrova::UpdateWheelRadii(into);
  return true;
}

void TForm1::Button1Click() {
  Guarded([this] {
    if (!ReadCalculationInputs(state_)) return;
    if (state_.UnknownKind == 0) Recalculate();
    if (state_.UnknownKind == 1 || state_.UnknownKind == 2) SolveUnknownCoordinate();
  });
  TellResults();
}

// 計算 keeps the focus: a screen reader hears what it found through the
// button's description, told as changed after every press.
void TForm1::TellResults() {
  QStringList results{QStringLiteral("ベルト長さ %1").arg(Edit11->text()), Label16->text()};
  for (const QLabel* line : {Label14, Label25})
    if (!line->text().isEmpty()) results << line->accessibleName().section(QStringLiteral(": "), 1);
  const QString description = results.join(QStringLiteral("、"));
  if (Button1->accessibleDescription() != description) {
    Button1->setAccessibleDescription(description);
  } else {
    QAccessibleEvent event(Button1, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
  }
}

void TForm1::ShowWarning(std::int32_t code) {
  if (const char* text = idrova::WarningText(code)) {
    SetCaption(Label14, QString::fromUtf8(text));
    layoutWarningShown_ = false;
  }
}

void TForm1::SolveUnknownCoordinate() {
  state_.SpecifiedLength = ReadNumber(Edit11);
  ShowWarning(idrova::kNoWarning);
  // Where a chain of the requested links is tight by the chain makers'
  // count: the same search from the same start, shown on the sheet.
  const idrova::ChainTightResult chainTight = idrova::IsChainDrive(state_)
                                                  ? idrova::SearchChainTightCoordinate(state_)
                                                  : idrova::ChainTightResult{};
  const idrova::SearchResult result = idrova::SearchUnknownCoordinate(state_);
  ShowWarning(result.Warning);
  state_.ChainTight = {};
  state_.RequestFitted = false;
  if (result.Warning != idrova::kNoWarning) {
    // Beside the requested length that Edit11 still shows, its own count,
    // not the count of a belt from before.
    const auto requested = idrova::LengthInTeeth(state_.SpecifiedLength, state_.Pitch);
    if (requested) state_.BeltTeeth = *requested;
    ShowToothCount(requested.has_value());
  }
  if (result.Warning == idrova::kLengthTooShort) return;
  if (result.Warning == idrova::kWrongDirection) {
    // The tensioner is back where it was; the picture and the two-wheel
    // length follow the inputs just taken over, the requested length stays.
    SetCaption(Label13, FormatQ("(min ###0.##)", state_.MinBeltLength));
    state_.ChainTight = chainTight;
    DrawComputedLayout();
    return;
  }
  const bool searchX = state_.UnknownKind == 1;
  QLineEdit* edit = searchX ? Edit7 : Edit8;
  const double found = searchX ? state_.Wheel[2].X : state_.Wheel[2].Y;
  WriteEdit(edit, FormatQ("###0.##", found));  // recalculates when the text changes
  WriteEdit(Edit11, FormatQ("###0.##", state_.BeltLength));
  SetCaption(Label13, FormatQ("(min ###0.##)", state_.MinBeltLength));
  // The belt now has the requested length within the tolerance: its count
  // is the request's (622.3046 mm of a 12.7 mm chain asked as 49 pitches is
  // 49, not 50), also where the found coordinate's text did not change (and
  // so nothing recalculated) after a new pitch was taken over.
  state_.RequestFitted = true;
  ShowBeltTeeth();
  state_.ChainTight = chainTight;
  DrawComputedLayout();
}
