// The rectangles the small windows are placed by: their owner's on the screen and
// the work area of the monitor it is on.
#pragma once

#include <windows.h>

#include "ui/gui/Geometry.h"

namespace win32 {

gui::TRect ScreenRectOf(HWND window);
// The work area of the monitor that shows most of the window.
gui::TRect WorkAreaOf(HWND window);
// The outer size of a window whose client area is width by height.
SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle = 0);

}  // namespace win32
