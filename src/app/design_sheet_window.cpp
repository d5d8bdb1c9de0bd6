// SPDX-License-Identifier: MIT
// The design sheet window.
#include "app/design_sheet_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <utility>

namespace {

constexpr int kCellMargin = 4;  // pixels left and right of a cell's text

// Paints a cell's text straight onto the canvas, laid out once per text and
// font: the sheet repaints the cells that change with every step of a
// coordinate, beside the main window.
class CellPainter : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QVariant font = index.data(Qt::FontRole);
    painter->save();
    if (font.isValid()) painter->setFont(font.value<QFont>());
    painter->setPen(option.palette.color(QPalette::Text));
    const QStaticText& text = Laid(index.data().toString(), painter->font());
    // The columns are as wide as their texts (FitColumns), so none is cut.
    const QSizeF size = text.size();
    painter->drawStaticText(
        QPointF(option.rect.left() + kCellMargin,
                option.rect.top() + (option.rect.height() - size.height()) / 2.0),
        text);
    painter->restore();
    if (option.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      const QWidget* view = option.widget;
      view->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, view);
    }
  }

 private:
  const QStaticText& Laid(const QString& text, const QFont& font) const {
    constexpr qsizetype kMostKept = 1000;
    if (laid_.size() > kMostKept) laid_.clear();
    const QString key = font.key() + QChar(0) + text;
    auto found = laid_.find(key);
    if (found == laid_.end()) {
      QStaticText laid(text);
      laid.setTextFormat(Qt::PlainText);
      laid.prepare(QTransform(), font);
      found = laid_.insert(key, laid);
    }
    return *found;
  }

  mutable QHash<QString, QStaticText> laid_;
};

}  // namespace

DesignSheetModel::DesignSheetModel(QObject* parent) : QAbstractTableModel(parent) {
  burst_.setSingleShot(true);
  burst_.setInterval(kBurstMs);
  connect(&burst_, &QTimer::timeout, this, &DesignSheetModel::ShowChangedFigures);
}

bool DesignSheetModel::SetRows(std::vector<idrova::SheetRow> rows) {
  const bool sameShape =
      rows.size() == rows_.size() &&
      std::equal(rows.begin(), rows.end(), rows_.begin(), [](const auto& a, const auto& b) {
        return a.Cells.size() == b.Cells.size() && a.Heading == b.Heading;
      });
  if (!sameShape) {
    burst_.stop();
    changed_.clear();
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    return true;
  }
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].Cells.size(); ++c)
      if (rows[r].Cells[c] != rows_[r].Cells[c]) {
        const bool grew = rows[r].Cells[c].size() > rows_[r].Cells[c].size();
        rows_[r].Cells[c] = std::move(rows[r].Cells[c]);
        changed_.emplace_back(index(static_cast<int>(r), static_cast<int>(c)), grew);
      }
  if (!changed_.empty() && !burst_.isActive()) burst_.start();
  return false;
}

void DesignSheetModel::ShowChangedFigures() {
  burst_.stop();
  std::vector<QModelIndex> longer;
  for (const auto& [cell, grew] : std::exchange(changed_, {})) {
    emit dataChanged(cell, cell, {Qt::DisplayRole});
    if (grew) longer.push_back(cell);
  }
  if (!longer.empty()) emit figuresShown(longer);
}

int DesignSheetModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DesignSheetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant DesignSheetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  const idrova::SheetRow& row = rows_[static_cast<std::size_t>(index.row())];
  const auto column = static_cast<std::size_t>(index.column());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
      return column < row.Cells.size() ? QString::fromStdString(row.Cells[column]) : QString();
    case Qt::FontRole:
      if (row.Heading) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    default:
      return {};
  }
}

QVariant DesignSheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
  if (orientation == Qt::Vertical) {
    if (section < 0 || section >= rowCount() ||
        rows_[static_cast<std::size_t>(section)].Cells.empty())
      return {};
    return QString::fromStdString(rows_[static_cast<std::size_t>(section)].Cells.front());
  }
  for (const idrova::SheetRow& row : rows_)
    if (row.Heading && static_cast<int>(row.Cells.size()) == kColumns && section >= 0 &&
        section < kColumns)
      return QString::fromStdString(row.Cells[static_cast<std::size_t>(section)]);
  return {};
}

DesignSheetWindow::DesignSheetWindow(QWidget* mainWindow) : SideWindow(mainWindow) {
  setObjectName("Form2");
  setWindowTitle(QStringLiteral("ドライブの詳細"));

  RadioGroup3 = new QGroupBox(QStringLiteral("その他の車"), this);
  RadioGroup3->setObjectName("RadioGroup3");
  FreeRuleBelt = new QRadioButton(QStringLiteral("ベルト用プーリ"), RadioGroup3);
  FreeRuleBelt->setObjectName("FreeRuleBelt");
  FreeRuleChain = new QRadioButton(QStringLiteral("チェーン用スプロケット"), RadioGroup3);
  FreeRuleChain->setObjectName("FreeRuleChain");
  FreeRuleChain->setChecked(true);
  auto* rules = new QHBoxLayout(RadioGroup3);
  rules->addWidget(FreeRuleBelt);
  rules->addWidget(FreeRuleChain);
  rules->addStretch();
  connect(FreeRuleBelt, &QRadioButton::clicked, this, [this] { emit freeRuleChosen(true); });
  connect(FreeRuleChain, &QRadioButton::clicked, this, [this] { emit freeRuleChosen(false); });

  StringGrid1 = new QTableView(this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setModel(&model_);
  connect(&model_, &DesignSheetModel::figuresShown, this, &DesignSheetWindow::WidenFor);
  StringGrid1->setItemDelegate(new CellPainter(StringGrid1));
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
  StringGrid1->setWordWrap(false);
  // Tab leaves the table for the window's buttons; the arrow keys move inside it.
  StringGrid1->setTabKeyNavigation(false);

  CopyButton = new QPushButton(QStringLiteral("コピー"), this);
  CopyButton->setObjectName("CopyButton");
  connect(CopyButton, &QPushButton::clicked, this, &SideWindow::Copy);

  Button3 = new QPushButton(QStringLiteral("一覧"), this);
  Button3->setObjectName("Button3");
  connect(Button3, &QPushButton::clicked, this, &DesignSheetWindow::listRequested);
  auto* listKey = new QShortcut(QKeySequence(Qt::Key_F5), this);
  connect(listKey, &QShortcut::activated, this, &DesignSheetWindow::listRequested);

  auto button = [this](const char* caption, const char* name) {
    auto* made = new QPushButton(QString::fromUtf8(caption), this);
    made->setObjectName(name);
    return made;
  };
  OpenButton = button("開く…", "OpenButton");
  SaveButton = button("保存…", "SaveButton");
  ExportButton = button("書き出し…", "ExportButton");
  PrintButton = button("印刷…", "PrintButton");
  setAcceptDrops(true);

  // The file commands in a row of their own above 一覧 and コピー, so that
  // the sheet stays narrow enough for a small scaled screen.
  auto* files = new QHBoxLayout;
  for (QPushButton* file : {OpenButton, SaveButton, ExportButton, PrintButton})
    files->addWidget(file);
  files->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button3);
  buttons->addWidget(CopyButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RadioGroup3);
  layout->addWidget(StringGrid1, 1);
  layout->addLayout(files);
  layout->addLayout(buttons);

  WatchCopyKeys();
  QWidget::setTabOrder(FreeRuleBelt, FreeRuleChain);
  QWidget::setTabOrder(FreeRuleChain, StringGrid1);
  QWidget::setTabOrder(StringGrid1, OpenButton);
  QWidget::setTabOrder(OpenButton, SaveButton);
  QWidget::setTabOrder(SaveButton, ExportButton);
  QWidget::setTabOrder(ExportButton, PrintButton);
  QWidget::setTabOrder(PrintButton, Button3);
  QWidget::setTabOrder(Button3, CopyButton);
}

void DesignSheetWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!idrova::DroppedDrive(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void DesignSheetWindow::dropEvent(QDropEvent* event) {
  const QString path = idrova::DroppedDrive(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  emit driveDropped(path);
}

void DesignSheetWindow::ShowRows(std::vector<idrova::SheetRow> rows, bool freeType,
                                 bool freeTypeIsBelt) {
  RadioGroup3->setEnabled(freeType);
  (freeTypeIsBelt ? FreeRuleBelt : FreeRuleChain)->setChecked(true);
  if (model_.SetRows(std::move(rows))) {
    // A new shape (another path case, mode or type): spans and widths anew.
    // A row's last cell takes the room of the columns the row leaves free.
    StringGrid1->clearSpans();
    const auto& shown = model_.Rows();
    for (int r = 0; r < static_cast<int>(shown.size()); ++r) {
      const int cells = static_cast<int>(shown[static_cast<std::size_t>(r)].Cells.size());
      if (cells > 0 && cells < DesignSheetModel::kColumns)
        StringGrid1->setSpan(r, cells - 1, 1, DesignSheetModel::kColumns - cells + 1);
    }
    FitColumns();
    if (isVisible()) GrowToContents();
  }
}

// New figures: the columns widen where a longer one no longer fits.
void DesignSheetWindow::WidenFor(const std::vector<QModelIndex>& longer) {
  for (const QModelIndex& cell : longer) {
    int room = 0;
    for (int c = cell.column();
         c < cell.column() + StringGrid1->columnSpan(cell.row(), cell.column()); ++c)
      room += StringGrid1->columnWidth(c);
    if (CellWidth(cell.row(), cell.column()) > room) {
      FitColumns();
      return;
    }
  }
}

// The width a cell's text needs, with its margins.
int DesignSheetWindow::CellWidth(int row, int column) const {
  const QModelIndex cell = model_.index(row, column);
  const QVariant font = cell.data(Qt::FontRole);
  const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : StringGrid1->font());
  return metrics.horizontalAdvance(cell.data().toString()) + 2 * kCellMargin + 2;
}

// Each column as wide as its widest cell, leaving out a row's last cell
// where it spans the columns to the right (a caution, a warning): that cell
// takes the room of all the columns it spans, and the last of them widens
// where they are too narrow for it.
void DesignSheetWindow::FitColumns() {
  constexpr int kColumns = DesignSheetModel::kColumns;
  std::vector<int> widths(kColumns, 2 * kCellMargin);
  const auto& rows = model_.Rows();
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const int cells = static_cast<int>(rows[static_cast<std::size_t>(r)].Cells.size());
    const int spanning = cells < kColumns ? cells - 1 : kColumns;  // the row's spanning cell
    for (int c = 0; c < cells && c < kColumns; ++c)
      if (c != spanning) widths[c] = std::max(widths[c], CellWidth(r, c));
  }
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const int cells = static_cast<int>(rows[static_cast<std::size_t>(r)].Cells.size());
    if (cells == 0 || cells >= kColumns) continue;
    int room = 0;
    for (int c = cells - 1; c < kColumns; ++c) room += widths[c];
    widths[kColumns - 1] += std::max(0, CellWidth(r, cells - 1) - room);
  }
  for (int c = 0; c < kColumns; ++c) StringGrid1->setColumnWidth(c, widths[c]);
}

// The window grows to show every row and column, within the screen's free
// area; it never shrinks under the user's hands. Where the screen is too
// small, the table scrolls. Measured with the table held at its whole size,
// so that it holds before the window is first shown as after.
void DesignSheetWindow::GrowToContents() {
  const int border = 2 * StringGrid1->frameWidth();
  StringGrid1->setMinimumSize(StringGrid1->horizontalHeader()->length() + border,
                              StringGrid1->verticalHeader()->length() + border);
  layout()->invalidate();
  QSize wanted = layout()->minimumSize();
  StringGrid1->setMinimumSize(0, 0);
  layout()->invalidate();
  if (isVisible()) wanted = wanted.expandedTo(size());
  // Where the table scrolls one way, its scroll bar takes room the other way.
  const QSize room = Room();
  if (wanted.height() > room.height())
    wanted.rwidth() += StringGrid1->verticalScrollBar()->sizeHint().width();
  if (wanted.width() > room.width())
    wanted.rheight() += StringGrid1->horizontalScrollBar()->sizeHint().height();
  wanted = wanted.boundedTo(room);
  if (wanted != size()) resize(wanted);
}

QString DesignSheetWindow::Text() const {
  return QString::fromStdString(idrova::DesignSheetText(model_.Rows()));
}
