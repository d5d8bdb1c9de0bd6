// A Canvas that records every call with its exact arguments and the pen colour in force.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <utility>
#include <vector>

#include "draw/canvas.h"

namespace idrova {

enum class CanvasOp { FillRect, SetPenColor, Arc, MoveTo, LineTo };

// One canvas call. Args holds the integer arguments in call order (none for
// SetPenColor); Pen is the pen colour after the call, so for SetPenColor it
// is the colour set and for the drawing calls the colour they draw with.
struct CanvasCall {
  CanvasOp Op = CanvasOp::FillRect;
  std::vector<std::int64_t> Args;
  Rgb Pen;
  friend bool operator==(const CanvasCall&, const CanvasCall&) = default;
};

// A straight line as the canvas draws it: from the pen position to the
// LineTo point, drawn with Pen.
struct RecordedLine {
  std::int64_t X1 = 0;
  std::int64_t Y1 = 0;
  std::int64_t X2 = 0;
  std::int64_t Y2 = 0;
  Rgb Pen;
  // A line that ends where it starts leaves no mark: its end pixel is excluded.
  bool Visible() const { return X1 != X2 || Y1 != Y2; }
  friend bool operator==(const RecordedLine&, const RecordedLine&) = default;
};

// The pen the window's canvas starts with (navy); drawing code must set its
// own colour before it draws.
inline constexpr Rgb kStartPen{0, 0, 128};

class RecordingCanvas : public Canvas {
 public:
  std::vector<CanvasCall> Calls;

  void FillRect(std::int64_t left, std::int64_t top, std::int64_t right,
                std::int64_t bottom) override {
    Record(CanvasOp::FillRect, {left, top, right, bottom});
  }
  void SetPenColor(Rgb color) override {
    pen_ = color;
    Record(CanvasOp::SetPenColor, {});
  }
  void Arc(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
           std::int64_t startX, std::int64_t startY, std::int64_t endX,
           std::int64_t endY) override {
    Record(CanvasOp::Arc, {left, top, right, bottom, startX, startY, endX, endY});
  }
  void MoveTo(std::int64_t x, std::int64_t y) override {
    penX_ = x;
    penY_ = y;
    Record(CanvasOp::MoveTo, {x, y});
  }
  void LineTo(std::int64_t x, std::int64_t y) override {
    lines_.push_back({penX_, penY_, x, y, pen_});
    penX_ = x;
    penY_ = y;
    Record(CanvasOp::LineTo, {x, y});
  }

  // Every LineTo as a line from the pen position before it.
  const std::vector<RecordedLine>& Lines() const { return lines_; }
  std::vector<RecordedLine> VisibleLines() const {
    std::vector<RecordedLine> visible;
    for (const RecordedLine& line : lines_) {
      if (line.Visible()) visible.push_back(line);
    }
    return visible;
  }

 private:
  void Record(CanvasOp op, std::vector<std::int64_t> args) {
    Calls.push_back({op, std::move(args), pen_});
  }

  Rgb pen_ = kStartPen;
  std::int64_t penX_ = 0;
  std::int64_t penY_ = 0;
  std::vector<RecordedLine> lines_;
};

// Readable failure messages in GoogleTest.
inline std::ostream& operator<<(std::ostream& out, Rgb c) {
  return out << "rgb(" << int{c.R} << ", " << int{c.G} << ", " << int{c.B} << ")";
}

inline void PrintTo(const CanvasCall& call, std::ostream* out) {
  static constexpr const char* kNames[] = {"FillRect", "SetPenColor", "Arc", "MoveTo", "LineTo"};
  *out << kNames[static_cast<int>(call.Op)] << "(";
  for (std::size_t i = 0; i < call.Args.size(); ++i) *out << (i ? ", " : "") << call.Args[i];
  *out << ") pen " << call.Pen;
}

inline void PrintTo(const RecordedLine& line, std::ostream* out) {
  *out << "(" << line.X1 << ", " << line.Y1 << ") -> (" << line.X2 << ", " << line.Y2 << ") pen "
       << line.Pen;
}

}  // namespace idrova
