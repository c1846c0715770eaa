#include "ui/win32/SetupWindow.h"

#include "ui/Layout.h"
#include "ui/win32/GridWindow.h"

namespace win32 {

SetupWindow::SetupWindow(Win32Application& application)
    : form_(std::make_unique<ui::TfrmSetup>(application.App())),
      window_(std::make_unique<FormWindow>(*form_, application.Instance(),
                                           ui::layout::kWindow.outerWidth,
                                           ui::layout::kWindow.outerHeight)) {
    form_->DoCreate();
    // The creation handler set the hint timing.
    window_->ApplyHintSettings();
    ConnectDeviceInput(application.Instance());
}

SetupWindow::~SetupWindow() {
    health_.reset();
    input_.reset();
    form_->Destroy();
}

void SetupWindow::ConnectDeviceInput(HINSTANCE instance) {
    ControlWindow* control = window_->WindowOf(*form_->dgDevices);
    const HWND gridWindow = control->Handle();
    input_ = std::make_unique<RawInputSink>(
        instance, *form_, window_->Handle(),
        reinterpret_cast<HFONT>(::SendMessageA(gridWindow, WM_GETFONT, 0, 0)));
    if (form_->dgDevices->Hint.empty()) {
        window_->Hints().AddTool(gridWindow, "");
    }
    static_cast<GridWindow*>(control)->OnPointerRow = [this, gridWindow](int row) {
        window_->Hints().UpdateToolText(
            gridWindow,
            row < 0 ? std::string() : form_->RowHint(row - form_->dgDevices->FixedRows));
    };
    form_->OnMeasure = [this](int i) { input_->Measure(i); };
    // One health window: asked for again, it lists the devices afresh and comes forward.
    form_->OnFilterHealth = [this, instance, gridWindow] {
        if (HealthWindow* open = Health()) {
            open->Refresh();
            ::SetWindowPos(open->Handle(), HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
            return;
        }
        health_.reset();
        health_ = std::make_unique<HealthWindow>(
            instance, window_->Handle(),
            reinterpret_cast<HFONT>(::SendMessageA(gridWindow, WM_GETFONT, 0, 0)), *form_);
    };
}

HealthWindow* SetupWindow::Health() const {
    return health_ && !health_->Closed() ? health_.get() : nullptr;
}

HWND SetupWindow::ControlHandle(const gui::TControl& control) const {
    const ControlWindow* window = window_->WindowOf(control);
    return window != nullptr ? window->Handle() : nullptr;
}

void SetupWindow::Show(int showCommand) {
    window_->ShowCommand = showCommand;
    form_->Show();
}

bool SetupWindow::PreTranslate(MSG& message) {
    if (HealthWindow* health = Health(); health != nullptr && health->PreTranslate(message)) {
        return true;
    }
    return window_->PreTranslate(message);
}

void RunMessageLoop(gui::TApplication& app, SetupWindow& window,
                    const std::function<void(HWND)>& afterMessage) {
    MSG message{};
    while (!app.Terminated() && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!window.PreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (afterMessage) {
            afterMessage(window.Handle());
        }
    }
}

}  // namespace win32
