// A portable context menu shown as a real one: a popup menu made from its items,
// tracked until the user chooses or dismisses it, then destroyed.
#pragma once

#include <windows.h>

#include "ui/gui/PopupMenu.h"

namespace win32 {

// Runs the menu's popup handler, shows the items at a screen point with the window as
// their owner and runs the chosen item's handler after the menu has closed.
void TrackPopup(gui::TPopupMenu& menu, HWND owner, POINT screen);

}  // namespace win32
