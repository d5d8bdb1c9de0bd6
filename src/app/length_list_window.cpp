// SPDX-License-Identifier: MIT
// The list of standard lengths that fit.
#include "app/length_list_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/control_texts.h"

namespace {
// Rows the window shows at once when it opens; more scroll.
constexpr int kRowsShown = 16;
}  // namespace

void LengthListModel::SetRows(std::vector<std::string> heading,
                              std::vector<std::vector<std::string>> rows) {
  beginResetModel();
  heading_ = std::move(heading);
  rows_ = std::move(rows);
  endResetModel();
}

int LengthListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LengthListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(heading_.size());
}

QVariant LengthListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto& row = rows_[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<std::size_t>(index.column());
  if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
    return column < row.size() ? QString::fromStdString(row[column]) : QString();
  if (role == Qt::TextAlignmentRole && column + 1 < heading_.size())
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant LengthListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  if (orientation == Qt::Horizontal) {
    if (section < 0 || section >= columnCount()) return {};
    return QString::fromStdString(heading_[static_cast<std::size_t>(section)]);
  }
  // A row is named by its length, as a reader hears the table.
  if (section < 0 || section >= rowCount() || rows_[static_cast<std::size_t>(section)].empty())
    return {};
  return QString::fromStdString(rows_[static_cast<std::size_t>(section)].front());
}

LengthListWindow::LengthListWindow(QWidget* mainWindow) : SideWindow(mainWindow) {
  setObjectName("Form3");
  setWindowTitle(QStringLiteral("標準長さの一覧"));

  StringGrid2 = new QTableView(this);
  StringGrid2->setObjectName("StringGrid2");
  StringGrid2->setModel(&model_);
  StringGrid2->verticalHeader()->hide();
  StringGrid2->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid2->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  StringGrid2->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  StringGrid2->horizontalHeader()->setStretchLastSection(true);
  StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
  StringGrid2->setWordWrap(false);
  // Tab leaves the table; the arrow keys move inside it.
  StringGrid2->setTabKeyNavigation(false);
  // A double-click or Enter applies a row, whatever the desktop's habit of
  // activating items with a single click: a click only selects.
  connect(StringGrid2, &QAbstractItemView::doubleClicked, this, &LengthListWindow::Choose);

  Label26 = new QLabel(this);
  Label26->setObjectName("Label26");
  Label26->setWordWrap(true);
  Label26->setTextInteractionFlags(Qt::NoTextInteraction);

  CopyButton = new QPushButton(QStringLiteral("コピー"), this);
  CopyButton->setObjectName("CopyButton");
  connect(CopyButton, &QPushButton::clicked, this, &SideWindow::Copy);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Label26, 1);
  buttons->addWidget(CopyButton, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(StringGrid2, 1);
  layout->addLayout(buttons);

  WatchCopyKeys();
  QWidget::setTabOrder(StringGrid2, CopyButton);
}

void LengthListWindow::ShowList(std::vector<std::string> heading,
                                std::vector<std::vector<std::string>> rows,
                                std::vector<int> indexes, const QString& line) {
  // The row of the standard length chosen before stays chosen.
  std::optional<int> chosen;
  if (const QModelIndex current = StringGrid2->currentIndex(); current.isValid())
    chosen = IndexOfRow(current.row());
  const bool newColumns = heading != model_.Heading();
  model_.SetRows(std::move(heading), std::move(rows));
  indexes_ = std::move(indexes);
  Label26->setText(line);
  Label26->setAccessibleName(idrova::AccessibleNameOf(Label26));
  if (chosen) {
    for (std::size_t r = 0; r < indexes_.size(); ++r)
      if (indexes_[r] == *chosen) {
        StringGrid2->setCurrentIndex(model_.index(static_cast<int>(r), 0));
        break;
      }
  }
  if (newColumns && isVisible()) GrowToContents();
}

std::optional<int> LengthListWindow::IndexOfRow(int row) const {
  if (row < 0 || row >= static_cast<int>(indexes_.size())) return std::nullopt;
  return indexes_[static_cast<std::size_t>(row)];
}

QString LengthListWindow::Text() const {
  QString text;
  auto add = [&text](const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) text += QLatin1Char('\t');
      text += QString::fromStdString(cells[i]);
    }
    text += QLatin1Char('\n');
  };
  if (model_.Heading().empty()) return text;
  add(model_.Heading());
  for (const auto& row : model_.Rows()) add(row);
  return text;
}

// Wide enough for every column, tall enough for the first rows, within the
// screen's free area; it never shrinks under the user's hands.
void LengthListWindow::GrowToContents() {
  QHeaderView* columns = StringGrid2->horizontalHeader();
  int width = 2 * StringGrid2->frameWidth() + StringGrid2->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < model_.columnCount(); ++c)
    width += std::max(columns->sectionSizeHint(c),
                      static_cast<QAbstractItemView*>(StringGrid2)->sizeHintForColumn(c));
  const int height = 2 * StringGrid2->frameWidth() + columns->sizeHint().height() +
                     kRowsShown * StringGrid2->verticalHeader()->defaultSectionSize();
  StringGrid2->setMinimumSize(width, height);
  layout()->invalidate();
  QSize wanted = layout()->minimumSize();
  StringGrid2->setMinimumSize(0, 0);
  layout()->invalidate();
  if (isVisible()) wanted = wanted.expandedTo(size());
  wanted = wanted.boundedTo(Room());
  if (wanted != size()) resize(wanted);
}

void LengthListWindow::Choose(const QModelIndex& cell) {
  if (!cell.isValid()) return;
  if (const std::optional<int> index = IndexOfRow(cell.row())) emit rowChosen(*index);
}

bool LengthListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == StringGrid2 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Choose(StringGrid2->currentIndex());
      return true;
    }
  }
  return SideWindow::eventFilter(watched, event);
}
