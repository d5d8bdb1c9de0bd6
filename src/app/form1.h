// SPDX-License-Identifier: MIT
// TForm1: Idrova's one window.
//
// Map of the program: the window owns one DriveState (model/), the single
// source of every calculation; the edits are views of it. Handlers are thin:
// they read what the event gives, call the plain C++ core and write texts.
// Almost every handler ends in Recalculate(): ComputeBeltPath (geometry/)
// builds the belt path from the wheels, the three result fields are written
// through the number texts (text/), and DrawLayout (draw/) paints the picture
// into Image2's bitmap through an ImageCanvas, after which the bitmap is
// copied into Image1. Typed coordinates reach the state only at start-up and
// through the calculate button, which re-reads every input and either
// recalculates or searches for the tensioner coordinate (calc/). The type
// menu, tooth counts, coordinate steppers and standard lengths live in
// input/. Setting an edit's text runs its change handler at once, and only
// when the text changes (QLineEdit::textChanged); the handlers rely on that.
// A text that cannot be read as a number stops the handler at that field and
// shows a window-modal message box; values stored before it stay.
// Every text the window writes is kept whole and inside the window: edits
// use a face whose digits fit seven characters and show a longer text from
// its first character; value labels grow into the free space of their row
// (fit.h). Every control has a tooltip and an accessible name
// (control_texts.h), the keyboard reaches everything (the type menu with
// Shift+F10 or the Menu key), and the picture is drawn at the screen's
// resolution.
// The drive's design sheet (Form2, design_sheet_window.h) is a second
// window that Button2 or F4 opens; every change that the main window shows
// is shown there too, from the same state through the same core functions.
// The list of standard lengths that fit (Form3, length_list_window.h) is a
// third, opened by the sheet's Button3 or F5; it runs the window's own
// search once per standard length, from the inputs 計算 would read, and a
// row chosen there is applied here as the length arrows and 計算 would.
// Both are built when first opened.
// The construction of the window is in form1.cpp, the handlers in
// form1_handlers.cpp.
// Units: mm and radians in the model (Y up), pixels in the picture (y down).
#pragma once

#include <QColor>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "app/arrow_control.h"
#include "app/control_panel.h"
#include "app/design_sheet_window.h"
#include "app/fit.h"
#include "app/image_canvas.h"
#include "app/length_list_window.h"
#include "app/picture_box.h"
#include "app/zoom_bar.h"
#include "files/drive_file.h"
#include "input/catalogue.h"
#include "model/drive_state.h"

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);

  const idrova::DriveState& State() const { return state_; }
  // The design sheet window, built when Button2 first opens it (null before).
  DesignSheetWindow* Form2() const { return sheet_; }
  // The list of fitting lengths, built when first opened (null before),
  // brought up to date first where a burst of steps left it behind.
  LengthListWindow* Form3();

  // Handlers, each wired to its control's event.
  void FormActivate();
  void EditChange();
  void Edit3Change();
  void Edit6Change();
  void Edit9Change();
  void UpDown1Click(idrova::ArrowButton button);
  void UpDown2Click(idrova::ArrowButton button);
  void UpDown4Click(idrova::ArrowButton button);
  void UpDown5Click(idrova::ArrowButton button);
  void UpDown7Click(idrova::ArrowButton button);
  void UpDown8Click(idrova::ArrowButton button);
  void UpDownMouseDown(Qt::MouseButtons buttons);
  void UpDownMouseUp();
  void UpDown10Click(idrova::ArrowButton button);
  void RadioButton1Click();
  void RadioButton2Click();
  void RadioGroup1Click();
  void RadioGroup2Click();
  void Button1Click();
  void ScrollBar1Change();
  void TypeMenuClick(const idrova::CatalogueEntry& entry);
  void Button2Click();
  void Button3Click();
  void FreeRuleClick(bool belt);
  // A row of the list chosen: its standard length stepped to, then 計算.
  void ListRowChosen(int index);

  // Drive files (form1_files.cpp). OpenDrive does what the user would do by
  // hand with the file's values and presses 計算; SaveDrive writes what the
  // window holds. A file that cannot be read or written is named in
  // ErrorMessage, nothing changes, and the result is false.
  bool OpenDrive(const QString& path);
  bool SaveDrive(const QString& path);
  // The file of the drive, once opened or saved (empty before), and whether
  // the window holds changes it does not.
  const QString& DrivePath() const { return drivePath_; }
  bool DriveModified() const;
  // The commands of the sheet's buttons and their keys (Ctrl+O, Ctrl+S,
  // Ctrl+Shift+S, Ctrl+P in either window).
  void OpenCommand();
  void SaveCommand();
  void SaveAsCommand();
  void ExportCommand();
  void PrintCommand();

  static constexpr int kClientWidth = 687;
  static constexpr int kClientHeight = 449;
  // The window's design place and outer size (with its frame), screen pixels.
  static constexpr QPoint kDesignPosition{298, 117};
  static constexpr QSize kDesignOuterSize{695, 480};

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

  bool focusNextPrevChild(bool next) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void WireEvents();
  void SetTabOrder();
  void SetUpKeyboardAndLook();
  void PlaceOnScreen();
  QSize FitToRoom(QSize room);
  void ApplyLook();
  static void InstallQtTranslation();
  void UpdatePictureResolution();
  void OpenTypeMenuFromKeyboard();
  bool KeyFilter(QObject* watched, QEvent* event);

  void ReadInputs();
  void Recalculate();
  void ShowBeltTeeth();
  void ShowToothCount(bool known);
  void DrawLayout();
  void DrawComputedLayout();
  void ShowDesignCheck();
  void ShowDrive();
  void ShowStepSize();
  void TellResults();
  void ShowSheet();
  void PlaceSheet();
  void BuildSideWindow(QWidget* window);
  void OpenSideWindow(SideWindow* window, void (TForm1::*fill)(), void (TForm1::*place)(),
                      QWidget* keys);
  bool Showing(const SideWindow* window) const;
  void BuildFileCommands();
  void WireSheetFileCommands();
  idrova::DriveFile WindowDrive() const;
  void ShowDriveTitle();
  void ShowFileMessage(const QString& message);
  QString LastFolder() const;
  static void RememberFolder(const QString& path);
  QWidget* CommandWindow();
  bool MayLeaveDrive();
  void OpenDroppedDrive(const QString& path);
  void ShowErrorMessage(QLineEdit* field);
  void PlaceErrorMessage();
  void PlaceWhenFramed(SideWindow* window);
  static constexpr int kPlacementCheckMs = 250;
  void CheckPlaced(QWidget* window, std::function<void()> place, int checks = 3);
  void ShowList();
  void ShowListSoon();
  void PlaceList();
  static QPoint LeastCovering(const QRect& available, QSize outer, const QList<QPoint>& wanted,
                              const QList<QRect>& shown);
  bool ReadCalculationInputs(idrova::DriveState& into);
  void ShowStandardLength(bool teethKnown);
  void ClearPicture();
  void ShowWarning(std::int32_t code);
  void ShowLayoutCheck(bool valid);
  void SolveUnknownCoordinate();
  void StepWheelCoordinate(int wheel, bool yCoordinate, QLineEdit* edit, idrova::ArrowButton button,
                           bool coarse);
  void WriteEdit(QLineEdit* edit, const QString& text);
  void ToothCountChange(int wheel, QLineEdit* edit);
  double ReadNumber(QLineEdit* edit);
  void SetCaption(QLabel* label, const QString& text);
  void ShowConversionError(QLineEdit* field, const QString& text);
  void ConversionErrorClosed();
  template <typename Handler>
  void Guarded(Handler handler);

  idrova::DriveState state_;
  bool activated_ = false;
  bool screenWatched_ = false;
  bool framedPlacement_ = false;
  // The drive file: where it is, and what it held when opened or last saved.
  QString drivePath_;
  idrova::DriveFile savedDrive_;
  QList<QAction*> fileActions_;
  // The side window being filled, sized and placed before it is first shown.
  const SideWindow* opening_ = nullptr;
  bool applyingLook_ = false;        // placed again with the window manager's frame
  bool layoutWarningShown_ = false;  // Label14 holds the layout warning
  QHash<const QLabel*, idrova::LabelRoom> labelRooms_;  // where each label's text may go
  QList<QWidget*> tabOrder_;  // every control in tab order; radio groups stand for their items

 public:
  // The scroll box and the panel of the design's client size that holds
  // every control.
  QScrollArea* ScrollBox1;
  ControlPanel* Panel1;
  // Controls, named as in the window design (also their objectNames).
  QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10,
      *Edit11;
  QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label10,
      *Label11, *Label12, *Label13, *Label14, *Label15, *Label16;
  // The design check: wrap angle and teeth-in-mesh rows, and the caution line.
  QLabel *Label17, *Label18, *Label19, *Label20, *Label21, *Label22, *Label23, *Label24, *Label25;
  ArrowControl *UpDown1, *UpDown2, *UpDown3, *UpDown4, *UpDown5, *UpDown6, *UpDown7, *UpDown8,
      *UpDown9, *UpDown10;
  QRadioButton *RadioButton1, *RadioButton2;
  QGroupBox *RadioGroup1, *RadioGroup2;
  QPushButton *Button1, *Button2;
  ZoomBar* ScrollBar1;
  PictureBox *Image1, *Image2;
  QMenu *PopupMenu1, *PopupMenu2;

 private:
  QMessageBox* errorMessage_ = nullptr;
  QLineEdit* reading_ = nullptr;    // the edit being read
  QPointer<QLineEdit> errorField_;  // the edit the message names
  DesignSheetWindow* sheet_ = nullptr;
  LengthListWindow* list_ = nullptr;
  // A stepped or typed coordinate rebuilds the open list once per burst of
  // steps (a held arrow) or keys, not once per step: the list runs a search
  // per length.
  QTimer listBurst_;
  bool stepping_ = false;
  bool writing_ = false;  // the window writes an edit's text itself (WriteEdit)
  QPalette sidePalette_;  // the palette of the sheet and the list
  bool sheetPlaced_ = false;
  QStyle* focusStyle_ = nullptr;
  ImageCanvas canvas_;
};
