// The health window: a small window of its own, owned by the setup window and opened
// centred over it, that lists every device carrying the filter, present or not, in a
// table (device, product name, state, instance ID), and offers to take the filter off
// the ones it keeps from starting. Listed afresh when opened, after a repair and on
// request. Its sizes follow the font; Tab, Escape and Enter work as in a dialog box.
#pragma once

#include <windows.h>

#include <string>

#include "health/FilterHealth.h"
#include "ui/win32/WindowHandle.h"

namespace ui {
class TfrmSetup;
}  // namespace ui

namespace win32 {

class HealthWindow {
  public:
    HealthWindow(HINSTANCE instance, HWND owner, HFONT font, ui::TfrmSetup& form);
    HealthWindow(const HealthWindow&) = delete;
    HealthWindow& operator=(const HealthWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    HWND List() const { return list_; }
    HWND RepairButton() const { return repair_; }
    bool Closed() const { return closed_; }
    const health::FilterHealth& Health() const { return health_; }
    // Reads the devices again and shows them.
    void Refresh();
    // The dialog keys for a message to this window or one of its controls.
    bool PreTranslate(MSG& message);

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void CreateControls(HINSTANCE instance);
    void Arrange(int width, int height);
    void Repair();
    // The list's colours: broken rows in red (their state says so in words too).
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;

    ui::TfrmSetup& form_;
    HFONT font_;
    TEXTMETRICA metrics_{};
    health::FilterHealth health_;
    bool closed_ = false;
    HWND driver_ = nullptr;
    HWND count_ = nullptr;
    HWND list_ = nullptr;
    HWND repair_ = nullptr;
    HWND refresh_ = nullptr;
    HWND close_ = nullptr;
    HWND savedFocus_ = nullptr;
    WindowHandle window_;
};

LRESULT CALLBACK HealthWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
