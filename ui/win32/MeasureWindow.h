// The measuring window: a small window of its own, owned by the setup window, that
// counts one device's reports and shows the figures and a plot of the intervals over
// the last seconds, with the interval of the stored rate marked. It measures until
// it is closed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "input/RateStats.h"
#include "input/RawInputReader.h"
#include "ui/win32/WindowHandle.h"

namespace win32 {

struct MeasureTarget {
    std::string name;                      // for the caption
    std::vector<std::string> collections;  // upper-case instance IDs
    double expectedMs = 0;                 // 0: no rate stored
    bool keyboard = false;
};

class MeasureWindow {
  public:
    MeasureWindow(HINSTANCE instance, HWND owner, HFONT font, MeasureTarget target);
    MeasureWindow(const MeasureWindow&) = delete;
    MeasureWindow& operator=(const MeasureWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    bool Closed() const { return closed_; }
    const MeasureTarget& Target() const { return target_; }
    // Counts the report when it is one of the device's.
    void Report(const input::Report& report);

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The plot's place in the client area.
    static RECT PlotArea(const RECT& client, int textHeight);

  private:
    void Paint(HDC dc, const RECT& client);

    MeasureTarget target_;
    HFONT font_;
    input::RateStats stats_;
    bool closed_ = false;
    WindowHandle window_;
};

LRESULT CALLBACK MeasureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
