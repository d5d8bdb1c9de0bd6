// SPDX-License-Identifier: MIT
// A computed drive drawn as a DXF drawing: each wheel's pitch circle and
// centre cross on its own layer (NO1 red, NO2 blue, NO3 green), and the belt
// on layer BELT as one closed loop of lines and arcs in the order the belt
// travels. Millimetres, Y up, angles counterclockwise from +X, as in the model.
#pragma once

#include <string>
#include <vector>

#include "model/drive_state.h"

namespace idrova {

// One piece of the belt loop: a free span (a line) or the belt wrapped on a
// wheel (an arc, counterclockwise from StartAngle through Turn). Each piece
// starts where the one before it ends, the last ends where the first starts.
struct BeltPiece {
  bool IsArc = false;
  int Wheel = 0;  // arcs: the wheel wrapped (0, 1, 2 for NO 1, 2, 3); lines: the wheel left
  double StartX = 0.0, StartY = 0.0;  // mm
  double EndX = 0.0, EndY = 0.0;      // mm
  double Length = 0.0;                // mm: the span's length, or Turn x radius
  // Arcs only: the wheel's centre and pitch radius, mm, and the angles, rad.
  double CentreX = 0.0, CentreY = 0.0, Radius = 0.0;
  double StartAngle = 0.0;  // of the start point seen from the centre
  double Turn = 0.0;        // in (0, 2 pi)
};

// The belt loop of the state's last computed path (ComputeBeltPath), from
// the span leaving wheel 1 on: in cases A and C three spans and three arcs,
// in case B two of each (the tensioner does not touch the belt), in case D
// four of each with two arcs on the tensioner. Arcs of no turn and spans of
// no length are left out. Empty when no path was computed (outer winding).
// Where two wheels lie one inside the other they have no common tangent,
// the path has no real belt and the pieces need not meet.
std::vector<BeltPiece> BeltLoopPieces(const DriveState& state);

// The DXF text (AutoCAD R12, ASCII, "\n" line ends) of the state's wheels
// and belt loop. Numbers are written in their shortest text that reads back
// to the same double, with a point whatever the locale.
std::string DxfOfDrive(const DriveState& state);

}  // namespace idrova
