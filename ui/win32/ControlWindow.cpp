#include "ui/win32/ControlWindow.h"

#include <algorithm>
#include <string>

#include "base/Failure.h"
#include "ui/gui/Button.h"
#include "ui/gui/CheckBox.h"
#include "ui/gui/ComboBox.h"
#include "ui/gui/Label.h"
#include "ui/win32/DeviceContexts.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

namespace {

// The rows a dropped-down rate list shows at most, as the toolkit's default.
constexpr int kDropDownCount = 8;

struct WindowKind {
    const char* className;
    DWORD style;
    DWORD exStyle;
    bool takesFocus;
};

WindowKind KindOf(const gui::TControl& control) {
    switch (control.Kind()) {
        case gui::ControlKind::Panel:
            // The tab keys go through a panel to its controls; it takes no focus itself.
            return {kPanelClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, false};
        case gui::ControlKind::CheckBox:
            // Not an automatic box: it shows the state the control is told about.
            return {"BUTTON", BS_CHECKBOX, 0, true};
        case gui::ControlKind::Button:
            return {"BUTTON", BS_PUSHBUTTON, 0, true};
        case gui::ControlKind::ComboBox:
            return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, true};
        case gui::ControlKind::Label:
            return {"STATIC", SS_LEFT, 0, false};
        case gui::ControlKind::DrawGrid:
            break;
    }
    throw base::Failure("the grid has a window of its own");
}

}  // namespace

std::unique_ptr<ControlWindow> ControlWindow::Create(gui::TControl& control, HWND parent, int id,
                                                     HFONT font) {
    const WindowKind kind = KindOf(control);
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
    if (control.Visible()) {
        style |= WS_VISIBLE;
    }
    if (!control.Enabled()) {
        style |= WS_DISABLED;
    }
    if (kind.takesFocus && control.TabStop && control.TabOrder >= 0) {
        style |= WS_TABSTOP;
    }
    const HWND window = ::CreateWindowExA(
        kind.exStyle, kind.className, control.Caption().c_str(), style, control.Left(),
        control.Top(), control.Width(), control.Height(), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (window == nullptr) {
        throw base::Failure("CreateWindowEx " + control.Name());
    }
    auto result = std::make_unique<ControlWindow>(control);
    result->Attach(window);
    result->SetFont(font);
    if (control.Kind() == gui::ControlKind::CheckBox) {
        result->Changed(control, gui::ControlChange::Checked);
    } else if (control.Kind() == gui::ControlKind::ComboBox) {
        result->FillItems();
    }
    return result;
}

void ControlWindow::Attach(HWND window) {
    window_ = WindowHandle(window);
    handle_ = window;
}

void ControlWindow::SetFont(HFONT font) {
    font_ = font;
    ::SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // The combo box measures its items in the new font.
    ApplyBounds();
}

void ControlWindow::Changed(gui::TControl& control, gui::ControlChange what) {
    switch (what) {
        case gui::ControlChange::Bounds:
            ApplyBounds();
            break;
        case gui::ControlChange::Enabled:
            ::EnableWindow(handle_, control.Enabled() ? TRUE : FALSE);
            break;
        case gui::ControlChange::Visible:
            ::ShowWindow(handle_, control.Visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case gui::ControlChange::Caption:
            ::SetWindowTextA(handle_, control.Caption().c_str());
            FitToText();
            break;
        case gui::ControlChange::Checked:
            ::SendMessageA(
                handle_, BM_SETCHECK,
                static_cast<gui::TCheckBox&>(control).Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case gui::ControlChange::Items:
            FillItems();
            break;
        case gui::ControlChange::ItemIndex:
            ShowItemIndex();
            break;
        default:
            break;
    }
}

void ControlWindow::Command(WORD code) {
    switch (control_.Kind()) {
        case gui::ControlKind::Button:
            if (code == BN_CLICKED) {
                static_cast<gui::TButton&>(control_).UserClick();
            }
            break;
        case gui::ControlKind::CheckBox:
            if (code == BN_CLICKED) {
                auto& box = static_cast<gui::TCheckBox&>(control_);
                box.UserClick();
                // A box the user cannot reach keeps its state: show it again.
                Changed(box, gui::ControlChange::Checked);
            }
            break;
        case gui::ControlKind::ComboBox:
            if (code == CBN_SELCHANGE) {
                auto& combo = static_cast<gui::TComboBox&>(control_);
                combo.UserSelect(static_cast<int>(::SendMessageA(handle_, CB_GETCURSEL, 0, 0)));
                ShowItemIndex();
            } else if (code == CBN_CLOSEUP) {
                // A list closed with Esc goes back to its old item without telling:
                // show the item the control holds.
                ShowItemIndex();
            }
            break;
        default:
            break;
    }
}

void ControlWindow::FitToText() {
    if (control_.Kind() != gui::ControlKind::Label ||
        !static_cast<gui::TLabel&>(control_).AutoSize) {
        return;
    }
    WindowDC dc(handle_);
    if (dc.get() == nullptr) {
        return;
    }
    SelectedObject selected(dc.get(), font_);
    RECT text{0, 0, 0, 0};
    const std::string caption = control_.Caption();
    ::DrawTextA(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
    control_.SetBounds(control_.Left(), control_.Top(), text.right - text.left,
                       text.bottom - text.top);
}

void ControlWindow::ApplyBounds() {
    const int height = control_.Kind() == gui::ControlKind::ComboBox
                           ? control_.Height() + DropDownHeight()
                           : control_.Height();
    ::MoveWindow(handle_, control_.Left(), control_.Top(), control_.Width(), height, TRUE);
}

int ControlWindow::DropDownHeight() const {
    const auto& combo = static_cast<const gui::TComboBox&>(control_);
    const int rows = std::clamp(static_cast<int>(combo.Items().size()), 1, kDropDownCount);
    const int itemHeight = static_cast<int>(::SendMessageA(handle_, CB_GETITEMHEIGHT, 0, 0));
    return rows * std::max(itemHeight, 1) + 2;
}

void ControlWindow::FillItems() {
    const auto& combo = static_cast<const gui::TComboBox&>(control_);
    ::SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : combo.Items()) {
        ::SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    ShowItemIndex();
    ApplyBounds();
}

void ControlWindow::ShowItemIndex() {
    const auto& combo = static_cast<const gui::TComboBox&>(control_);
    if (::SendMessageA(handle_, CB_GETCURSEL, 0, 0) != combo.ItemIndex()) {
        ::SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(combo.ItemIndex()), 0);
    }
}

LRESULT CALLBACK PanelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        return ::SendMessageA(::GetAncestor(window, GA_ROOT), message, wParam, lParam);
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace win32
