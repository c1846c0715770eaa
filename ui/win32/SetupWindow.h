// The setup window frmSetup on the real platform: the window's behaviour
// (TfrmSetup, loaded and scaled to the screen's density) realised by a form
// window, created at once and shown on request.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "ui/SetupF.h"
#include "ui/win32/FormWindow.h"
#include "ui/win32/HealthWindow.h"
#include "ui/win32/RawInputSink.h"
#include "ui/win32/Win32Application.h"

namespace win32 {

class SetupWindow {
  public:
    // Creates the window and its controls and runs the creation handler.
    explicit SetupWindow(Win32Application& application);
    // Runs the destruction handler while the window still exists, then destroys it.
    ~SetupWindow();
    SetupWindow(const SetupWindow&) = delete;
    SetupWindow& operator=(const SetupWindow&) = delete;

    ui::TfrmSetup& Form() { return *form_; }
    FormWindow& Window() { return *window_; }
    HWND Handle() const { return window_->Handle(); }
    // The window of a control of the form.
    HWND ControlHandle(const gui::TControl& control) const;

    // Runs the show handler, then centres and shows the window.
    void Show(int showCommand);
    RawInputSink& Input() { return *input_; }
    // The health window while it is open, or null.
    HealthWindow* Health() const;
    // The dialog keys of the window or of the open health window; true when the
    // message was handled.
    bool PreTranslate(MSG& message);

  private:
    // The row hints, the measuring command and the raw-input listener.
    void ConnectDeviceInput(HINSTANCE instance);

    std::unique_ptr<ui::TfrmSetup> form_;
    std::unique_ptr<FormWindow> window_;
    std::unique_ptr<RawInputSink> input_;
    std::unique_ptr<HealthWindow> health_;
};

// Dispatches messages until the application is told to terminate; afterMessage,
// when given, runs after each one with the main window.
void RunMessageLoop(gui::TApplication& app, SetupWindow& window,
                    const std::function<void(HWND)>& afterMessage = {});

}  // namespace win32
