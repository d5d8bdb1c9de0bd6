// SPDX-License-Identifier: MIT
// The design sheet window.
#include "app/design_sheet_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 7;  // the widest rows: the wheels

// A table whose columns take the width of their cells, leaving out a row's
// last cell where it spans the columns to the right (a caution, a warning):
// that cell takes the room of all the columns it spans.
class SheetTable : public QTableWidget {
 public:
  using QTableWidget::QTableWidget;

 protected:
  int sizeHintForColumn(int column) const override {
    int widest = 0;
    for (int row = 0; row < rowCount(); ++row) {
      if (columnSpan(row, column) > 1) continue;
      const QTableWidgetItem* cell = item(row, column);
      if (!cell) continue;
      const QFontMetrics metrics(cell->font());
      widest = std::max(widest, metrics.horizontalAdvance(cell->text()));
    }
    return widest + 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
  }

  // The whole table, every row and column, within its frame.
  QSize sizeHint() const override {
    int width = 2 * frameWidth();
    for (int column = 0; column < columnCount(); ++column)
      width += std::max(columnWidth(column), sizeHintForColumn(column));
    int height = 2 * frameWidth();
    for (int row = 0; row < rowCount(); ++row)
      height += std::max(rowHeight(row), sizeHintForRow(row));
    return {width, height};
  }
};

}  // namespace

DesignSheetWindow::DesignSheetWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
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

  StringGrid1 = new SheetTable(0, kColumns, this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionMode(QAbstractItemView::NoSelection);
  StringGrid1->setTextElideMode(Qt::ElideRight);
  StringGrid1->setWordWrap(false);

  CopyButton = new QPushButton(QStringLiteral("コピー"), this);
  CopyButton->setObjectName("CopyButton");
  connect(CopyButton, &QPushButton::clicked, this, &DesignSheetWindow::Copy);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(CopyButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RadioGroup3);
  layout->addWidget(StringGrid1, 1);
  layout->addLayout(buttons);

  // Ctrl+C copies the whole sheet wherever the focus is in the window
  // (the table would copy its current cell alone).
  for (QWidget* widget : findChildren<QWidget*>()) widget->installEventFilter(this);
  QWidget::setTabOrder(FreeRuleBelt, FreeRuleChain);
  QWidget::setTabOrder(FreeRuleChain, StringGrid1);
  QWidget::setTabOrder(StringGrid1, CopyButton);
}

void DesignSheetWindow::ShowRows(std::vector<idrova::SheetRow> rows, bool freeType,
                                 bool freeTypeIsBelt) {
  RadioGroup3->setEnabled(freeType);
  (freeTypeIsBelt ? FreeRuleBelt : FreeRuleChain)->setChecked(true);
  const bool sameShape =
      rows.size() == rows_.size() &&
      std::equal(rows.begin(), rows.end(), rows_.begin(), [](const auto& a, const auto& b) {
        return a.Cells.size() == b.Cells.size() && a.Heading == b.Heading;
      });
  if (!sameShape) {
    // A new shape (another path case, mode or type): the table anew.
    StringGrid1->clearContents();
    StringGrid1->clearSpans();
    StringGrid1->setRowCount(static_cast<int>(rows.size()));
  }
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const idrova::SheetRow& row = rows[static_cast<std::size_t>(r)];
    const int cells = static_cast<int>(row.Cells.size());
    for (int c = 0; c < cells; ++c) {
      const QString text = QString::fromStdString(row.Cells[static_cast<std::size_t>(c)]);
      if (QTableWidgetItem* cell = StringGrid1->item(r, c)) {
        if (cell->text() != text) cell->setText(text);
        continue;
      }
      auto* cell = new QTableWidgetItem(text);
      if (row.Heading) {
        QFont bold = cell->font();
        bold.setBold(true);
        cell->setFont(bold);
      }
      StringGrid1->setItem(r, c, cell);
    }
    // A row's last cell takes the room of the columns the row leaves free.
    if (!sameShape && cells > 0 && cells < kColumns)
      StringGrid1->setSpan(r, cells - 1, 1, kColumns - cells + 1);
  }
  rows_ = std::move(rows);
  if (!sameShape && isVisible()) GrowToContents();
}

// The window grows to show every row and column, within the screen's free
// area; it never shrinks under the user's hands. Where the screen is too
// small, the table scrolls.
void DesignSheetWindow::GrowToContents() {
  StringGrid1->updateGeometry();
  layout()->invalidate();
  QSize wanted = layout()->sizeHint().expandedTo(size());
  if (const QScreen* shownOn = screen()) {
    const QRect available = shownOn->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    wanted = wanted.boundedTo(available.size() - frame);
  }
  if (wanted != size()) resize(wanted);
}

QString DesignSheetWindow::Text() const {
  return QString::fromStdString(idrova::DesignSheetText(rows_));
}

void DesignSheetWindow::Copy() { QGuiApplication::clipboard()->setText(Text()); }

bool DesignSheetWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
      if (event->type() == QEvent::KeyPress) Copy();
      event->accept();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void DesignSheetWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
