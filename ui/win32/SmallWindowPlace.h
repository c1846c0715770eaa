// The rectangles the small windows are placed by: their owner's on the screen and
// the work area of the monitor it is on.
#pragma once

#include <windows.h>

#include "ui/gui/Geometry.h"

namespace win32 {

gui::TRect ScreenRectOf(HWND window);
// The work area of the monitor that shows most of the window.
gui::TRect WorkAreaOf(HWND window);
// Where a window of that outer size opens centred over its owner, inside the work
// area of the owner's monitor. An owner that is hidden or minimized (a minimized
// window lies far off the screen) or none: the middle of that work area.
gui::TRect CentredOverOwner(HWND owner, int width, int height);
// The outer size of a window whose client area is width by height.
SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle = 0);

}  // namespace win32
