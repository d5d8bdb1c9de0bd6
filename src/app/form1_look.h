// SPDX-License-Identifier: MIT
// What the window's two source files share of its look: faces, field
// colours and the small helpers that write numbers into controls.
#pragma once

#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QString>
#include <string>

#include "text/number_text.h"

namespace idrova {

// The window's face: IPA P Gothic stands in for the design's proportional
// Gothic. Its digits are 9 pixels wide at 15 pixels, too wide for seven
// characters in a 60-pixel edit; the edits use the fixed-pitch IPA Gothic,
// whose 8-pixel digits put seven characters (-9999.9, 1168.83, 402.336) in
// the 54 pixels a 60-pixel edit shows.
inline constexpr const char* kWindowFace = "IPAPGothic";
inline constexpr const char* kNumberFace = "IPAGothic";
inline constexpr int kWindowPixelSize = 15;

inline const QColor kUnknownFieldColor(255, 255, 181);  // pale yellow: the quantity solved for
inline const QColor kPlainFieldColor(255, 255, 255);

inline QString ToQ(const std::string& text) { return QString::fromStdString(text); }

inline QString FormatQ(const char* picture, double value) {
  return ToQ(FormatFloat(picture, value));
}

// The edit's background, with the dark text that reads on the design's
// light field colours whatever the desktop's palette.
inline void SetBase(QLineEdit* edit, const QColor& color) {
  QPalette pal = edit->palette();
  pal.setColor(QPalette::Base, color);
  pal.setColor(QPalette::Text, Qt::black);
  edit->setPalette(pal);
}

// The number face at the given size, and no text margins beyond the
// frame's own, so that the edit's whole width serves the digits.
inline void SetNumberFace(QLineEdit* edit, int pixelSize) {
  QFont font(kNumberFace);
  font.setPixelSize(pixelSize);
  edit->setFont(font);
  edit->setTextMargins(0, 0, 0, 0);
}

}  // namespace idrova
