#include "ui/win32/SetupWindow.h"

#include <type_traits>

#include "ui/Layout.h"
#include "ui/win32/GridWindow.h"

namespace win32 {

SetupWindow::SetupWindow(Win32Application& application)
    : form_(std::make_unique<TfrmSetup>(application.App())),
      window_(std::make_unique<FormWindow>(*form_, application.Instance(),
                                           layout::kWindow.outerWidth,
                                           layout::kWindow.outerHeight)) {
    form_->DoCreate();
    // The creation handler set the hint timing.
    window_->ApplyHintSettings();
    ConnectDeviceInput(application.Instance());
}

SetupWindow::~SetupWindow() {
    input_.reset();
    form_->Destroy();
}

void SetupWindow::ConnectDeviceInput(HINSTANCE instance) {
    auto* grid = static_cast<GridWindow*>(window_->WindowOf(*form_->dgDevices));
    input_ = std::make_unique<RawInputSink>(
        instance, *form_, window_->Handle(),
        reinterpret_cast<HFONT>(::SendMessageA(grid->Handle(), WM_GETFONT, 0, 0)));
    if (form_->dgDevices->Hint.empty()) {
        window_->Hints().AddTool(grid->Handle(), "");
    }
    grid->OnPointerRow = [this, grid](int row) {
        window_->Hints().UpdateToolText(
            grid->Handle(),
            row < 0 ? std::string() : form_->RowHint(row - form_->dgDevices->FixedRows));
    };
    grid->OnRowMenu = [this](int row, POINT screen) { RowMenu(row, screen); };
}

void SetupWindow::RowMenu(int row, POINT screen) {
    const int i = row - form_->dgDevices->FixedRows;
    if (!form_->DeviceList || i < 0 || i >= form_->DeviceList->Count()) {
        return;
    }
    constexpr UINT kMeasure = 1;
    const std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&::DestroyMenu)> menu(
        ::CreatePopupMenu(), &::DestroyMenu);
    if (!menu) {
        return;
    }
    ::AppendMenuA(menu.get(), MF_STRING, kMeasure, "Measure polling rate...");
    const UINT chosen =
        static_cast<UINT>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                           screen.y, 0, window_->Handle(), nullptr));
    if (chosen == kMeasure) {
        form_->App().Guard([&] { input_->Measure(i); });
    }
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
