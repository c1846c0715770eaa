// The measuring window: a small window of its own, owned by the setup window and
// opened beside it, that counts one device's reports and shows the figures (as text
// controls, which screen readers read) and a plot of the intervals over the last
// seconds, with the interval of the stored rate marked. It measures until it is
// closed (Escape closes it too).
//
// A device may send 8000 reports a second: the figures, which sort up to a minute of
// intervals, are worked out once a second; the plot, repainted ten times a second,
// draws one stroke per pixel column.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "input/RateStats.h"
#include "input/RawInputReader.h"
#include "measure/MeasureLines.h"
#include "ui/MeasureView.h"
#include "ui/win32/WindowHandle.h"

namespace win32 {

struct MeasureTarget {
    std::string name;                      // for the caption
    std::vector<std::string> collections;  // upper-case instance IDs
    measure::RateComparison setting;       // what the measured interval is compared with
    bool keyboard = false;
};

class MeasureWindow {
  public:
    // The text lines above the plot: the figures, the stored rate and the line on a
    // difference, which takes two lines' room.
    static constexpr std::size_t kFigureLines = 6;
    static constexpr std::size_t kTextLines = kFigureLines + 3;

    MeasureWindow(HINSTANCE instance, HWND owner, HFONT font, MeasureTarget target);
    MeasureWindow(const MeasureWindow&) = delete;
    MeasureWindow& operator=(const MeasureWindow&) = delete;

    HWND Handle() const { return window_.get(); }
    bool Closed() const { return closed_; }
    const MeasureTarget& Target() const { return target_; }
    // The text controls, top to bottom: the figure lines, the stored rate, the
    // difference.
    const std::vector<HWND>& TextControls() const { return texts_; }
    // Counts the report when it is one of the device's.
    void Report(const input::Report& report);
    // Works the figures out again now, rather than at the next second.
    void UpdateFigures();

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The plot's place in the client area.
    static RECT PlotArea(const RECT& client, int textHeight);

  private:
    void Paint(HDC dc, const RECT& client);
    void Arrange(int width);
    void Tick();

    MeasureTarget target_;
    HFONT font_;
    int lineHeight_ = 0;
    input::RateStats stats_;
    input::RateFigures figures_;
    LONGLONG figuresAt_ = 0;
    bool closed_ = false;
    std::vector<HWND> texts_;
    std::vector<std::string> shown_;  // what each text control says
    WindowHandle window_;
};

LRESULT CALLBACK MeasureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
