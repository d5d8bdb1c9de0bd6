// SPDX-License-Identifier: MIT
// NumberEdit: the window's single-line edit for a number. Its face (the
// fixed-pitch number face) keeps the design's size while the text fits and
// grows smaller for a longer text, so that every text of up to eight
// characters ("-1297.01", "12345.67") shows whole; a longer one shows its
// leading characters and, while the edit is not being edited, a mark at its
// right edge that the text goes on.
#pragma once

#include <QLineEdit>

class NumberEdit : public QLineEdit {
  Q_OBJECT

 public:
  // Texts of up to this many characters always show whole.
  static constexpr int kWholeCharacters = 8;

  NumberEdit(const QString& text, int designPixelSize, QWidget* parent = nullptr);

  // Whether the text runs past what the edit shows (the mark is drawn then).
  bool Overflows() const;
  // The width the edit gives its text, in pixels.
  int TextRoom() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FitFace();
  QFont FaceAt(int pixelSize) const;

  int designPixelSize_;
  bool fitting_ = false;
};
