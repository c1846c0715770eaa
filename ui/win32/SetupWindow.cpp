#include "ui/win32/SetupWindow.h"

#include "ui/Layout.h"

namespace win32 {

SetupWindow::SetupWindow(Win32Application& application)
    : form_(std::make_unique<TfrmSetup>(application.App())),
      window_(std::make_unique<FormWindow>(*form_, application.Instance(),
                                           layout::kWindow.outerWidth,
                                           layout::kWindow.outerHeight)) {
    form_->DoCreate();
    // The creation handler set the hint timing.
    window_->ApplyHintSettings();
}

SetupWindow::~SetupWindow() {
    form_->Destroy();
}

HWND SetupWindow::ControlHandle(const gui::TControl& control) const {
    const ControlWindow* window = window_->WindowOf(control);
    return window != nullptr ? window->Handle() : nullptr;
}

void SetupWindow::Show(int showCommand) {
    window_->ShowCommand = showCommand;
    form_->Show();
}

void RunMessageLoop(gui::TApplication& app, FormWindow& mainWindow,
                    const std::function<void(HWND)>& afterMessage) {
    MSG message{};
    while (!app.Terminated() && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!mainWindow.PreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (afterMessage) {
            afterMessage(mainWindow.Handle());
        }
    }
}

}  // namespace win32
