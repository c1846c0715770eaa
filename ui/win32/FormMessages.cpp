// FormWindow: the window procedure of the form and the dialog keys.
#include <climits>

#include "ui/gui/Button.h"
#include "ui/gui/Message.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/OwnedWindowProc.h"

namespace win32 {

namespace {

bool ModifierDown() {
    return ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0 ||
           ::GetKeyState(VK_MENU) < 0;
}

}  // namespace

LRESULT FormWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            // Notifications come with the control's window; the dialog keys' IDOK
            // and IDCANCEL come without one and mean nothing here.
            ControlWindow* control = WindowOf(reinterpret_cast<HWND>(lParam));
            if (control != nullptr) {
                control->Command(HIWORD(wParam));
            }
            return 0;
        }
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && handle_ != nullptr) {
                sizeFromWindow_ = true;
                form_.UserResize(LOWORD(lParam), HIWORD(lParam));
                sizeFromWindow_ = false;
            }
            return 0;
        case WM_GETMINMAXINFO: {
            // No size limits: the show-time rules may make the window wider or
            // taller than the screen, and the user may make it anything.
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMaxTrackSize = {SHRT_MAX, SHRT_MAX};
            return 0;
        }
        case WM_CLOSE:
            form_.UserClose();
            return 0;
        case WM_ACTIVATE:
            Activated(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SETFOCUS:
            // The form itself takes no keys: its controls do.
            Activated(true);
            return 0;
        default: {
            gui::TMessage form{message, wParam, lParam, 0};
            if (message == WM_DEVICECHANGE && form_.Perform(form)) {
                return form.Result;
            }
            break;
        }
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void FormWindow::Activated(bool active) {
    if (!active) {
        const HWND focus = ::GetFocus();
        if (focus != handle_ && Owns(focus)) {
            savedFocus_ = focus;
        }
        return;
    }
    if (savedFocus_ != nullptr && Owns(savedFocus_) && ::IsWindowVisible(savedFocus_) &&
        ::IsWindowEnabled(savedFocus_)) {
        ::SetFocus(savedFocus_);
    } else {
        FocusFirstControl();
    }
}

bool FormWindow::PreTranslate(MSG& message) {
    // A small window of ours that asks for dialog keys (WS_EX_CONTROLPARENT) gets Tab,
    // Enter and Escape as a dialog box would.
    const HWND root = message.hwnd != nullptr ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && root != handle_ && ::GetWindow(root, GW_OWNER) == handle_ &&
        (::GetWindowLongA(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0) {
        return ::IsDialogMessageA(root, &message) != FALSE;
    }
    if (!Owns(message.hwnd) || !::IsWindowVisible(handle_)) {
        return false;
    }
    if (message.message == WM_KEYDOWN &&
        (message.wParam == VK_ESCAPE || message.wParam == VK_RETURN)) {
        // A control that wants the key itself (a dropped-down list) gets it.
        const LRESULT wants = ::SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam,
                                             reinterpret_cast<LPARAM>(&message));
        if ((wants & DLGC_WANTMESSAGE) == 0 && !ModifierDown()) {
            if (message.wParam == VK_ESCAPE) {
                form_.UserCancel();
                return true;
            }
            // No default button: Enter presses a push button only while it has the focus.
            ControlWindow* focused = WindowOf(::GetFocus());
            if (focused != nullptr && focused->Control().Kind() == gui::ControlKind::Button) {
                static_cast<gui::TButton&>(focused->Control()).UserClick();
            }
            return true;
        }
    }
    return ::IsDialogMessageA(handle_, &message) != FALSE;
}

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return OwnedWindowProc<FormWindow, &FormWindow::HandleMessage>(window, message, wParam, lParam);
}

}  // namespace win32
