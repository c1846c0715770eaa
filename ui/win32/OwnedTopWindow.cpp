#include "ui/win32/OwnedTopWindow.h"

#include <string>

#include "base/Failure.h"

namespace win32 {

WindowHandle CreateOwnedTopWindow(const TopWindowLook& look, const gui::TRect& place, HWND owner,
                                  HINSTANCE instance, void* object, const char* what) {
    const HWND window = ::CreateWindowExA(look.exStyle, look.className, look.caption, look.style,
                                          place.Left, place.Top, place.Width(), place.Height(),
                                          owner, nullptr, instance, object);
    if (window == nullptr) {
        throw base::Failure(std::string("CreateWindowEx ") + what);
    }
    return WindowHandle(window);
}

}  // namespace win32
