#include "ui/win32/SmallWindowPlace.h"

#include "ui/WindowPlacement.h"

namespace win32 {

gui::TRect ScreenRectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

gui::TRect WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
        return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

gui::TRect CentredOverOwner(HWND owner, int width, int height) {
    const gui::TRect area = WorkAreaOf(owner);
    const bool shown = owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner);
    return ui::PlaceCentredOver(shown ? ScreenRectOf(owner) : area, width, height, area);
}

SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle) {
    RECT outer{0, 0, width, height};
    ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace win32
