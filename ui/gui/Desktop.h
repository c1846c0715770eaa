// The services of the desktop that the window layer asks for besides its own
// controls: message boxes, the screen's density, text metrics, the command line,
// the application's window and the clipboard. One realisation per platform.
#pragma once

#include <functional>
#include <string>

#include "ui/gui/ClipboardApi.h"
#include "ui/gui/WinUi.h"

namespace gui {

struct TFont;

class Desktop {
  public:
    virtual ~Desktop() = default;

    // Shows a modal message box and returns the button pressed (IDOK, IDYES, IDNO...).
    virtual int MessageBoxA(HWND owner, const std::string& text, const std::string& caption,
                            UINT type) = 0;
    // The screen's vertical logical density (GetDeviceCaps LOGPIXELSY).
    virtual int ScreenPixelsPerInch() = 0;
    // The height in pixels of the digit "0" written in the font.
    virtual int TextHeight(const TFont& font) = 0;
    // The process's whole command line, program name included.
    virtual std::string CommandLine() = 0;
    // The window that owns the application's error reports and the clipboard.
    virtual HWND ApplicationWindow() = 0;
    virtual ClipboardApi& Clipboard() = 0;

    // Runs work, which waits for something outside the program (the companion) and
    // calls the pump it is given whenever messages are waiting. The pump runs them: the
    // windows keep painting and handle what is sent or posted to them (device changes),
    // but from the first pump on they take no input from the user, as under a modal box.
    using WaitWork = std::function<void(const std::function<void()>& pump)>;
    virtual void WaitModally(const WaitWork& work) = 0;
};

}  // namespace gui
