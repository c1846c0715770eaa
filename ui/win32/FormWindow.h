// The realisation of a portable form: its resizable top-level window, a child
// window per control (tab order as z-order, panels as control parents), the
// window font, the hints, and the routing of the window's messages: resizing,
// closing, control notifications, device changes and the dialog keys.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/gui/Form.h"
#include "ui/win32/ControlWindow.h"
#include "ui/win32/GdiObject.h"
#include "ui/win32/HintWindow.h"
#include "ui/win32/WindowHandle.h"

namespace win32 {

class FormWindow : public gui::FormPeer {
  public:
    // Creates the hidden window with the outer size and every control of the form.
    FormWindow(gui::TForm& form, HINSTANCE instance, int outerWidth, int outerHeight);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Handle() const override { return handle_; }
    void Changed(gui::TForm& form, gui::FormChange what) override;

    // The window of a control, or null.
    ControlWindow* WindowOf(const gui::TControl& control) const;
    ControlWindow* WindowOf(HWND window) const;
    HintWindow& Hints() { return *hints_; }
    // Takes the application's hint settings (after the creation handler set them).
    void ApplyHintSettings();

    // How the window is shown once the form's show handler has run.
    int ShowCommand = SW_SHOWNORMAL;
    // Runs when the form has been closed; the program ends its message loop there.
    std::function<void()> OnClosed;

    // The dialog keys of a message about to be dispatched: Esc presses the cancel
    // button, Enter the focused push button, Tab and the arrows move the focus.
    // True when the message was handled and must not be dispatched.
    bool PreTranslate(MSG& message);

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void CreateControls();
    void ArrangeTabOrder();
    void TakeClientSizeFromWindow();
    void ApplyClientSize();
    void ApplyFont();
    void ShowCentred();
    void FocusFirstControl();
    void Activated(bool active);
    bool Owns(HWND window) const;

    gui::TForm& form_;
    FontHandle font_;
    WindowHandle window_;
    HWND handle_ = nullptr;
    std::vector<std::unique_ptr<ControlWindow>> controls_;
    std::optional<HintWindow> hints_;
    bool sizeFromWindow_ = false;
    HWND savedFocus_ = nullptr;
};

LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
