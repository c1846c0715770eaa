// The program's raw-input listener on the real platform: a hidden window that
// Windows sends every WM_INPUT to (one target per usage and process, so one listener
// serves all). While the program has the active window, a report marks its device's
// row in the grid, and the marks fade on a timer; the open measuring window, if any,
// counts its device's reports whichever window is active. After a restart that changed
// how a device is driven, its reports confirm the change, and a timer moves the wait
// on and opens the question "Keep these settings?" when the device stays silent.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "input/RawInputReader.h"
#include "ui/SetupF.h"
#include "ui/win32/ConfirmWindow.h"
#include "ui/win32/MeasureWindow.h"
#include "ui/win32/WindowHandle.h"

namespace win32 {

class RawInputSink {
  public:
    // Registers for raw input; a platform that refuses leaves the window without marks.
    RawInputSink(HINSTANCE instance, ui::TfrmSetup& form, HWND mainWindow, HFONT font);
    ~RawInputSink();
    RawInputSink(const RawInputSink&) = delete;
    RawInputSink& operator=(const RawInputSink&) = delete;

    HWND Handle() const { return window_.get(); }
    ui::TfrmSetup& Form() const { return form_; }
    // Opens the measuring window for list index i, closing one that is open.
    void Measure(int i);
    // The open measuring window, or null.
    MeasureWindow* Measuring() const;

    // The open questions "Keep these settings?", oldest first.
    std::vector<ConfirmWindow*> Questions() const;
    // Moves the waits for devices on by the clock, as the timer does.
    void TickConfirmations();

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void ConnectConfirmations();
    void Input(HRAWINPUT input, WPARAM code);
    void Fade();

    HINSTANCE instance_;
    ui::TfrmSetup& form_;
    HWND mainWindow_;
    HFONT font_;
    input::RawInputReader reader_;
    bool registered_ = false;
    bool fading_ = false;
    bool confirming_ = false;
    std::unique_ptr<MeasureWindow> measuring_;
    std::vector<std::unique_ptr<ConfirmWindow>> questions_;
    WindowHandle window_;
};

// The collections the open measuring window counts (for the demo, which moves them
// while the pointer moves); empty when none is open.
std::vector<std::string> MeasuredCollections();
// The collections of the devices whose reports are waited for.
std::vector<std::string> WatchedCollections();

LRESULT CALLBACK RawInputSinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
