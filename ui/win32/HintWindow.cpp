#include "ui/win32/HintWindow.h"

#include <commctrl.h>

#include "base/Failure.h"

namespace win32 {

HintWindow::HintWindow(HWND owner, HINSTANCE instance)
    : window_(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                instance, nullptr)) {
    if (window_.get() == nullptr) {
        throw base::Failure("CreateWindowEx tooltips");
    }
}

void HintWindow::AddTool(HWND control, const std::string& text) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    // The control copies the text.
    tool.lpszText = const_cast<char*>(text.c_str());
    ::SendMessageA(window_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void HintWindow::UpdateToolText(HWND control, const std::string& text) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = ::GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text.c_str());
    ::SendMessageA(window_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void HintWindow::SetTiming(int initialMs, int autoPopMs) {
    ::SendMessageA(window_.get(), TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(initialMs, 0));
    ::SendMessageA(window_.get(), TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(autoPopMs, 0));
}

void HintWindow::SetActive(bool active) {
    ::SendMessageA(window_.get(), TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

}  // namespace win32
