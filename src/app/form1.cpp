// TForm1: controls, wiring and the thin handlers of the window.
#include "app/form1.h"

#include <QApplication>
#include <QShowEvent>

#include "calc/belt_teeth.h"
#include "calc/layout_check.h"
#include "calc/modes.h"
#include "calc/solver.h"
#include "draw/layout_drawing.h"
#include "input/standard_lengths.h"
#include "input/stepper.h"
#include "input/wheel_sizing.h"
#include "text/number_text.h"

using idrova::ArrowButton;

namespace {

const QColor kUnknownFieldColor(255, 255, 181);  // pale yellow: the quantity solved for
const QColor kPlainFieldColor(255, 255, 255);
constexpr idrova::Rgb kNavy{0, 0, 128};
const QString kTeethPrefix = QStringLiteral("歯数  ");
constexpr int kMaxShownBadText = 40;

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

QString FormatQ(const char* picture, double value) {
  return ToQ(idrova::FormatFloat(picture, value));
}

void SetBase(QLineEdit* edit, const QColor& color) {
  QPalette pal = edit->palette();
  pal.setColor(QPalette::Base, color);
  edit->setPalette(pal);
}

void SetTextColor(QLabel* label, const QColor& color) {
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, color);
  label->setPalette(pal);
}

struct LabelRow {
  QLabel* TForm1::*Field;
  const char* Name;
  int Left, Top, Width, Height;  // width 0: sized to its text
  const char* Caption;
};

struct EditRow {
  QLineEdit* TForm1::*Field;
  const char* Name;
  int Left, Top, Width, Height;
  const char* Text;
  bool ReadOnly;
  bool TabStop;
};

struct ArrowRow {
  ArrowControl* TForm1::*Field;
  const char* Name;
  int Left, Top, Width, Height;
  Qt::Orientation Orientation;
  int Minimum, Maximum, Position;
  bool Wrap;
  QLineEdit* TForm1::*Buddy;  // attached edit, or nullptr
};

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), canvas_(nullptr) {
  setObjectName("Form1");
  setWindowTitle("Idrova Ver1.0");
  QFont font("IPAPGothic");
  font.setPixelSize(15);
  setFont(font);
  BuildControls();
  BuildMenus();
  WireEvents();
  SetTabOrder();
  setFixedSize(kClientWidth, kClientHeight);
  move(298, 117);
  canvas_ = ImageCanvas(&Image2->Bitmap());
  errorMessage_ = new QMessageBox(this);
  errorMessage_->setObjectName("ErrorMessage");
  errorMessage_->setIcon(QMessageBox::Critical);
  errorMessage_->setWindowTitle("Idrova");
  errorMessage_->setStandardButtons(QMessageBox::Ok);
  errorMessage_->setWindowModality(Qt::WindowModal);
}

void TForm1::BuildControls() {
  static const LabelRow kLabels[] = {
      {&TForm1::Label1, "Label1", 446, 138, 34, 15, "NO 1"},
      {&TForm1::Label2, "Label2", 535, 138, 34, 15, "NO 2"},
      {&TForm1::Label3, "Label3", 616, 140, 34, 15, "NO 3"},
      {&TForm1::Label4, "Label4", 409, 168, 9, 15, "X"},
      {&TForm1::Label5, "Label5", 410, 198, 9, 15, "Y"},
      {&TForm1::Label6, "Label6", 409, 227, 30, 15, "歯数"},
      {&TForm1::Label7, "Label7", 409, 109, 37, 15, "ピッチ"},
      {&TForm1::Label8, "Label8", 408, 256, 30, 15, "直径"},
      {&TForm1::Label9, "Label9", 454, 256, 0, 15, ""},
      {&TForm1::Label10, "Label10", 540, 256, 0, 15, ""},
      {&TForm1::Label11, "Label11", 625, 256, 0, 15, ""},
      {&TForm1::Label12, "Label12", 408, 80, 78, 15, "種類    S8M"},
      {&TForm1::Label13, "Label13", 595, 11, 27, 15, "(min"},
      {&TForm1::Label14, "Label14", 424, 328, 0, 15, ""},
      {&TForm1::Label15, "Label15", 448, 416, 0, 15, ""},
      {&TForm1::Label16, "Label16", 597, 56, 30, 15, "歯数"},
  };
  for (const LabelRow& row : kLabels) {
    auto* label = new QLabel(this);
    label->setObjectName(row.Name);
    label->move(row.Left, row.Top);
    label->resize(row.Width, row.Height);
    SetCaption(label, QString::fromUtf8(row.Caption));
    this->*row.Field = label;
  }
  SetTextColor(Label1, Qt::red);
  SetTextColor(Label2, Qt::blue);
  SetTextColor(Label3, QColor(0, 128, 128));
  Label1->setAutoFillBackground(true);  // button-face background

  static const EditRow kEdits[] = {
      {&TForm1::Edit1, "Edit1", 433, 163, 60, 23, "0", false, false},
      {&TForm1::Edit2, "Edit2", 432, 194, 60, 23, "0", false, false},
      {&TForm1::Edit3, "Edit3", 455, 224, 35, 23, "20", true, false},
      {&TForm1::Edit4, "Edit4", 520, 163, 60, 23, "150", false, false},
      {&TForm1::Edit5, "Edit5", 518, 194, 60, 23, "100", false, false},
      {&TForm1::Edit6, "Edit6", 541, 222, 35, 23, "20", true, false},
      {&TForm1::Edit7, "Edit7", 603, 165, 60, 23, "70", false, false},
      {&TForm1::Edit8, "Edit8", 604, 193, 60, 23, "10", false, false},
      {&TForm1::Edit9, "Edit9", 626, 221, 35, 23, "10", true, false},
      {&TForm1::Edit10, "Edit10", 448, 103, 50, 23, "8", true, true},
      {&TForm1::Edit11, "Edit11", 595, 29, 60, 23, "0", false, true},
  };
  for (const EditRow& row : kEdits) {
    auto* edit = new QLineEdit(QString::fromUtf8(row.Text), this);
    edit->setObjectName(row.Name);
    edit->setGeometry(row.Left, row.Top, row.Width, row.Height);
    edit->setReadOnly(row.ReadOnly);
    edit->setFocusPolicy(row.TabStop ? Qt::StrongFocus : Qt::ClickFocus);
    edit->setTextMargins(1, 0, 1, 0);
    SetBase(edit, kPlainFieldColor);
    this->*row.Field = edit;
  }
  SetBase(Edit11, kUnknownFieldColor);

  static const ArrowRow kArrows[] = {
      {&TForm1::UpDown1, "UpDown1", 493, 163, 20, 20, Qt::Horizontal, 0, 1000, 0, true, nullptr},
      {&TForm1::UpDown2, "UpDown2", 492, 194, 20, 23, Qt::Vertical, 0, 1000, 0, true, nullptr},
      {&TForm1::UpDown3, "UpDown3", 490, 224, 19, 23, Qt::Vertical, 10, 200, 20, false,
       &TForm1::Edit3},
      {&TForm1::UpDown4, "UpDown4", 580, 163, 20, 20, Qt::Horizontal, 0, 1000, 152, true, nullptr},
      {&TForm1::UpDown5, "UpDown5", 578, 194, 20, 23, Qt::Vertical, 0, 1000, 100, true, nullptr},
      {&TForm1::UpDown6, "UpDown6", 576, 222, 19, 23, Qt::Vertical, 10, 200, 20, false,
       &TForm1::Edit6},
      {&TForm1::UpDown7, "UpDown7", 662, 165, 20, 20, Qt::Horizontal, 0, 1000, 70, true, nullptr},
      {&TForm1::UpDown8, "UpDown8", 664, 193, 20, 23, Qt::Vertical, 0, 1000, 10, true, nullptr},
      {&TForm1::UpDown9, "UpDown9", 661, 221, 19, 23, Qt::Vertical, 10, 200, 10, false,
       &TForm1::Edit9},
      {&TForm1::UpDown10, "UpDown10", 655, 29, 20, 23, Qt::Vertical, 0, 200, 0, true, nullptr},
  };
  for (const ArrowRow& row : kArrows) {
    auto* arrows = new ArrowControl(row.Orientation, this);
    arrows->setObjectName(row.Name);
    arrows->setGeometry(row.Left, row.Top, row.Width, row.Height);
    arrows->SetRange(row.Minimum, row.Maximum);
    arrows->SetPosition(row.Position);
    arrows->SetWrap(row.Wrap);
    if (row.Buddy) arrows->AttachTo(this->*row.Buddy);
    this->*row.Field = arrows;
  }
  UpDown10->setEnabled(false);

  RadioButton1 = new QRadioButton(QStringLiteral("内掛"), this);
  RadioButton1->setObjectName("RadioButton1");
  RadioButton1->setGeometry(408, 14, 60, 17);
  RadioButton1->setChecked(true);
  RadioButton2 = new QRadioButton(QStringLiteral("外掛"), this);
  RadioButton2->setObjectName("RadioButton2");
  RadioButton2->setGeometry(408, 35, 60, 17);
  RadioButton2->setEnabled(false);

  // A radio group: a titled frame whose radio buttons are its items, spread
  // evenly below the title in item order.
  auto makeGroup = [this](const char* name, const QString& title, QRect place,
                          std::initializer_list<QString> items) {
    auto* group = new QGroupBox(title, this);
    group->setObjectName(name);
    group->setGeometry(place);
    constexpr int kTitleHeight = 17;
    const int rowHeight = (place.height() - kTitleHeight - 2) / static_cast<int>(items.size());
    int row = 0;
    for (const QString& item : items) {
      auto* button = new QRadioButton(item, group);
      button->setGeometry(6, kTitleHeight + row * rowHeight, place.width() - 8, rowHeight);
      ++row;
    }
    group->findChildren<QRadioButton*>().first()->setChecked(true);
    return group;
  };
  RadioGroup1 =
      makeGroup("RadioGroup1", QStringLiteral("未知数"), QRect(503, 38, 82, 92),
                {QStringLiteral("全長"), QStringLiteral("x３座標"), QStringLiteral("Y3座標")});
  RadioGroup2 = makeGroup("RadioGroup2", QStringLiteral("方向"), QRect(590, 79, 59, 51),
                          {QStringLiteral("＋"), QStringLiteral("－")});
  RadioGroup2->setEnabled(false);

  Button1 = new QPushButton(QStringLiteral("計算"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(592, 288, 75, 25);

  ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
  ScrollBar1->setObjectName("ScrollBar1");
  ScrollBar1->setGeometry(64, 424, 259, 15);
  ScrollBar1->setRange(1, 20);
  ScrollBar1->setSingleStep(1);
  ScrollBar1->setPageStep(1);
  ScrollBar1->setValue(10);

  // Image1 below receives a copy of each finished picture; Image2 on top is
  // drawn on and shown.
  Image1 = new PictureBox(idrova::kPictureWidth, idrova::kPictureHeight, this);
  Image1->setObjectName("Image1");
  Image1->move(20, 20);
  Image2 = new PictureBox(idrova::kPictureWidth, idrova::kPictureHeight, this);
  Image2->setObjectName("Image2");
  Image2->move(20, 20);
  Image2->raise();
}

void TForm1::BuildMenus() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  for (const idrova::CatalogueEntry& entry : idrova::Catalogue()) {
    QAction* action = PopupMenu1->addAction(QString::fromUtf8(entry.Caption));
    action->setObjectName(entry.Name);
    action->setData(entry.Tag);
    connect(action, &QAction::triggered, this, [this, &entry] { TypeMenuClick(entry); });
  }
  Label12->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Label12, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu1->popup(Label12->mapToGlobal(pos)); });

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName("PopupMenu2");
  QAction* save = PopupMenu2->addAction(QStringLiteral("保存"));
  save->setObjectName("Save1");
  save->setEnabled(false);
  QAction* load = PopupMenu2->addAction(QStringLiteral("読込"));
  load->setObjectName("Load1");
  load->setEnabled(false);
  Image2->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Image2, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu2->popup(Image2->mapToGlobal(pos)); });
}

void TForm1::WireEvents() {
  for (QLineEdit* edit : {Edit1, Edit2, Edit4, Edit5, Edit7, Edit8})
    connect(edit, &QLineEdit::textChanged, this, [this] { EditChange(); });
  connect(Edit3, &QLineEdit::textChanged, this, [this] { Edit3Change(); });
  connect(Edit6, &QLineEdit::textChanged, this, [this] { Edit6Change(); });
  connect(Edit9, &QLineEdit::textChanged, this, [this] { Edit9Change(); });

  connect(UpDown1, &ArrowControl::clicked, this, &TForm1::UpDown1Click);
  connect(UpDown2, &ArrowControl::clicked, this, &TForm1::UpDown2Click);
  connect(UpDown4, &ArrowControl::clicked, this, &TForm1::UpDown4Click);
  connect(UpDown5, &ArrowControl::clicked, this, &TForm1::UpDown5Click);
  connect(UpDown7, &ArrowControl::clicked, this, &TForm1::UpDown7Click);
  connect(UpDown8, &ArrowControl::clicked, this, &TForm1::UpDown8Click);
  for (ArrowControl* arrows : {UpDown1, UpDown2, UpDown4, UpDown5, UpDown7, UpDown8}) {
    connect(arrows, &ArrowControl::mouseDown, this, &TForm1::UpDownMouseDown);
    connect(arrows, &ArrowControl::mouseUp, this, &TForm1::UpDownMouseUp);
  }
  connect(UpDown10, &ArrowControl::clicked, this, &TForm1::UpDown10Click);

  // Radio items act when they become selected, as a click that changes the
  // selection; clicking the selected item again does nothing.
  connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton1Click();
  });
  connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton2Click();
  });
  for (QRadioButton* item : RadioGroup1->findChildren<QRadioButton*>())
    connect(item, &QRadioButton::toggled, this, [this](bool on) {
      if (on) RadioGroup1Click();
    });
  for (QRadioButton* item : RadioGroup2->findChildren<QRadioButton*>())
    connect(item, &QRadioButton::toggled, this, [this](bool on) {
      if (on) RadioGroup2Click();
    });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
}

void TForm1::SetTabOrder() {
  tabOrder_ = {Edit1,        UpDown1,     UpDown2,  Edit2,       UpDown3, Edit3,     Edit4,
               UpDown4,      UpDown5,     Edit5,    UpDown6,     Edit6,   Edit7,     UpDown7,
               UpDown8,      Edit8,       UpDown9,  Edit9,       Edit10,  Edit11,    RadioButton1,
               RadioButton2, RadioGroup1, UpDown10, RadioGroup2, Button1, ScrollBar1};
  for (qsizetype i = 1; i < tabOrder_.size(); ++i)
    QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
  for (QWidget* w : {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Image2)})
    w->setFocusPolicy(Qt::NoFocus);
}

// Tab walks the design order: the coordinate and tooth-count edits (click
// focus only) are skipped, disabled controls too, and a radio group is
// entered at its selected item.
bool TForm1::focusNextPrevChild(bool next) {
  auto stopOf = [this](QWidget* w) -> QWidget* {
    for (QWidget* stop : tabOrder_)
      if (w == stop || (qobject_cast<QGroupBox*>(stop) && stop->isAncestorOf(w))) return stop;
    return nullptr;
  };
  auto target = [](QWidget* stop) -> QWidget* {
    if (auto* group = qobject_cast<QGroupBox*>(stop)) {
      for (QRadioButton* item : group->findChildren<QRadioButton*>())
        if (item->isChecked()) return item;
      return nullptr;
    }
    return stop;
  };
  const qsizetype count = tabOrder_.size();
  const qsizetype current = tabOrder_.indexOf(stopOf(QApplication::focusWidget()));
  for (qsizetype step = 1; step <= count; ++step) {
    const qsizetype start = current < 0 ? (next ? -1 : count) : current;
    const qsizetype index = ((start + (next ? step : -step)) % count + count) % count;
    QWidget* candidate = target(tabOrder_[index]);
    const bool clickOnly =
        qobject_cast<QLineEdit*>(candidate) && !(candidate->focusPolicy() & Qt::TabFocus);
    if (candidate && !clickOnly && candidate->isEnabled() && candidate->isVisible()) {
      candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      return true;
    }
  }
  return QWidget::focusNextPrevChild(next);
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The start-up runs once, when the window is first shown; coming back to
  // the window later resets nothing.
  if (!activated_) {
    activated_ = true;
    FormActivate();
  }
}

// ---------------------------------------------------------------------------
// Helpers

template <typename Handler>
void TForm1::Guarded(Handler handler) {
  try {
    handler();
  } catch (const idrova::ConversionError& error) {
    ShowConversionError(QString::fromStdString(error.Text()));
  }
}

double TForm1::ReadNumber(const QLineEdit* edit) const {
  return idrova::StrToFloat(edit->text().toStdString());
}

void TForm1::SetCaption(QLabel* label, const QString& text) {
  label->setText(text);
  // Labels grow with their text from their top-left corner.
  const QSize hint = label->sizeHint();
  label->resize(std::max(label->width(), hint.width()), std::max(label->height(), hint.height()));
}

void TForm1::ShowConversionError(const QString& text) {
  QString shown = text;
  if (shown.size() > kMaxShownBadText) shown = shown.left(kMaxShownBadText) + QStringLiteral("…");
  errorMessage_->setText(
      QStringLiteral("'%1' は数値として読めません。\n'%1' is not a valid number.").arg(shown));
  errorMessage_->open();
}

// ---------------------------------------------------------------------------
// Start-up, recalculation and drawing

void TForm1::FormActivate() {
  idrova::ApplyStartValues(state_);
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
  const idrova::PathCase path = idrova::ComputeBeltPath(state_);
  Edit11->setText(FormatQ("###0.##", state_.BeltLength));
  SetCaption(Label13, FormatQ("(min ###0.##)", state_.MinBeltLength));
  ShowBeltTeeth();
  if (path != idrova::PathCase::None) ShowLayoutCheck(idrova::BeltPathFitsLayout(state_));
  DrawLayout();
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

// The belt length in whole teeth. Without a pitch there is no whole-tooth
// count: the previous one stays on screen. A count beyond what can be held
// shows as "---" rather than as a wrong number.
void TForm1::ShowBeltTeeth() {
  if (state_.Pitch == 0.0) return;
  if (const auto teeth = idrova::LengthInTeeth(state_.BeltLength, state_.Pitch)) {
    state_.BeltTeeth = *teeth;
    ShowTeethCount();
  } else {
    SetCaption(Label16, kTeethPrefix + QStringLiteral("---"));
  }
}

void TForm1::ShowTeethCount() {
  SetCaption(Label16, kTeethPrefix + ToQ(idrova::IntToStr(state_.BeltTeeth)));
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
  Image1->Bitmap() =
      Image2->Bitmap().copy(QRect(0, 0, idrova::kPictureWidth, idrova::kPictureHeight));
  Image1->update();
  Image2->update();
}

void TForm1::EditChange() { Recalculate(); }

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
    // The free type only unlocks the pitch; it is read by the calculate button.
    Edit10->setReadOnly(false);
    return;
  }
  Edit10->setText(FormatQ("##0.###", state_.Pitch));
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

void TForm1::StepWheelCoordinate(int wheel, bool yCoordinate, QLineEdit* edit, ArrowButton button) {
  double& coordinate = yCoordinate ? state_.Wheel[wheel].Y : state_.Wheel[wheel].X;
  coordinate = idrova::StepCoordinate(state_, coordinate, button);
  // Writing the text recalculates through EditChange; the state keeps the
  // exact sum, the edit shows it to one decimal.
  edit->setText(FormatQ("###0.#", coordinate));
}

void TForm1::UpDown1Click(ArrowButton button) { StepWheelCoordinate(0, false, Edit1, button); }
void TForm1::UpDown2Click(ArrowButton button) { StepWheelCoordinate(0, true, Edit2, button); }
void TForm1::UpDown4Click(ArrowButton button) { StepWheelCoordinate(1, false, Edit4, button); }
void TForm1::UpDown5Click(ArrowButton button) { StepWheelCoordinate(1, true, Edit5, button); }
void TForm1::UpDown7Click(ArrowButton button) { StepWheelCoordinate(2, false, Edit7, button); }
void TForm1::UpDown8Click(ArrowButton button) { StepWheelCoordinate(2, true, Edit8, button); }

void TForm1::UpDownMouseDown(Qt::MouseButtons buttons) {
  idrova::StepperMouseDown(state_, buttons.testFlag(Qt::RightButton));
}

void TForm1::UpDownMouseUp() { idrova::StepperMouseUp(state_); }

void TForm1::UpDown10Click(ArrowButton button) {
  const bool teethKnown = idrova::StepStandardLength(state_, button);
  Edit11->setText(ToQ(idrova::FloatToStr(state_.SpecifiedLength)));
  if (teethKnown) ShowTeethCount();
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
  Edit11->setText(FormatQ("###0.###", state_.SpecifiedLength));
  if (teethKnown) ShowTeethCount();
}

void TForm1::RadioGroup2Click() {
  const int item = SelectedItem(RadioGroup2);
  if (item == 0) state_.Direction = 1;
  if (item == 1) state_.Direction = -1;
}

void TForm1::RadioButton1Click() { state_.WindingMode = 0; }
void TForm1::RadioButton2Click() { state_.WindingMode = 1; }

// ---------------------------------------------------------------------------
// Calculate button and search

void TForm1::Button1Click() {
  Guarded([this] {
    if (Edit10->text() == QStringLiteral("0")) return;
    state_.Pitch = ReadNumber(Edit10);
    if (state_.Pitch == 0.0) return;
    state_.Wheel[0].X = ReadNumber(Edit1);
    state_.Wheel[0].Y = ReadNumber(Edit2);
    state_.Teeth[0] = ReadNumber(Edit3);
    state_.Wheel[1].X = ReadNumber(Edit4);
    state_.Wheel[1].Y = ReadNumber(Edit5);
    state_.Teeth[1] = ReadNumber(Edit6);
    state_.Wheel[2].X = ReadNumber(Edit7);
    state_.Wheel[2].Y = ReadNumber(Edit8);
    state_.Teeth[2] = ReadNumber(Edit9);
    idrova::UpdateWheelRadii(state_);
    if (state_.UnknownKind == 0) Recalculate();
    if (state_.UnknownKind == 1 || state_.UnknownKind == 2) SolveUnknownCoordinate();
  });
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
  const idrova::SearchResult result = idrova::SearchUnknownCoordinate(state_);
  ShowWarning(result.Warning);
  if (result.Warning == idrova::kLengthTooShort) return;
  if (result.Warning == idrova::kWrongDirection) {
    // The tensioner is back where it was; the picture and the two-wheel
    // length follow the inputs just taken over, the requested length stays.
    SetCaption(Label13, FormatQ("(min ###0.##)", state_.MinBeltLength));
    DrawLayout();
    return;
  }
  const bool searchX = state_.UnknownKind == 1;
  QLineEdit* edit = searchX ? Edit7 : Edit8;
  const double found = searchX ? state_.Wheel[2].X : state_.Wheel[2].Y;
  edit->setText(FormatQ("###0.##", found));  // recalculates when the text changes
  Edit11->setText(FormatQ("###0.##", state_.BeltLength));
  SetCaption(Label13, FormatQ("(min ###0.##)", state_.MinBeltLength));
  DrawLayout();
}
