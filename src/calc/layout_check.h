// SPDX-License-Identifier: MIT
// Whether the computed belt path is the real belt of the layout: the belt
// path is built from the tangents seen from wheel 1 and is right when the
// tensioner stands between the working wheels; elsewhere it can show a
// plainly wrong length. The real belt is the one pulled tight around all
// three wheels; when the two differ, the window warns.
#pragma once

#include "model/drive_state.h"

namespace idrova {

inline constexpr const char* kLayoutWarningText = "警告! この配置のベルト長さは無効です";

// True when BeltLength, as last computed, is the tight belt around the three
// wheels of the state.
bool BeltPathFitsLayout(const DriveState& state);

}  // namespace idrova
