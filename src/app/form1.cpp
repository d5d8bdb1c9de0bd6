// SPDX-License-Identifier: MIT
// TForm1: the controls and their places, the menus and the wiring of the
// events. The keyboard is in form1_keys.cpp, the screen and the colours in
// form1_screen.cpp, the handlers in form1_handlers.cpp.
#include "app/form1.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QWindow>

#include "app/accessibility.h"
#include "app/control_texts.h"
#include "app/focus_frame_style.h"
#include "app/form1_look.h"
#include "app/number_edit.h"
#include "draw/layout_drawing.h"

using idrova::ArrowButton;

namespace {

// A label and the room its text may take (fit.h): MinLeft and MaxRight 0
// mean the design place and the window's right margin.
struct LabelRow {
  QLabel* TForm1::*Field;
  const char* Name;
  int Left, Top, Width, Height;  // width 0: sized to its text
  const char* Caption;
  int MinLeft = 0;
  int MaxRight = 0;
};

// The last client column a text may use: two pixels short of the edge.
constexpr int kTextRight = TForm1::kClientWidth - 3;

struct EditRow {
  QLineEdit* TForm1::*Field;
  const char* Name;
  int Left, Top, Width, Height;
  const char* Text;
  bool ReadOnly;
  bool TabStop;
  int PixelSize;  // of the number face: the edit's widest text fits
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
  setWindowIcon(QIcon(QStringLiteral(":/idrova/idrova.png")));
  QFont font(idrova::kWindowFace);
  font.setPixelSize(idrova::kWindowPixelSize);
  setFont(font);
  idrova::InstallAccessibleInterfaces();
  // The controls stand on a panel of the design's client size, inside a
  // scroll box: a screen too small for the window still reaches every control.
  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName("ScrollBox1");
  ScrollBox1->setFrameShape(QFrame::NoFrame);
  ScrollBox1->setFocusPolicy(Qt::NoFocus);
  Panel1 = new ControlPanel(ScrollBox1);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedSize(kClientWidth, kClientHeight);
  ScrollBox1->setWidget(Panel1);
  BuildControls();
  BuildMenus();
  WireEvents();
  SetTabOrder();
  SetUpKeyboardAndLook();
  InstallQtTranslation();
  FitToRoom(QSize(kClientWidth, kClientHeight));
  move(kDesignPosition);
  canvas_ = ImageCanvas(&Image2->Bitmap());
  errorMessage_ = new QMessageBox(this);
  errorMessage_->setObjectName("ErrorMessage");
  errorMessage_->setIcon(QMessageBox::Critical);
  errorMessage_->setWindowTitle("Idrova");
  errorMessage_->setStandardButtons(QMessageBox::Ok);
  errorMessage_->setWindowModality(Qt::WindowModal);
  connect(errorMessage_, &QDialog::finished, this, [this] { ConversionErrorClosed(); });
  ApplyLook();
}

void TForm1::BuildControls() {
  // Value labels may grow to the left into the free part of their row: the
  // diameter columns up to the next column, the two-wheel length up to the
  // winding buttons, the tooth count up to the unknown-quantity group, the
  // type up to that group from the right.
  static const LabelRow kLabels[] = {
      {&TForm1::Label1, "Label1", 446, 138, 34, 15, "NO 1"},
      {&TForm1::Label2, "Label2", 535, 138, 34, 15, "NO 2"},
      {&TForm1::Label3, "Label3", 616, 140, 34, 15, "NO 3"},
      {&TForm1::Label4, "Label4", 409, 168, 9, 15, "X"},
      {&TForm1::Label5, "Label5", 410, 198, 9, 15, "Y"},
      {&TForm1::Label6, "Label6", 409, 227, 30, 15, "歯数"},
      {&TForm1::Label7, "Label7", 409, 109, 37, 15, "ピッチ"},
      {&TForm1::Label8, "Label8", 408, 256, 30, 15, "直径"},
      {&TForm1::Label9, "Label9", 454, 256, 0, 15, "", 440, 538},
      {&TForm1::Label10, "Label10", 540, 256, 0, 15, "", 540, 606},
      {&TForm1::Label11, "Label11", 625, 256, 0, 15, "", 608, kTextRight},
      {&TForm1::Label12, "Label12", 408, 80, 78, 15, "種類    S8M", 408, 501},
      {&TForm1::Label13, "Label13", 595, 11, 27, 15, "(min", 470, kTextRight},
      {&TForm1::Label14, "Label14", 424, 328, 0, 15, "", 380, kTextRight},
      {&TForm1::Label15, "Label15", 448, 416, 0, 15, "", 440, kTextRight},
      {&TForm1::Label16, "Label16", 597, 56, 30, 15, "歯数", 587, kTextRight},
      // The design check below the warning line, in the diameter columns;
      // the first column starts right after its row title. The caution line
      // starts with the row titles and keeps clear of Label15 below it.
      {&TForm1::Label17, "Label17", 408, 348, 42, 15, "巻付角"},
      {&TForm1::Label18, "Label18", 454, 348, 0, 15, "", 454, 538},
      {&TForm1::Label19, "Label19", 540, 348, 0, 15, "", 540, 606},
      {&TForm1::Label20, "Label20", 625, 348, 0, 15, "", 608, kTextRight},
      {&TForm1::Label21, "Label21", 408, 370, 30, 15, "噛合"},
      {&TForm1::Label22, "Label22", 454, 370, 0, 15, "", 454, 538},
      {&TForm1::Label23, "Label23", 540, 370, 0, 15, "", 540, 606},
      {&TForm1::Label24, "Label24", 625, 370, 0, 15, "", 608, kTextRight},
      {&TForm1::Label25, "Label25", 408, 392, 0, 15, "", 380, kTextRight},
  };
  for (const LabelRow& row : kLabels) {
    auto* label = new QLabel(Panel1);
    label->setObjectName(row.Name);
    label->setGeometry(row.Left, row.Top, row.Width, row.Height);
    labelRooms_.insert(label, {row.Left, row.Width, row.MinLeft ? row.MinLeft : row.Left,
                               row.MaxRight ? row.MaxRight : kTextRight});
    SetCaption(label, QString::fromUtf8(row.Caption));
    this->*row.Field = label;
  }
  // The three-character titles, a pixel smaller so that a gap stays before
  // what follows them.
  QFont rowTitle = Label17->font();
  rowTitle.setPixelSize(14);
  Label17->setFont(rowTitle);
  Label7->setFont(rowTitle);            // "ピッチ" keeps clear of the pitch edit
  Label1->setAutoFillBackground(true);  // button-face background

  static const EditRow kEdits[] = {
      {&TForm1::Edit1, "Edit1", 433, 163, 60, 23, "0", false, false, 15},
      {&TForm1::Edit2, "Edit2", 432, 194, 60, 23, "0", false, false, 15},
      {&TForm1::Edit3, "Edit3", 455, 224, 35, 23, "20", true, false, 15},
      {&TForm1::Edit4, "Edit4", 520, 163, 60, 23, "150", false, false, 15},
      {&TForm1::Edit5, "Edit5", 518, 194, 60, 23, "100", false, false, 15},
      {&TForm1::Edit6, "Edit6", 541, 222, 35, 23, "20", true, false, 15},
      {&TForm1::Edit7, "Edit7", 603, 165, 60, 23, "70", false, false, 15},
      {&TForm1::Edit8, "Edit8", 604, 193, 60, 23, "10", false, false, 15},
      {&TForm1::Edit9, "Edit9", 626, 221, 35, 23, "10", true, false, 15},
      {&TForm1::Edit10, "Edit10", 448, 103, 50, 23, "8", true, true, 14},  // 22.225 in 50 pixels
      {&TForm1::Edit11, "Edit11", 595, 29, 60, 23, "0", false, true, 15},
  };
  for (const EditRow& row : kEdits) {
    auto* edit = new NumberEdit(QString::fromUtf8(row.Text), row.PixelSize, Panel1);
    edit->setObjectName(row.Name);
    edit->setGeometry(row.Left, row.Top, row.Width, row.Height);
    edit->setReadOnly(row.ReadOnly);
    edit->setFocusPolicy(row.TabStop ? Qt::StrongFocus : Qt::ClickFocus);
    idrova::SetBase(edit, idrova::kPlainFieldColor);
    this->*row.Field = edit;
  }
  idrova::SetBase(Edit11, idrova::kUnknownFieldColor);

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
    auto* arrows = new ArrowControl(row.Orientation, Panel1);
    arrows->setObjectName(row.Name);
    arrows->setGeometry(row.Left, row.Top, row.Width, row.Height);
    arrows->SetRange(row.Minimum, row.Maximum);
    arrows->SetPosition(row.Position);
    arrows->SetWrap(row.Wrap);
    if (row.Buddy) arrows->AttachTo(this->*row.Buddy);
    this->*row.Field = arrows;
  }
  UpDown10->setEnabled(false);

  RadioButton1 = new QRadioButton(QStringLiteral("内掛"), Panel1);
  RadioButton1->setObjectName("RadioButton1");
  RadioButton1->setGeometry(408, 14, 60, 17);
  RadioButton1->setChecked(true);
  RadioButton2 = new QRadioButton(QStringLiteral("外掛"), Panel1);
  RadioButton2->setObjectName("RadioButton2");
  RadioButton2->setGeometry(408, 35, 60, 17);
  RadioButton2->setEnabled(false);

  // A radio group: a titled frame whose radio buttons are its items, spread
  // evenly below the title in item order.
  auto makeGroup = [this](const char* name, const QString& title, QRect place,
                          std::initializer_list<QString> items) {
    auto* group = new QGroupBox(title, Panel1);
    group->setObjectName(name);
    group->setGeometry(place);
    // The items share the room inside the frame, below its top line.
    group->ensurePolished();
    const int top = group->contentsRect().top() - 1;
    const int rowHeight = (place.height() - 2 - top) / static_cast<int>(items.size());
    int row = 0;
    for (const QString& item : items) {
      auto* button = new QRadioButton(item, group);
      button->setGeometry(6, top + row * rowHeight, place.width() - 8, rowHeight);
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

  Button1 = new QPushButton(QStringLiteral("計算"), Panel1);
  Button1->setObjectName("Button1");
  Button1->setGeometry(592, 288, 75, 25);
  Button2 = new QPushButton(QStringLiteral("詳細"), Panel1);
  Button2->setObjectName("Button2");
  Button2->setGeometry(512, 288, 75, 25);

  ScrollBar1 = new ZoomBar(Panel1);
  ScrollBar1->setObjectName("ScrollBar1");
  ScrollBar1->setGeometry(64, 424, 259, 15);
  ScrollBar1->setRange(1, 20);
  ScrollBar1->setSingleStep(1);
  ScrollBar1->setPageStep(1);
  ScrollBar1->setValue(10);

  // Image1 below receives a copy of each finished picture; Image2 on top is
  // drawn on and shown.
  Image1 = new PictureBox(idrova::kPictureWidth, idrova::kPictureHeight, Panel1);
  Image1->setObjectName("Image1");
  idrova::HideFromScreenReaders(Image1);  // the picture is heard once, as Image2
  Image1->move(20, 20);
  Image2 = new PictureBox(idrova::kPictureWidth, idrova::kPictureHeight, Panel1);
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
  // Page Up / Page Down: one 10 mm step of the stepper's coordinate.
  const struct {
    ArrowControl* Arrows;
    int Wheel;
    bool Y;
    QLineEdit* Edit;
  } kPageSteps[] = {{UpDown1, 0, false, Edit1}, {UpDown2, 0, true, Edit2},
                    {UpDown4, 1, false, Edit4}, {UpDown5, 1, true, Edit5},
                    {UpDown7, 2, false, Edit7}, {UpDown8, 2, true, Edit8}};
  for (const auto& page : kPageSteps) {
    connect(page.Arrows, &ArrowControl::pageStep, this, [this, page](ArrowButton button) {
      StepWheelCoordinate(page.Wheel, page.Y, page.Edit, button, true);
    });
    page.Arrows->SetTypingEdit(page.Edit);  // the keyboard types the coordinate from its arrows
  }
  connect(UpDown10, &ArrowControl::clicked, this, &TForm1::UpDown10Click);
  UpDown10->SetValueEdit(Edit11);

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
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  auto* sheetKey = new QShortcut(QKeySequence(Qt::Key_F4), this, this, [this] { Button2Click(); });
  sheetKey->setObjectName("SheetShortcut");
  auto* listKey = new QShortcut(QKeySequence(Qt::Key_F5), this, this, [this] { Button3Click(); });
  listKey->setObjectName("ListShortcut");
  BuildFileCommands();
  // The modified mark follows a typed request and the zoom, which the file keeps.
  connect(Edit11, &QLineEdit::textChanged, this, [this] { ShowDriveTitle(); });
  connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ShowDriveTitle(); });
  listBurst_.setSingleShot(true);
  listBurst_.setInterval(DesignSheetModel::kBurstMs);
  connect(&listBurst_, &QTimer::timeout, this, [this] { ShowList(); });
  // A pitch typed for the free type is what 計算 reads next: the list follows it.
  connect(Edit10, &QLineEdit::textChanged, this, [this] { ShowListSoon(); });
  connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
}

void TForm1::SetTabOrder() {
  tabOrder_ = {Edit1,        UpDown1,     UpDown2,  Edit2,       UpDown3, Edit3,      Edit4,
               UpDown4,      UpDown5,     Edit5,    UpDown6,     Edit6,   Edit7,      UpDown7,
               UpDown8,      Edit8,       UpDown9,  Edit9,       Edit10,  Edit11,     RadioButton1,
               RadioButton2, RadioGroup1, UpDown10, RadioGroup2, Button1, ScrollBar1, Button2};
  for (qsizetype i = 1; i < tabOrder_.size(); ++i)
    QWidget::setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
  for (QWidget* w : {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Image2)})
    w->setFocusPolicy(Qt::NoFocus);
}
