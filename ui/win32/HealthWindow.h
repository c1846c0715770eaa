// The health window: a small window of its own, owned by the setup window, that lists
// every device carrying the filter, present or not, with its state, and offers to
// take the filter off the ones it keeps from starting. Listed afresh when opened, after
// a repair and on request.
#pragma once

#include <windows.h>

#include "health/FilterHealth.h"
#include "ui/win32/WindowHandle.h"

class TfrmSetup;

namespace win32 {

class HealthWindow {
  public:
    HealthWindow(HINSTANCE instance, HWND owner, HFONT font, TfrmSetup& form);
    HealthWindow(const HealthWindow&) = delete;
    HealthWindow& operator=(const HealthWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    HWND List() const { return list_; }
    HWND RepairButton() const { return repair_; }
    bool Closed() const { return closed_; }
    const FilterHealth& Health() const { return health_; }
    // Reads the devices again and shows them.
    void Refresh();

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void CreateControls(HINSTANCE instance);
    void Arrange(int width, int height);
    void Repair();

    TfrmSetup& form_;
    HFONT font_;
    FilterHealth health_;
    bool closed_ = false;
    HWND heading_ = nullptr;
    HWND list_ = nullptr;
    HWND repair_ = nullptr;
    HWND refresh_ = nullptr;
    HWND close_ = nullptr;
    WindowHandle window_;
};

LRESULT CALLBACK HealthWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
