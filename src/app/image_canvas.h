// SPDX-License-Identifier: MIT
// ImageCanvas: the drawing canvas on a QImage, with the pixel rules of a
// classic raster canvas: fills exclude the right and bottom edge, a line
// stops one pixel short of its end, an arc is the one-pixel outline of the
// ellipse inscribed in its box (right and bottom edge excluded). Only the
// visible part of an element is rasterised, so far-away or huge elements
// cost no more than the picture's size.
//
// On a dark brush (a dark desktop theme) each pen colour is lightened until
// it has a contrast of 4.5:1 against the brush; on a light one it is as given.
//
// Coordinates are the picture's pixels. On an image whose device pixel
// ratio is above 1 (a scaled screen) every coordinate is taken to the
// image's device pixels first and the same rules apply there, so outlines
// and lines are one device pixel wide and the picture is as sharp as the
// screen; at ratio 1 the two are the same.
#pragma once

#include <QColor>
#include <QImage>

#include "draw/canvas.h"

class ImageCanvas : public idrova::Canvas {
 public:
  explicit ImageCanvas(QImage* image) : image_(image) {}

  void SetBrushColor(QColor color) { brush_ = color.rgb(); }
  QColor BrushColor() const { return QColor::fromRgb(brush_); }
  QColor PenColor() const { return QColor::fromRgb(pen_); }

  void FillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                std::int64_t bottom) override;
  void SetPenColor(idrova::Rgb color) override;
  void Arc(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
           std::int64_t startX, std::int64_t startY, std::int64_t endX, std::int64_t endY) override;
  void MoveTo(std::int64_t x, std::int64_t y) override;
  void LineTo(std::int64_t x, std::int64_t y) override;

 private:
  void Plot(std::int64_t x, std::int64_t y);
  // A picture coordinate in the image's device pixels.
  std::int64_t Device(std::int64_t v) const;

  QImage* image_;
  QRgb brush_ = qRgb(255, 255, 255);
  QRgb pen_ = qRgb(0, 0, 0);
  std::int64_t penX_ = 0;
  std::int64_t penY_ = 0;
};
