// The window procedure of a window that belongs to an object: CreateWindowEx's last
// argument names the object, which the window keeps in GWLP_USERDATA until
// WM_NCDESTROY and hands every message to. Messages that come before WM_NCCREATE
// or after WM_NCDESTROY have no object to go to and get the default handling.
#pragma once

#include <windows.h>

namespace win32 {

template <typename Owner, LRESULT (Owner::*Handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT OwnedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    }
    if (owner == nullptr) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return (owner->*Handle)(window, message, wParam, lParam);
}

}  // namespace win32
