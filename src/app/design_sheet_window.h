// SPDX-License-Identifier: MIT
// DesignSheetWindow ("Form2"): the drive's design sheet in a window of its
// own beside the main window. It shows the rows of the design sheet (calc/
// design_sheet.h) of the main window's drive as a table, the free type's
// wheel rule as two radio buttons, and copies the whole sheet, tab-separated,
// to the clipboard (CopyButton, or Ctrl+C anywhere in the window). It holds
// no figures of its own: the main window hands it the rows after every change.
#pragma once

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QWidget>
#include <vector>

#include "calc/design_sheet.h"

class DesignSheetWindow : public QWidget {
  Q_OBJECT

 public:
  explicit DesignSheetWindow(QWidget* mainWindow);

  // Shows these rows; the free type's setting as given, its buttons enabled
  // only for the free type.
  void ShowRows(std::vector<idrova::SheetRow> rows, bool freeType, bool freeTypeIsBelt);
  const std::vector<idrova::SheetRow>& Rows() const { return rows_; }
  // The rows as the clipboard receives them.
  QString Text() const;
  // Puts the sheet on the clipboard.
  void Copy();
  // Makes the window large enough for the whole table, within the screen.
  void GrowToContents();

  QGroupBox* RadioGroup3;
  QRadioButton *FreeRuleBelt, *FreeRuleChain;
  QTableWidget* StringGrid1;
  QPushButton* CopyButton;

 signals:
  // The user chose the free type's wheel rule: belt pulleys (true) or chain
  // sprockets (false).
  void freeRuleChosen(bool belt);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<idrova::SheetRow> rows_;
};
