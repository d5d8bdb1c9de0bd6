// SPDX-License-Identifier: MIT
// The belt and chain type catalogue of the type menu: 23 fixed types and the
// free entry, in menu order.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "model/drive_state.h"

namespace idrova {

inline constexpr std::int32_t kS8MTypeCode = 8;

struct CatalogueEntry {
  const char* Name;       // menu entry name, also the QAction objectName ("S8M1")
  const char* Caption;    // menu caption ("S8M")
  std::int32_t Tag;       // menu tag (0 for the free entry)
  std::int32_t Code;      // BeltType
  double Pitch;           // mm; unused for the free entry
  const char* TypeLabel;  // text of the type label ("種類   S8M", three blanks)
  bool Free;              // the free entry "その他": pitch typed by the user
};

// The 24 entries in menu order; the free entry is last.
std::span<const CatalogueEntry> Catalogue();

// The entry with the given name, or nullptr.
const CatalogueEntry* FindCatalogueEntry(std::string_view name);

// The entry of a type code (the first with that code), or nullptr.
const CatalogueEntry* FindCatalogueEntryByCode(std::int32_t code);

// State part of a menu choice. A catalogue type sets BeltType and Pitch and
// recomputes all three radii from the teeth already held; the free entry only
// sets BeltType to 999 and keeps Pitch and the radii.
void SelectType(DriveState& state, const CatalogueEntry& entry);

}  // namespace idrova
