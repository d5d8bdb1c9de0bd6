// SPDX-License-Identifier: MIT
// The belt loop of a computed path and the DXF text of a drive.
#include "export/dxf_export.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "geometry/belt_path.h"
#include "geometry/polar_vector.h"

namespace idrova {
namespace {

constexpr int kWheel1 = 0;
constexpr int kWheel3 = 2;

// The span slots of each case in the order FreeSpans gives the spans (the
// belt's travel from wheel 1), indexed by PathCase A, B, C, D.
constexpr int kSlotsInTravel[4][4] = {{2, 1, 0}, {2, 0}, {2, 3, 0}, {2, 3, 1, 0}};

// Each slot's span points away from this wheel ...
constexpr int kTailWheel[4] = {kWheel1, kWheel3, kWheel1, kWheel3};

// ... and touches both its wheels at this contact direction: outer tangents
// meet their two circles at the same angle.
double ContactAngle(const BeltPath& path, int slot) {
  switch (slot) {
    case 0:
      return path.Wheel1Tangent[0].Angle;
    case 1:
      return path.Wheel3Tangent[0].Angle;
    case 2:
      return path.Wheel1Tangent[1].Angle;
    default:
      return path.Wheel3Tangent[1].Angle;
  }
}

struct Point {
  double X = 0.0;
  double Y = 0.0;
};

Point OnCircle(const WheelCircle& wheel, double angle) {
  return {wheel.X + wheel.Radius * std::cos(angle), wheel.Y + wheel.Radius * std::sin(angle)};
}

// A span as the belt travels it.
struct Travelled {
  int From = 0;
  int To = 0;
  double Contact = 0.0;   // rad
  PolarVector Direction;  // of travel
  Point Start;            // on wheel From
  Point End;              // on wheel To
};

// Degrees in [0, 360).
double Degrees(double radians) {
  double degrees = std::fmod(radians * (180.0 / kPi), 360.0);
  if (degrees < 0.0) degrees += 360.0;
  return degrees >= 360.0 ? 0.0 : degrees;
}

// The DXF group codes and values, one per line.
class DxfText {
 public:
  void Code(int code, std::string_view value) {
    text_ += std::to_string(code);
    text_ += '\n';
    text_ += value;
    text_ += '\n';
  }
  void Code(int code, int value) { Code(code, std::string_view(std::to_string(value))); }
  // Shortest round-trip text: std::to_chars ignores the locale.
  void Number(int code, double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    Code(code, std::string_view(buffer, error == std::errc() ? end - buffer : 0));
  }
  void Point(int code, double x, double y) {
    Number(code, x);
    Number(code + 10, y);
    Number(code + 20, 0.0);
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

bool AllFinite(std::initializer_list<double> values) {
  for (const double value : values) {
    if (!std::isfinite(value)) return false;
  }
  return true;
}

void Line(DxfText& dxf, std::string_view layer, double x1, double y1, double x2, double y2) {
  if (!AllFinite({x1, y1, x2, y2})) return;
  dxf.Code(0, "LINE");
  dxf.Code(8, layer);
  dxf.Point(10, x1, y1);
  dxf.Point(11, x2, y2);
}

const char* const kWheelLayers[3] = {"NO1", "NO2", "NO3"};
// AutoCAD colour numbers: red, blue and green as the window's NO 1, 2, 3;
// the belt in the drawing's foreground colour.
constexpr int kWheelColours[3] = {1, 5, 3};
constexpr int kBeltColour = 7;
// Half the width of a centre cross, as a part of the wheel's radius.
constexpr double kCrossPart = 0.2;

void Header(DxfText& dxf, const DriveState& state) {
  double low[2] = {0.0, 0.0};
  double high[2] = {0.0, 0.0};
  bool first = true;
  for (const WheelCircle& wheel : state.Wheel) {
    if (!AllFinite({wheel.X, wheel.Y, wheel.Radius})) continue;
    const double r = std::fabs(wheel.Radius);
    const double wheelLow[2] = {wheel.X - r, wheel.Y - r};
    const double wheelHigh[2] = {wheel.X + r, wheel.Y + r};
    for (int k = 0; k < 2; ++k) {
      low[k] = first ? wheelLow[k] : std::fmin(low[k], wheelLow[k]);
      high[k] = first ? wheelHigh[k] : std::fmax(high[k], wheelHigh[k]);
    }
    first = false;
  }
  dxf.Code(0, "SECTION");
  dxf.Code(2, "HEADER");
  dxf.Code(9, "$ACADVER");
  dxf.Code(1, "AC1009");
  // Millimetres; readers of R12 files that do not know the variable skip it.
  dxf.Code(9, "$INSUNITS");
  dxf.Code(70, 4);
  dxf.Code(9, "$EXTMIN");
  dxf.Point(10, low[0], low[1]);
  dxf.Code(9, "$EXTMAX");
  dxf.Point(10, high[0], high[1]);
  dxf.Code(0, "ENDSEC");
}

void Tables(DxfText& dxf) {
  dxf.Code(0, "SECTION");
  dxf.Code(2, "TABLES");
  dxf.Code(0, "TABLE");
  dxf.Code(2, "LTYPE");
  dxf.Code(70, 1);
  dxf.Code(0, "LTYPE");
  dxf.Code(2, "CONTINUOUS");
  dxf.Code(70, 0);
  dxf.Code(3, "Solid line");
  dxf.Code(72, 65);
  dxf.Code(73, 0);
  dxf.Number(40, 0.0);
  dxf.Code(0, "ENDTAB");

  dxf.Code(0, "TABLE");
  dxf.Code(2, "LAYER");
  dxf.Code(70, 5);
  const auto layer = [&dxf](std::string_view name, int colour) {
    dxf.Code(0, "LAYER");
    dxf.Code(2, name);
    dxf.Code(70, 0);
    dxf.Code(62, colour);
    dxf.Code(6, "CONTINUOUS");
  };
  layer("0", kBeltColour);
  for (int i = 0; i < 3; ++i) layer(kWheelLayers[i], kWheelColours[i]);
  layer("BELT", kBeltColour);
  dxf.Code(0, "ENDTAB");
  dxf.Code(0, "ENDSEC");
}

}  // namespace

std::vector<BeltPiece> BeltLoopPieces(const DriveState& state) {
  std::vector<BeltPiece> pieces;
  FreeSpan spans[4];
  const int count = FreeSpans(state, spans);
  if (count == 0) return pieces;
  const int(&slots)[4] = kSlotsInTravel[static_cast<int>(state.Case)];

  Travelled travelled[4];
  for (int k = 0; k < count; ++k) {
    const int slot = slots[k];
    Travelled& t = travelled[k];
    t.From = spans[k].From;
    t.To = spans[k].To;
    t.Contact = ContactAngle(state, slot);
    const bool forward = t.From == kTailWheel[slot];
    t.Direction = forward ? state.Span[slot] : Reversed(state.Span[slot]);
    t.Start = OnCircle(state.Wheel[t.From], t.Contact);
    t.End = OnCircle(state.Wheel[t.To], t.Contact);
  }

  for (int k = 0; k < count; ++k) {
    const Travelled& span = travelled[k];
    if (span.Direction.Length != 0.0) {
      BeltPiece line;
      line.Wheel = span.From;
      line.StartX = span.Start.X;
      line.StartY = span.Start.Y;
      line.EndX = span.End.X;
      line.EndY = span.End.Y;
      line.Length = span.Direction.Length;
      pieces.push_back(line);
    }
    // The belt wraps the wheel it arrived at until it leaves along the next span.
    const Travelled& next = travelled[(k + 1) % count];
    const WheelCircle& wheel = state.Wheel[span.To];
    const double turn = WrapTurn(span.Direction, next.Direction);
    if (turn == 0.0) continue;
    BeltPiece arc;
    arc.IsArc = true;
    arc.Wheel = span.To;
    arc.StartX = span.End.X;
    arc.StartY = span.End.Y;
    arc.EndX = next.Start.X;
    arc.EndY = next.Start.Y;
    arc.Length = turn * wheel.Radius;
    arc.CentreX = wheel.X;
    arc.CentreY = wheel.Y;
    arc.Radius = wheel.Radius;
    arc.StartAngle = span.Contact;
    arc.Turn = turn;
    pieces.push_back(arc);
  }
  return pieces;
}

std::string DxfOfDrive(const DriveState& state) {
  DxfText dxf;
  Header(dxf, state);
  Tables(dxf);
  dxf.Code(0, "SECTION");
  dxf.Code(2, "ENTITIES");
  for (int i = 0; i < 3; ++i) {
    const WheelCircle& wheel = state.Wheel[i];
    if (!AllFinite({wheel.X, wheel.Y, wheel.Radius})) continue;
    dxf.Code(0, "CIRCLE");
    dxf.Code(8, kWheelLayers[i]);
    dxf.Point(10, wheel.X, wheel.Y);
    dxf.Number(40, wheel.Radius);
    const double half = kCrossPart * std::fabs(wheel.Radius);
    Line(dxf, kWheelLayers[i], wheel.X - half, wheel.Y, wheel.X + half, wheel.Y);
    Line(dxf, kWheelLayers[i], wheel.X, wheel.Y - half, wheel.X, wheel.Y + half);
  }
  for (const BeltPiece& piece : BeltLoopPieces(state)) {
    if (!piece.IsArc) {
      Line(dxf, "BELT", piece.StartX, piece.StartY, piece.EndX, piece.EndY);
      continue;
    }
    if (!AllFinite({piece.CentreX, piece.CentreY, piece.Radius, piece.StartAngle, piece.Turn}))
      continue;
    dxf.Code(0, "ARC");
    dxf.Code(8, "BELT");
    dxf.Point(10, piece.CentreX, piece.CentreY);
    dxf.Number(40, piece.Radius);
    dxf.Number(50, Degrees(piece.StartAngle));
    dxf.Number(51, Degrees(piece.StartAngle + piece.Turn));
  }
  dxf.Code(0, "ENDSEC");
  dxf.Code(0, "EOF");
  return dxf.Text();
}

}  // namespace idrova
