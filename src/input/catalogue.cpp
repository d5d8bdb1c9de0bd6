// SPDX-License-Identifier: MIT
// The type menu's catalogue table and what choosing an entry does to the state.
#include "input/catalogue.h"

#include "input/wheel_sizing.h"

namespace idrova {
namespace {

// Type labels are "種類" (type), three blanks and the type name.
constexpr CatalogueEntry kCatalogue[] = {
    {"S45M1", "S4.5M", 1, 4, 4.5, "種類   S4.5M", false},
    {"S5M1", "S5M", 2, 5, 5.0, "種類   S5M", false},
    {"S8M1", "S8M", 3, kS8MTypeCode, 8.0, "種類   S8M", false},
    {"S14M1", "S14M", 4, 14, 14.0, "種類   S14M", false},
    {"MXL1", "MXL", 5, 15, 2.032, "種類   MXL", false},
    {"XL1", "XL", 6, 16, 5.08, "種類   XL", false},
    {"L1", "L", 7, 17, 9.525, "種類   L", false},
    {"H1", "H", 8, 18, 12.7, "種類   H", false},
    {"XH1", "XH", 9, 19, 22.225, "種類   XH", false},
    {"XXH1", "XXH", 10, 20, 31.75, "種類   XXH", false},
    {"RS251", "RS25", 25, 25, 6.35, "種類   RS25", false},
    {"RS351", "RS35", 35, 35, 9.525, "種類   RS35", false},
    {"RS401", "RS40", 40, 40, 12.7, "種類   RS40", false},
    {"RS501", "RS50", 50, 50, 15.875, "種類   RS50", false},
    {"RS601", "RS60", 60, 60, 19.05, "種類   RS60", false},
    {"RS801", "RS80", 80, 80, 25.4, "種類   RS80", false},
    {"RS1001", "RS100", 100, 100, 31.75, "種類   RS100", false},
    {"RS1201", "RS120", 120, 120, 38.1, "種類   RS120", false},
    {"RS1401", "RS140", 140, 140, 44.45, "種類   RS140", false},
    {"RS1601", "RS160", 160, 160, 50.8, "種類   RS160", false},
    {"RS1801", "RS180", 180, 180, 57.15, "種類   RS180", false},
    {"RS2001", "RS200", 200, 200, 63.5, "種類   RS200", false},
    {"RS2401", "RS240", 240, 240, 76.2, "種類   RS240", false},
    {"N1", "その他", 0, kFreeTypeCode, 0.0, "種類   その他", true},
};

}  // namespace

std::span<const CatalogueEntry> Catalogue() { return kCatalogue; }

const CatalogueEntry* FindCatalogueEntry(std::string_view name) {
  for (const CatalogueEntry& entry : kCatalogue) {
    if (name == entry.Name) return &entry;
  }
  return nullptr;
}

const CatalogueEntry* FindCatalogueEntryByCode(std::int32_t code) {
  for (const CatalogueEntry& entry : kCatalogue) {
    if (entry.Code == code) return &entry;
  }
  return nullptr;
}

void SelectType(DriveState& state, const CatalogueEntry& entry) {
  state.BeltType = entry.Code;
  if (entry.Free) return;  // the pitch is typed by the user and taken over later
  state.Pitch = entry.Pitch;
  UpdateWheelRadii(state);
}

}  // namespace idrova
