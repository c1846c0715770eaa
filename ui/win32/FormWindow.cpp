#include "ui/win32/FormWindow.h"

#include <algorithm>

#include "base/Failure.h"
#include "ui/gui/Control.h"
#include "ui/gui/DrawGrid.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/GridWindow.h"
#include "ui/win32/WindowClasses.h"

namespace win32 {

namespace {

// Control IDs start above IDOK and IDCANCEL, which the dialog keys send with no window.
constexpr int kFirstControlId = 100;

constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

}  // namespace

FormWindow::FormWindow(gui::TForm& form, HINSTANCE instance, int outerWidth, int outerHeight)
    : form_(form), font_(CreateWindowFont(form.Font())) {
    handle_ = ::CreateWindowExA(kFormExStyle, kFormClassName, form.Caption().c_str(), kFormStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, outerWidth, outerHeight, nullptr,
                                nullptr, instance, this);
    if (handle_ == nullptr) {
        throw base::Failure("CreateWindowEx frmSetup");
    }
    window_ = WindowHandle(handle_);
    form_.SetPeer(this);
    CreateControls();
    ArrangeTabOrder();
    TakeClientSizeFromWindow();
    hints_.emplace(handle_, instance);
    for (const auto& control : controls_) {
        if (!control->Control().Hint.empty()) {
            hints_->AddTool(control->Handle(), control->Control().Hint);
        }
    }
    ApplyHintSettings();
}

FormWindow::~FormWindow() {
    for (const auto& control : controls_) {
        control->Control().SetPeer(nullptr);
    }
    form_.SetPeer(nullptr);
    // The windows go while this object and the controls' windows still exist.
    hints_.reset();
    window_.reset();
}

void FormWindow::CreateControls() {
    int id = kFirstControlId;
    for (gui::TControl* control : form_.Controls()) {
        const ControlWindow* parent =
            control->Parent() != nullptr ? WindowOf(*control->Parent()) : nullptr;
        const HWND parentWindow = parent != nullptr ? parent->Handle() : handle_;
        if (control->Kind() == gui::ControlKind::DrawGrid) {
            controls_.push_back(std::make_unique<GridWindow>(static_cast<gui::TDrawGrid&>(*control),
                                                             parentWindow, id, font_.get()));
        } else {
            controls_.push_back(ControlWindow::Create(*control, parentWindow, id, font_.get()));
        }
        control->SetPeer(controls_.back().get());
        controls_.back()->FitToText();
        ++id;
    }
}

void FormWindow::ArrangeTabOrder() {
    // The dialog keys walk the children top to bottom in z-order: put each parent's
    // children in their tab order, controls that take no focus last.
    std::vector<ControlWindow*> ordered;
    for (const auto& control : controls_) {
        ordered.push_back(control.get());
    }
    auto rank = [](const ControlWindow* window) {
        const int order = window->Control().TabOrder;
        return order < 0 ? 1 << 30 : order;
    };
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [&](const ControlWindow* a, const ControlWindow* b) { return rank(a) < rank(b); });
    for (ControlWindow* window : ordered) {
        ::SetWindowPos(window->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

ControlWindow* FormWindow::WindowOf(const gui::TControl& control) const {
    for (const auto& window : controls_) {
        if (&window->Control() == &control) {
            return window.get();
        }
    }
    return nullptr;
}

ControlWindow* FormWindow::WindowOf(HWND handle) const {
    for (const auto& window : controls_) {
        if (window->Handle() == handle) {
            return window.get();
        }
    }
    return nullptr;
}

bool FormWindow::Owns(HWND window) const {
    return window != nullptr && (window == handle_ || ::IsChild(handle_, window));
}

void FormWindow::ApplyHintSettings() {
    gui::TApplication& app = form_.App();
    hints_->SetTiming(app.HintPause, app.HintHidePause);
    hints_->SetActive(app.ShowHint);
}

void FormWindow::Changed(gui::TForm& form, gui::FormChange what) {
    switch (what) {
        case gui::FormChange::Caption:
            ::SetWindowTextA(handle_, form.Caption().c_str());
            break;
        case gui::FormChange::ClientSize:
            if (!sizeFromWindow_) {
                ApplyClientSize();
            }
            break;
        case gui::FormChange::Font:
            ApplyFont();
            break;
        case gui::FormChange::Shown:
            ShowCentred();
            break;
        case gui::FormChange::Closed:
            ::ShowWindow(handle_, SW_HIDE);
            form.App().Terminate();
            if (OnClosed) {
                OnClosed();
            }
            break;
    }
}

void FormWindow::TakeClientSizeFromWindow() {
    RECT client{};
    ::GetClientRect(handle_, &client);
    sizeFromWindow_ = true;
    form_.UserResize(client.right, client.bottom);
    sizeFromWindow_ = false;
}

void FormWindow::ApplyClientSize() {
    RECT outer{0, 0, form_.ClientWidth(), form_.ClientHeight()};
    ::AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
    ::SetWindowPos(handle_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ApplyFont() {
    font_ = CreateWindowFont(form_.Font());
    for (const auto& control : controls_) {
        control->SetFont(font_.get());
        control->FitToText();
    }
}

void FormWindow::ShowCentred() {
    RECT outer{};
    ::GetWindowRect(handle_, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    ::SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(handle_, ShowCommand);
    ::UpdateWindow(handle_);
    FocusFirstControl();
}

void FormWindow::FocusFirstControl() {
    HWND first = ::GetNextDlgTabItem(handle_, nullptr, FALSE);
    if (first != nullptr) {
        ::SetFocus(first);
    }
}

}  // namespace win32
