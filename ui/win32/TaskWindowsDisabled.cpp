#include "ui/win32/TaskWindowsDisabled.h"

namespace win32 {

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
    if (::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

}  // namespace

TaskWindowsDisabled::TaskWindowsDisabled() : active_(::GetActiveWindow()) {
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabledWindow,
                        reinterpret_cast<LPARAM>(&disabled_));
    for (HWND window : disabled_) {
        ::EnableWindow(window, FALSE);
    }
}

TaskWindowsDisabled::~TaskWindowsDisabled() {
    for (HWND window : disabled_) {
        if (::IsWindow(window)) {
            ::EnableWindow(window, TRUE);
        }
    }
    if (active_ != nullptr && ::IsWindow(active_)) {
        ::SetActiveWindow(active_);
    }
}

}  // namespace win32
