// Where the small windows open: beside or over the window that opened them, inside
// the work area of that window's monitor (the screen less the taskbar), so that they
// are seen at once and never open half off the screen.
#pragma once

#include "ui/gui/Geometry.h"

namespace ui {

// Beside the owner, tops aligned: to the right when it fits in the work area, else to
// the left, else as far right as the work area allows.
gui::TRect PlaceBeside(const gui::TRect& owner, int width, int height, const gui::TRect& workArea);

// Centred over the owner, moved into the work area.
gui::TRect PlaceCentredOver(const gui::TRect& owner, int width, int height,
                            const gui::TRect& workArea);

}  // namespace ui
