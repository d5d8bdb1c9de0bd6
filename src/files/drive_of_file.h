// SPDX-License-Identifier: MIT
// Between a drive file and the drive state: the state the window holds once
// it has opened a file and 計算 has run, for the command line and the tests,
// and the file of a state.
#pragma once

#include <cstdint>

#include "files/drive_file.h"
#include "model/drive_state.h"

namespace idrova {

struct CalculatedDrive {
  DriveState State;
  std::int32_t Warning = 0;  // the search's warning code (calc/solver.h), 0 for none
};

// The start values, the file's type (its pitch for the free type, and the
// free type's rule), wheels, teeth and request, the radii by the type's
// rule, then what 計算 does: the path computed, or with an unknown
// coordinate the search for it run from the file's tensioner.
CalculatedDrive CalculateDrive(const DriveFile& file);

// The file of a state: its type's menu entry name, pitch, wheels with their
// teeth rounded to whole ones, unknown, direction and requested length
// (SpecifiedLength), LengthIndex, and the zoom bar's position where the
// scale is one. A type code outside the catalogue
// gives the free type.
DriveFile DriveFileOfState(const DriveState& state);

}  // namespace idrova
