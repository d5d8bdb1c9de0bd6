// SPDX-License-Identifier: MIT
// What screen readers see beyond Qt's own accessible widgets: an arrow
// control is a spin box with the standard increase and decrease actions
// (each exactly one click on the next or previous arrow), and the picture
// is a graphic.
#pragma once

namespace idrova {

// Installs the interfaces once per process; later calls do nothing.
void InstallAccessibleInterfaces();

}  // namespace idrova
