// SPDX-License-Identifier: MIT
// The number edit's face fitting and its overflow mark.
#include "app/number_edit.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <cmath>

#include "app/form1_look.h"

namespace {
// QLineEdit keeps this many pixels free left and right of its text.
constexpr int kLineEditMargin = 2;
constexpr int kSmallestPixelSize = 8;
// No more characters than this ever fit an edit: a longer text is measured
// by its head alone.
constexpr qsizetype kMostShown = 64;
}  // namespace

NumberEdit::NumberEdit(const QString& text, int designPixelSize, QWidget* parent)
    : QLineEdit(text, parent), designPixelSize_(designPixelSize) {
  idrova::SetNumberFace(this, designPixelSize);
  connect(this, &QLineEdit::textChanged, this, &NumberEdit::FitFace);
}

int NumberEdit::TextRoom() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  // The cursor after the last character takes a pixel too.
  return contents.marginsRemoved(textMargins()).width() - 2 * kLineEditMargin - 1;
}

bool NumberEdit::Overflows() const {
  return QFontMetricsF(font(), this).horizontalAdvance(text().left(kMostShown + 1)) > TextRoom();
}

// The face at a pixel size. Below the design's size the glyphs are drawn
// from their outlines, unhinted: the number face carries bitmaps for the
// small sizes whose point sits a row below the digits, a comma to the eye
// ("12345,67" at 10 and 11 pixels), and hinting picks those bitmaps.
QFont NumberEdit::FaceAt(int pixelSize) const {
  QFont face = font();
  face.setPixelSize(pixelSize);
  face.setHintingPreference(pixelSize < designPixelSize_ ? QFont::PreferNoHinting
                                                         : QFont::PreferDefaultHinting);
  return face;
}

// The design's size where the text fits it, otherwise the largest size at
// which the text, or its first eight characters, fits the edit.
void NumberEdit::FitFace() {
  if (fitting_) return;
  fitting_ = true;
  const QString whole = text().left(kWholeCharacters);
  const int room = TextRoom();
  int size = designPixelSize_;
  for (; size > kSmallestPixelSize; --size) {
    if (QFontMetricsF(FaceAt(size), this).horizontalAdvance(whole) <= room) break;
  }
  if (const QFont face = FaceAt(size); font() != face) setFont(face);
  fitting_ = false;
}

void NumberEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  FitFace();
}

void NumberEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  // A new screen (another device pixel ratio) or style measures anew.
  if (event->type() == QEvent::StyleChange) FitFace();
}

void NumberEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  if (hasFocus() || !Overflows()) return;
  // The mark that the text goes on: the characters that fit whole before an
  // ellipsis stay, the rest of the text's room shows the ellipsis on the
  // field's own colour. (Out of focus the edit shows the text from its first
  // character.)
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect room = style()
                         ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                         .marginsRemoved(textMargins())
                         .adjusted(kLineEditMargin, 0, -kLineEditMargin, 0);
  const QFontMetricsF metrics(font(), this);
  const QString mark = QStringLiteral("…");
  const double markWidth = metrics.horizontalAdvance(mark);
  // The characters that fit before the ellipsis, measured one by one (no
  // more than an edit can ever show).
  double fitting = 0.0;
  for (const QChar character : text().left(kMostShown)) {
    const double next = fitting + metrics.horizontalAdvance(character);
    if (next + markWidth > room.width()) break;
    fitting = next;
  }
  const int cut = room.left() + static_cast<int>(std::ceil(fitting));
  const QRect area(cut, room.top(), room.right() + kLineEditMargin - cut + 1, room.height());
  QPainter painter(this);
  painter.fillRect(area, palette().color(QPalette::Base));
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, mark);
}
