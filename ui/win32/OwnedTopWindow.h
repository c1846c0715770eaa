// A small window of its own: a top-level window of one of our classes, owned by
// another window and belonging to an object, whose class's window procedure is
// OwnedWindowProc for that object's type.
//
// - The class: registered for `instance` by RegisterWindowClasses before the first
//   window is made, once per process (it skips a class already registered, so a
//   second call registers nothing twice); the program's classes go when it ends and
//   are never unregistered. The same `instance` made the class and makes the window,
//   or CreateWindowEx finds no class.
// - Messages reach the object while CreateWindowEx runs (WM_NCCREATE, WM_CREATE,
//   WM_SIZE...), before this returns: the object's handler copes with a window
//   whose controls are not made yet.
// - Failure: a window that cannot be made raises Failure naming `what`; nothing is
//   left behind.
// - The window may end before its handle (the user closes it, DestroyWindow from its
//   own handler): WindowHandle then destroys nothing a second time.
#pragma once

#include <windows.h>

#include "ui/gui/Geometry.h"
#include "ui/win32/WindowHandle.h"

namespace win32 {

struct TopWindowLook {
    const char* className;
    const char* caption;
    DWORD style;
    DWORD exStyle = 0;
};

WindowHandle CreateOwnedTopWindow(const TopWindowLook& look, const gui::TRect& place, HWND owner,
                                  HINSTANCE instance, void* object, const char* what);

}  // namespace win32
