// SPDX-License-Identifier: MIT
// DesignSheetWindow ("Form2"): the drive's design sheet in a window of its
// own beside the main window. It shows the rows of the design sheet (calc/
// design_sheet.h) of the main window's drive as a table, the free type's
// wheel rule as two radio buttons, and copies the whole sheet, tab-separated,
// to the clipboard (CopyButton, or Ctrl+C anywhere in the window). Its
// buttons 開く…, 保存…, 書き出し… and 印刷… run the main window's drive file
// commands, and a drive file dropped on it opens. It holds no figures of
// its own: the main window hands it the rows after every change.
#pragma once

#include <QAbstractTableModel>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "app/side_window.h"
#include "calc/design_sheet.h"

// The sheet's rows as a table model: a row's cells from column 0, headings
// in bold. Its data are always the rows last set. A new shape resets the
// view at once; new figures alone are told to the view cell by cell, the
// cells of a burst of changes together a moment later (figuresShown), so
// that a held arrow in the main window costs the sheet one repaint of the
// changed cells per burst rather than one per click.
class DesignSheetModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 7;  // the widest rows: the wheels
  static constexpr int kBurstMs = 25;

  explicit DesignSheetModel(QObject* parent = nullptr);
  // True when the rows have another shape than before (rows, cells, headings).
  bool SetRows(std::vector<idrova::SheetRow> rows);
  const std::vector<idrova::SheetRow>& Rows() const { return rows_; }
  // Tells the view now of every changed cell it was not told of yet.
  void ShowChangedFigures();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // What a screen reader names a row and a column: the figure a row holds
  // (its first cell), the headings of the wheel rows for the columns.
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  // The view was told of these changed cells; `longer` are those whose text
  // grew longer than it was.
  void figuresShown(const std::vector<QModelIndex>& longer);

 private:
  std::vector<idrova::SheetRow> rows_;
  std::vector<std::pair<QModelIndex, bool>> changed_;  // cell, grew longer
  QTimer burst_;
};

class DesignSheetWindow : public SideWindow {
  Q_OBJECT

 public:
  explicit DesignSheetWindow(QWidget* mainWindow);

  // Shows these rows; the free type's setting as given, its buttons enabled
  // only for the free type.
  void ShowRows(std::vector<idrova::SheetRow> rows, bool freeType, bool freeTypeIsBelt);
  const std::vector<idrova::SheetRow>& Rows() const { return model_.Rows(); }
  // The rows as the clipboard receives them.
  QString Text() const override;
  // Makes the window large enough for the whole table, within the screen.
  void GrowToContents() override;

  QGroupBox* RadioGroup3;
  QRadioButton *FreeRuleBelt, *FreeRuleChain;
  QTableView* StringGrid1;
  QPushButton* CopyButton;
  QPushButton* Button3;  // opens the list of standard lengths that fit (F5 too)
  // The drive file commands (Ctrl+O, Ctrl+S, Ctrl+P in either window).
  QPushButton *OpenButton, *SaveButton, *ExportButton, *PrintButton;

 signals:
  void listRequested();
  // A drive file was dropped on the window.
  void driveDropped(const QString& path);
  // The user chose the free type's wheel rule: belt pulleys (true) or chain
  // sprockets (false).
  void freeRuleChosen(bool belt);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FitColumns();
  void WidenFor(const std::vector<QModelIndex>& longer);
  int CellWidth(int row, int column) const;

  DesignSheetModel model_;
};
