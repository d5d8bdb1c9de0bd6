// SPDX-License-Identifier: MIT
// A drive file taken over into a calculated drive state, and back.
#include "files/drive_of_file.h"

#include <cmath>

#include "calc/solver.h"
#include "input/catalogue.h"
#include "input/wheel_sizing.h"

namespace idrova {

CalculatedDrive CalculateDrive(const DriveFile& file) {
  CalculatedDrive drive;
  DriveState& state = drive.State;
  ApplyStartValues(state);
  const CatalogueEntry* entry = FindCatalogueEntry(file.Type.toStdString());
  if (entry == nullptr) entry = FindCatalogueEntryByCode(kFreeTypeCode);
  state.BeltType = entry->Code;
  state.Pitch = entry->Free ? file.Pitch : entry->Pitch;
  state.FreeTypeIsBelt = file.FreeTypeIsBelt;
  for (int i = 0; i < 3; ++i) {
    state.Wheel[i].X = file.Wheels[i].X;
    state.Wheel[i].Y = file.Wheels[i].Y;
    state.Teeth[i] = file.Wheels[i].Teeth;
  }
  UpdateWheelRadii(state);
  state.UnknownKind = file.UnknownKind;
  state.Direction = file.Direction;
  state.SpecifiedLength = file.RequestedLength;
  if (file.LengthIndex) state.LengthIndex = *file.LengthIndex;
  if (file.Zoom) state.Scale = *file.Zoom / 10.0;
  if (state.UnknownKind == 1 || state.UnknownKind == 2) {
    drive.Warning = SearchUnknownCoordinate(state).Warning;
  } else {
    ComputeBeltPath(state);
  }
  return drive;
}

DriveFile DriveFileOfState(const DriveState& state) {
  DriveFile file;
  const CatalogueEntry* entry = FindCatalogueEntryByCode(state.BeltType);
  if (entry == nullptr) entry = FindCatalogueEntryByCode(kFreeTypeCode);
  file.Type = QString::fromUtf8(entry->Name);
  file.Pitch = state.Pitch;
  file.FreeTypeIsBelt = state.FreeTypeIsBelt;
  for (int i = 0; i < 3; ++i) {
    file.Wheels[i] = {state.Wheel[i].X, state.Wheel[i].Y,
                      static_cast<int>(std::lround(state.Teeth[i]))};
  }
  file.UnknownKind = state.UnknownKind;
  file.Direction = state.Direction;
  file.RequestedLength = state.SpecifiedLength;
  file.LengthIndex = state.LengthIndex;
  const long zoom = std::lround(state.Scale * 10.0);
  if (zoom >= 1 && zoom <= 20) file.Zoom = static_cast<int>(zoom);
  return file;
}

}  // namespace idrova
