// SPDX-License-Identifier: MIT
// ImageCanvas rasterisation.
#include "app/image_canvas.h"

#include <algorithm>
#include <cmath>

#include "app/contrast.h"
#include "geometry/polar_vector.h"

namespace {

// Beyond this distance from the picture a line end is first clipped in
// floating point, so that the pixel walk stays short.
constexpr double kFarPixels = 32768.0;

// Liang-Barsky clip of the segment (x0, y0)-(x1, y1) to the box; false when
// nothing of it lies inside. t0/t1 are the kept parameter range.
bool ClipSegment(double x0, double y0, double x1, double y1, double xmin, double ymin, double xmax,
                 double ymax, double& t0, double& t1) {
  t0 = 0.0;
  t1 = 1.0;
  const double dx = x1 - x0;
  const double dy = y1 - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0.0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
  }
  return t0 <= t1;
}

}  // namespace

void ImageCanvas::Plot(std::int64_t x, std::int64_t y) {
  if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return;
  reinterpret_cast<QRgb*>(image_->scanLine(static_cast<int>(y)))[x] = pen_;
}

std::int64_t ImageCanvas::Device(std::int64_t v) const {
  const double ratio = image_->devicePixelRatio();
  if (ratio == 1.0) return v;
  return static_cast<std::int64_t>(std::floor(static_cast<double>(v) * ratio + 0.5));
}

void ImageCanvas::FillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                           std::int64_t bottom) {
  left = Device(left);
  top = Device(top);
  right = Device(right);
  bottom = Device(bottom);
  const std::int64_t x0 = std::max<std::int64_t>(left, 0);
  const std::int64_t y0 = std::max<std::int64_t>(top, 0);
  const std::int64_t x1 = std::min<std::int64_t>(right, image_->width());
  const std::int64_t y1 = std::min<std::int64_t>(bottom, image_->height());
  for (std::int64_t y = y0; y < y1; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(static_cast<int>(y)));
    std::fill(line + x0, line + std::max(x0, x1), brush_);
  }
}

// On a dark background (a dark desktop theme) the design's pen colours are
// lightened until every line stands out from it.
void ImageCanvas::SetPenColor(idrova::Rgb color) {
  pen_ = idrova::ReadableOn(QColor(color.R, color.G, color.B), QColor::fromRgb(brush_),
                            idrova::kLineContrast)
             .rgb();
}

void ImageCanvas::Arc(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                      std::int64_t startX, std::int64_t startY, std::int64_t endX,
                      std::int64_t endY) {
  left = Device(left);
  top = Device(top);
  right = Device(right);
  bottom = Device(bottom);
  startX = Device(startX);
  startY = Device(startY);
  endX = Device(endX);
  endY = Device(endY);
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const std::int64_t w = right - left;
  const std::int64_t h = bottom - top;
  if (w <= 0 || h <= 0) return;
  // Pixel centres of the outline run from left to right - 1 and top to
  // bottom - 1; the ellipse through them has these semi-axes.
  const double cx = static_cast<double>(left) + static_cast<double>(w - 1) / 2.0;
  const double cy = static_cast<double>(top) + static_cast<double>(h - 1) / 2.0;
  const double a = static_cast<double>(w - 1) / 2.0;
  const double b = static_cast<double>(h - 1) / 2.0;

  // Counterclockwise on screen (y down) from the start direction to the end
  // direction; equal points give the whole ellipse.
  const bool whole = startX == endX && startY == endY;
  const double startAngle = std::atan2(cy - static_cast<double>(startY), startX - cx);
  double sweep = std::atan2(cy - static_cast<double>(endY), endX - cx) - startAngle;
  if (sweep <= 0.0) sweep += idrova::kTwoPi;
  auto onArc = [&](std::int64_t x, std::int64_t y) {
    if (whole) return true;
    double turn = std::atan2(cy - static_cast<double>(y), static_cast<double>(x) - cx) - startAngle;
    if (turn < 0.0) turn += idrova::kTwoPi;
    return turn <= sweep;
  };
  auto plot = [&](std::int64_t x, std::int64_t y) {
    if (onArc(x, y)) Plot(x, y);
  };

  // One pass over the visible columns and one over the visible rows: each
  // puts the two outline pixels of its column or row, so the outline has no
  // gaps on steep or flat stretches.
  const std::int64_t colFirst = std::max<std::int64_t>(left, 0);
  const std::int64_t colLast = std::min<std::int64_t>(right - 1, image_->width() - 1);
  for (std::int64_t x = colFirst; x <= colLast; ++x) {
    const double u = a > 0.0 ? (static_cast<double>(x) - cx) / a : 0.0;
    const double dy = b * std::sqrt(std::max(0.0, 1.0 - u * u));
    plot(x, static_cast<std::int64_t>(std::floor(cy - dy + 0.5)));
    plot(x, static_cast<std::int64_t>(std::ceil(cy + dy - 0.5)));
  }
  const std::int64_t rowFirst = std::max<std::int64_t>(top, 0);
  const std::int64_t rowLast = std::min<std::int64_t>(bottom - 1, image_->height() - 1);
  for (std::int64_t y = rowFirst; y <= rowLast; ++y) {
    const double v = b > 0.0 ? (static_cast<double>(y) - cy) / b : 0.0;
    const double dx = a * std::sqrt(std::max(0.0, 1.0 - v * v));
    plot(static_cast<std::int64_t>(std::floor(cx - dx + 0.5)), y);
    plot(static_cast<std::int64_t>(std::ceil(cx + dx - 0.5)), y);
  }
}

void ImageCanvas::MoveTo(std::int64_t x, std::int64_t y) {
  penX_ = Device(x);
  penY_ = Device(y);
}

void ImageCanvas::LineTo(std::int64_t x, std::int64_t y) {
  std::int64_t x0 = penX_;
  std::int64_t y0 = penY_;
  std::int64_t x1 = Device(x);
  std::int64_t y1 = Device(y);
  penX_ = x1;
  penY_ = y1;
  bool plotEnd = false;  // the true end pixel is never drawn
  const double w = image_->width();
  const double h = image_->height();
  auto far = [&](std::int64_t px, std::int64_t py) {
    return px < -kFarPixels || py < -kFarPixels || px > w + kFarPixels || py > h + kFarPixels;
  };
  if (far(x0, y0) || far(x1, y1)) {
    double t0 = 0.0;
    double t1 = 1.0;
    const double fx0 = static_cast<double>(x0);
    const double fy0 = static_cast<double>(y0);
    const double fx1 = static_cast<double>(x1);
    const double fy1 = static_cast<double>(y1);
    if (!ClipSegment(fx0, fy0, fx1, fy1, -2.0, -2.0, w + 1.0, h + 1.0, t0, t1)) return;
    const auto at = [](double p, double q, double t) {
      return static_cast<std::int64_t>(std::floor(p + (q - p) * t + 0.5));
    };
    if (t1 < 1.0) plotEnd = true;
    const std::int64_t cx0 = at(fx0, fx1, t0);
    const std::int64_t cy0 = at(fy0, fy1, t0);
    x1 = at(fx0, fx1, t1);
    y1 = at(fy0, fy1, t1);
    x0 = cx0;
    y0 = cy0;
  }
  // Bresenham from (x0, y0) toward (x1, y1).
  const std::int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1;
  const std::int64_t dy = y1 > y0 ? y0 - y1 : y1 - y0;  // negative magnitude
  const std::int64_t sx = x0 < x1 ? 1 : -1;
  const std::int64_t sy = y0 < y1 ? 1 : -1;
  std::int64_t err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    Plot(x0, y0);
    const std::int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  if (plotEnd) Plot(x1, y1);
}
