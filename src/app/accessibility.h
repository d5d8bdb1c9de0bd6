// SPDX-License-Identifier: MIT
// What screen readers see beyond Qt's own accessible widgets: an arrow
// control is a spin box with the standard increase and decrease actions
// (each exactly one click on the next or previous arrow) whose value is the
// number of its edit; the zoom bar's value is its scale ("1 px/mm"); the
// picture is a graphic; and a widget marked hidden (the copy of the picture
// beneath it) is left out of the tree.
#pragma once

class QWidget;

namespace idrova {

// Installs the interfaces once per process; later calls do nothing.
void InstallAccessibleInterfaces();

// Leaves `widget` out of what a screen reader sees of its parent panel.
void HideFromScreenReaders(QWidget* widget);

}  // namespace idrova
