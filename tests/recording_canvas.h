// SPDX-License-Identifier: MIT
// A Canvas that records every call with its integer arguments and the pen colour it draws with.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include "draw/canvas.h"

namespace idrova {

using Px = std::int64_t;
// Name, integer arguments and pen of each call; FillRect draws with the brush and has no pen.
using CanvasCalls = std::vector<std::tuple<std::string, std::vector<Px>, Rgb>>;

class RecordingCanvas : public Canvas {
 public:
  CanvasCalls Calls;
  Rgb Pen{0, 0, 128};  // the window's canvas starts navy; drawing code must set its own pen

  void FillRect(Px l, Px t, Px r, Px b) override {
    Calls.push_back({"FillRect", {l, t, r, b}, {}});
  }
  void SetPenColor(Rgb color) override { Pen = color; }
  void Arc(Px l, Px t, Px r, Px b, Px startX, Px startY, Px endX, Px endY) override {
    Calls.push_back({"Arc", {l, t, r, b, startX, startY, endX, endY}, Pen});
  }
  void MoveTo(Px x, Px y) override { Calls.push_back({"MoveTo", {x, y}, Pen}); }
  void LineTo(Px x, Px y) override { Calls.push_back({"LineTo", {x, y}, Pen}); }
};

}  // namespace idrova
