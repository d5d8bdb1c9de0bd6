// SPDX-License-Identifier: MIT
// LengthListWindow ("Form3", 標準長さの一覧): every standard length of the
// drive's type that the tensioner search reaches from where it stands, one
// row each with the coordinate found and the design check there
// (calc/fitting_lengths.h). A row chosen with Enter or a double-click is
// applied in the main window (rowChosen); CopyButton or Ctrl+C puts the list
// on the clipboard, tab-separated. It holds no figures of its own: the main
// window hands it the list after every change of the drive.
#pragma once

#include <QAbstractTableModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/side_window.h"

// The list's cells under a heading that names the columns.
class LengthListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;
  void SetRows(std::vector<std::string> heading, std::vector<std::vector<std::string>> rows);
  const std::vector<std::string>& Heading() const { return heading_; }
  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<std::string> heading_;
  std::vector<std::vector<std::string>> rows_;
};

class LengthListWindow : public SideWindow {
  Q_OBJECT

 public:
  explicit LengthListWindow(QWidget* mainWindow);

  // Shows a list: its heading, its rows and the standard-length index each
  // row stands for, and the line under it. The row of the same index stays
  // selected.
  void ShowList(std::vector<std::string> heading, std::vector<std::vector<std::string>> rows,
                std::vector<int> indexes, const QString& line);
  const LengthListModel& Model() const { return model_; }
  // The standard-length index of a row, or nothing.
  std::optional<int> IndexOfRow(int row) const;
  // The list as the clipboard receives it: the heading, then a line per row.
  QString Text() const override;
  // Makes the window large enough for its columns and some rows, within the screen.
  void GrowToContents() override;

  QTableView* StringGrid2;
  QLabel* Label26;
  QPushButton* CopyButton;

 signals:
  // The user chose a row (Enter, a double-click): apply its standard length.
  void rowChosen(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Choose(const QModelIndex& cell);
  LengthListModel model_;
  std::vector<int> indexes_;
};
