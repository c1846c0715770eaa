#include "ui/win32/HealthWindow.h"

#include <algorithm>
#include "base/Failure.h"
#include <string>

#include "ui/HealthView.h"
#include "ui/SetupF.h"
#include "ui/win32/OwnedWindowProc.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

namespace {

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 260;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 220;
constexpr int kSmallButtonWidth = 80;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
// Widest line in pixels the list scrolls to; device IDs are long.
constexpr int kListExtent = 1600;

enum ControlId : int { kRepairId = 101, kRefreshId = 102, kCloseId = 103 };

HWND Child(HWND parent, HINSTANCE instance, const char* cls, const char* text, DWORD style, int id,
           HFONT font) {
    const HWND child =
        ::CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (child == nullptr) {
        throw Failure(std::string("CreateWindowEx health window ") + cls);
    }
    ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

}  // namespace

HealthWindow::HealthWindow(HINSTANCE instance, HWND owner, HFONT font, TfrmSetup& form)
    : form_(form), font_(font) {
    RECT outer{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    const HWND window = ::CreateWindowExA(0, kHealthClassName, "Filter health", kStyle,
                                          CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                          outer.bottom - outer.top, owner, nullptr, instance, this);
    if (window == nullptr) {
        throw Failure("CreateWindowEx health window");
    }
    window_ = WindowHandle(window);
    CreateControls(instance);
    RECT client{};
    ::GetClientRect(window, &client);
    Arrange(client.right, client.bottom);
    Refresh();
    ::ShowWindow(window, SW_SHOWNORMAL);
}

void HealthWindow::CreateControls(HINSTANCE instance) {
    const HWND window = window_.get();
    heading_ = Child(window, instance, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, font_);
    list_ =
        Child(window, instance, "LISTBOX", "",
              WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, 0, font_);
    ::SendMessageA(list_, LB_SETHORIZONTALEXTENT, kListExtent, 0);
    repair_ = Child(window, instance, "BUTTON", "&Remove filter from broken devices",
                    BS_PUSHBUTTON | WS_TABSTOP, kRepairId, font_);
    refresh_ = Child(window, instance, "BUTTON", "R&efresh", BS_PUSHBUTTON | WS_TABSTOP, kRefreshId,
                     font_);
    close_ =
        Child(window, instance, "BUTTON", "Close", BS_PUSHBUTTON | WS_TABSTOP, kCloseId, font_);
}

void HealthWindow::Arrange(int width, int height) {
    const HDC dc = ::GetDC(heading_);
    TEXTMETRICA metrics{};
    const HGDIOBJ old = ::SelectObject(dc, font_);
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(heading_, dc);
    const int line = metrics.tmHeight;
    const int buttonHeight = line + 10;
    const int headingHeight = 2 * line;
    const int buttonsTop = std::max(height - kMargin - buttonHeight, kMargin + headingHeight);
    const int listTop = kMargin + headingHeight + kMargin / 2;
    ::MoveWindow(heading_, kMargin, kMargin, width - 2 * kMargin, headingHeight, TRUE);
    ::MoveWindow(list_, kMargin, listTop, width - 2 * kMargin,
                 std::max(buttonsTop - kMargin - listTop, line), TRUE);
    ::MoveWindow(repair_, kMargin, buttonsTop, kButtonWidth, buttonHeight, TRUE);
    ::MoveWindow(refresh_, width - 2 * (kMargin + kSmallButtonWidth), buttonsTop, kSmallButtonWidth,
                 buttonHeight, TRUE);
    ::MoveWindow(close_, width - kMargin - kSmallButtonWidth, buttonsTop, kSmallButtonWidth,
                 buttonHeight, TRUE);
}

void HealthWindow::Refresh() {
    health_ = ReadFilterHealth();
    ::SetWindowTextA(heading_, HealthHeading(health_).c_str());
    ::SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : HealthLines(health_)) {
        ::SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    ::EnableWindow(repair_, health_.RepairableCount() > 0);
}

void HealthWindow::Repair() {
    // The window's own command: it asks, records, restarts and reports.
    form_.App().Guard([this] { form_.RepairFilterHealth(health_); });
    if (!closed_) {
        Refresh();
    }
}

LRESULT HealthWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kRepairId:
                    Repair();
                    return 0;
                case kRefreshId:
                    Refresh();
                    return 0;
                case kCloseId:
                    ::DestroyWindow(window);
                    return 0;
                default:
                    break;
            }
            break;
        case WM_SIZE:
            // The first one comes while the window is made, before its controls.
            if (list_ != nullptr) {
                Arrange(LOWORD(lParam), HIWORD(lParam));
            }
            return 0;
        case WM_DESTROY:
            closed_ = true;
            return 0;
        default:
            break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK HealthWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnedWindowProc<HealthWindow, &HealthWindow::Handle>(window, message, wParam, lParam);
}

}  // namespace win32
