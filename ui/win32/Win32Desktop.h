// The desktop services of the real platform: message boxes, the screen's density,
// text metrics, the command line, the application's window and the clipboard.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "ui/gui/Desktop.h"
#include "ui/win32/Win32Clipboard.h"

namespace win32 {

class Win32Desktop : public gui::Desktop {
  public:
    // The application window owns the error reports and the clipboard.
    explicit Win32Desktop(HWND applicationWindow) : applicationWindow_(applicationWindow) {}

    // A box owned by the application window is modal for the whole application:
    // every window of the thread is disabled while it is open. A box without an
    // owner leaves the windows as they are, so they keep receiving messages.
    int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                    UINT type) override;
    int ScreenPixelsPerInch() override;
    int TextHeight(const gui::TFont& font) override;
    std::string CommandLine() override;
    HWND ApplicationWindow() override { return applicationWindow_; }
    gui::ClipboardApi& Clipboard() override { return clipboard_; }
    void WaitModally(const WaitWork& work) override;

    // Answers this instead of the process's command line (for a test harness that
    // opens the window in several modes within one process).
    void SetCommandLine(std::string line) { commandLine_ = std::move(line); }

  private:
    HWND applicationWindow_;
    std::optional<std::string> commandLine_;
    Win32Clipboard clipboard_;
};

}  // namespace win32
