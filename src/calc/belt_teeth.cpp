// SPDX-License-Identifier: MIT
// LengthInTeeth lives inline in its header; this unit checks the header alone.
#include "calc/belt_teeth.h"
