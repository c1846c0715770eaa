// A standard control (static text, button, list view...) in one of our small
// windows, in the window's font. It starts visible with no size, for the window to
// arrange, and goes with its parent window, which owns it. One that cannot be made
// raises Failure naming its class.
#pragma once

#include <windows.h>

namespace win32 {

struct ChildControlLook {
    const char* className;
    const char* text;
    DWORD style;  // besides WS_CHILD | WS_VISIBLE
    int id = 0;
    DWORD exStyle = 0;
};

HWND CreateChildControl(HWND parent, HINSTANCE instance, HFONT font, const ChildControlLook& look);

}  // namespace win32
