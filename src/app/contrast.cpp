// SPDX-License-Identifier: MIT
// Contrast ratios and readable colours.
#include "app/contrast.h"

#include <algorithm>
#include <cmath>

namespace idrova {

namespace {
double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}
}  // namespace

double Luminance(const QColor& color) {
  const QColor rgb = color.toRgb();
  return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(const QColor& background) { return Luminance(background) < 0.18; }

QColor ReadableOn(const QColor& wanted, const QColor& background, double ratio) {
  if (!IsDark(background) || ContrastRatio(wanted, background) >= ratio) return wanted;
  constexpr int kSteps = 100;
  const QColor rgb = wanted.toRgb();
  for (int step = 1; step <= kSteps; ++step) {
    const double mix = static_cast<double>(step) / kSteps;
    const auto toward = [mix](int channel) {
      return static_cast<int>(std::lround(channel + (255 - channel) * mix));
    };
    const QColor lighter(toward(rgb.red()), toward(rgb.green()), toward(rgb.blue()));
    if (ContrastRatio(lighter, background) >= ratio) return lighter;
  }
  return Qt::white;
}

QColor WantedOrBlackOrWhite(const QColor& wanted, const QColor& background, double ratio) {
  if (ContrastRatio(wanted, background) >= ratio) return wanted;
  const QColor black(Qt::black), white(Qt::white);
  return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

}  // namespace idrova
