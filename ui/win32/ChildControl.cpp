#include "ui/win32/ChildControl.h"

#include <string>

#include "base/Failure.h"

namespace win32 {

HWND CreateChildControl(HWND parent, HINSTANCE instance, HFONT font, const ChildControlLook& look) {
    const HWND child = ::CreateWindowExA(
        look.exStyle, look.className, look.text, WS_CHILD | WS_VISIBLE | look.style, 0, 0, 0, 0,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(look.id)), instance, nullptr);
    if (child == nullptr) {
        throw base::Failure(std::string("CreateWindowEx ") + look.className);
    }
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

}  // namespace win32
