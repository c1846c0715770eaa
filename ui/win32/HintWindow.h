// The hints: one tooltip control for the window, with a tool for every control
// that has a hint, and the application's hint timing.
#pragma once

#include <windows.h>

#include <string>

#include "ui/win32/WindowHandle.h"

namespace win32 {

class HintWindow {
  public:
    HintWindow(HWND owner, HINSTANCE instance);

    HWND Handle() const { return window_.get(); }
    // Shows the text while the mouse rests on the control.
    void AddTool(HWND control, const std::string& text);
    // Replaces the text of a control's hint (empty: none shows).
    void UpdateToolText(HWND control, const std::string& text);
    // The delay before a hint appears and how long it stays, in milliseconds.
    void SetTiming(int initialMs, int autoPopMs);
    void SetActive(bool active);

  private:
    WindowHandle window_;
};

}  // namespace win32
