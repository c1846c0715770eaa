// TApplication: the program's title, its hint timing, its density and its error
// report. Every entry point that the platform or the user drives (a click, a
// selection, a paint, a window message) runs through Guard, so an exception that
// leaves a handler ends that handler, is shown once, and the message loop goes on.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "ui/gui/Desktop.h"

namespace gui {

class TApplication {
  public:
    // Reads the screen's density once, as the application starts.
    explicit TApplication(Desktop& desktop);
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    Desktop& Services() { return desktop_; }
    HWND Handle() { return desktop_.ApplicationWindow(); }
    int PixelsPerInch() const { return pixelsPerInch_; }

    std::string Title;
    int HintPause = 500;       // milliseconds before a hint appears
    int HintHidePause = 2500;  // milliseconds a hint stays visible
    bool ShowHint = true;

    int MessageBoxA(HWND owner, const std::string& text, const std::string& caption, UINT type) {
        return desktop_.MessageBoxA(owner, text, caption, type);
    }

    // The error report: one modal box owned by the application's window.
    void ShowException(const std::exception& error);
    // The exception being handled, shown by the error report. A failure of the
    // report itself is dropped: there is nowhere left to tell it.
    void ReportCurrentException() noexcept;

    template <typename F>
    void Guard(F&& handler) noexcept {
        try {
            std::forward<F>(handler)();
        } catch (...) {
            ReportCurrentException();
        }
    }

    bool Terminated() const { return terminated_; }
    void Terminate() { terminated_ = true; }

  private:
    Desktop& desktop_;
    int pixelsPerInch_;
    bool terminated_ = false;
};

}  // namespace gui
