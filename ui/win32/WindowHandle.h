// The owner of a window: destroys it (and its child windows) when it goes, unless
// the platform destroyed it first.
#pragma once

#include <windows.h>

#include "base/UniqueHandle.h"

namespace win32 {

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle window) {
        if (::IsWindow(window)) {
            ::DestroyWindow(window);
        }
    }
};

using WindowHandle = base::UniqueHandle<WindowTraits>;

}  // namespace win32
