// SPDX-License-Identifier: MIT
// The raster canvas the picture is drawn on, as an abstract interface, so the
// drawing can be checked call by call and drawn onto a QImage in the window.
// Picture coordinates: integer pixels, (0, 0) top-left, x right, y down.
#pragma once

#include <cstdint>

namespace idrova {

struct Rgb {
  std::uint8_t R = 0;
  std::uint8_t G = 0;
  std::uint8_t B = 0;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Fills (left, top)-(right, bottom) with the brush; right and bottom edges excluded.
  virtual void FillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                        std::int64_t bottom) = 0;
  virtual void SetPenColor(Rgb color) = 0;
  // Outline of the ellipse inscribed in the box, counterclockwise from the
  // start point to the end point; equal points draw the whole ellipse.
  virtual void Arc(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                   std::int64_t startX, std::int64_t startY, std::int64_t endX,
                   std::int64_t endY) = 0;
  virtual void MoveTo(std::int64_t x, std::int64_t y) = 0;
  // Line from the pen position to (x, y), the end pixel itself excluded.
  virtual void LineTo(std::int64_t x, std::int64_t y) = 0;
};

}  // namespace idrova
