// The program's raw-input listener on the real platform: a hidden window that
// Windows sends every WM_INPUT to (one target per usage and process, so one listener
// serves all). While the program has the active window, a report marks its device's
// row in the grid, and the marks fade on a timer; the open measuring window, if any,
// counts its device's reports whichever window is active.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "input/RawInputReader.h"
#include "ui/SetupF.h"
#include "ui/win32/MeasureWindow.h"
#include "ui/win32/WindowHandle.h"

namespace win32 {

class RawInputSink {
  public:
    // Registers for raw input; a platform that refuses leaves the window without marks.
    RawInputSink(HINSTANCE instance, TfrmSetup& form, HWND mainWindow, HFONT font);
    ~RawInputSink();
    RawInputSink(const RawInputSink&) = delete;
    RawInputSink& operator=(const RawInputSink&) = delete;

    HWND Handle() const { return window_.get(); }
    // Opens the measuring window for list index i, closing one that is open.
    void Measure(int i);
    // The open measuring window, or null.
    MeasureWindow* Measuring() const;

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void Input(HRAWINPUT input, WPARAM code);
    void Fade();

    HINSTANCE instance_;
    TfrmSetup& form_;
    HWND mainWindow_;
    HFONT font_;
    input::RawInputReader reader_;
    bool registered_ = false;
    bool fading_ = false;
    std::unique_ptr<MeasureWindow> measuring_;
    WindowHandle window_;
};

// The collections the open measuring window counts (for the demo, which moves them
// while the pointer moves); empty when none is open.
std::vector<std::string> MeasuredCollections();

LRESULT CALLBACK RawInputSinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
